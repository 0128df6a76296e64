// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>

#include "calculus/formula.h"
#include "core/thread_pool.h"

// Evaluations of a formula spread over a pool, in blocks of points. The points
// are made and the values folded on the calling thread, in order, so the
// results are those of one thread; only the evaluations run elsewhere. While
// the pool evaluates one block, the caller folds the block before and makes
// the points of the block after, in one pass.
//
// step(values, count, more, xs, limit) folds the count values of the block
// just evaluated (none, the first two times), more telling whether a block is
// still being evaluated, then writes the next points into xs, at most limit.
// It returns how many it wrote, 0 once there are no more, or -1 to stop the
// work. Returns false when step stopped it.
template <class Value, class Step>
bool EvaluateInBlocks(const BasicCompiledFormula<Value>& f, ThreadPool& pool, Step step) {
    const std::size_t task = pool.taskSize(kPointsPerBatch);
    // Enough tasks per block that every thread keeps busy while the caller
    // folds and makes points; at most 256, which keeps the buffers at 4 MB (8
    // in double).
    const int block = static_cast<int>(task) * std::min(pool.threads() * 8, 256);

    struct Block {
        std::unique_ptr<Value[]> xs, values;
        int count = 0;
        std::size_t task = 0;
        const BasicCompiledFormula<Value>* f = nullptr;
        std::optional<PoolJob> job;

        void operator()(std::size_t t) {
            const std::size_t first = t * task;
            const int n = static_cast<int>(std::min<std::size_t>(task, count - first));
            (*f)(xs.get() + first, values.get() + first, n);
        }
        void start(ThreadPool& pool) {
            job.emplace((static_cast<std::size_t>(count) + task - 1) / task, *this);
            pool.start(*job);
        }
    };
    Block blocks[2];
    for (Block& b : blocks) {
        b.xs = std::make_unique_for_overwrite<Value[]>(static_cast<std::size_t>(block));
        b.values = std::make_unique_for_overwrite<Value[]>(static_cast<std::size_t>(block));
        b.task = task;
        b.f = &f;
    }

    Block* current = &blocks[0];  // being evaluated
    Block* next = &blocks[1];     // its points made, waiting
    current->count = step(nullptr, 0, false, current->xs.get(), block);
    if (current->count <= 0) return current->count == 0;
    current->start(pool);
    next->count = step(nullptr, 0, true, next->xs.get(), block);
    if (next->count < 0) {
        pool.abandon(*current->job);
        return false;
    }
    for (;;) {
        pool.finish(*current->job);
        const bool more = next->count > 0;
        if (more) next->start(pool);
        // The points after next go where the finished block's points were.
        const int made =
            step(current->values.get(), current->count, more, current->xs.get(), block);
        if (made < 0) {
            if (more) pool.abandon(*next->job);
            return false;
        }
        current->count = made;
        if (more) {
            std::swap(current, next);
        } else if (made > 0) {
            current->start(pool);
        } else {
            return true;
        }
    }
}
