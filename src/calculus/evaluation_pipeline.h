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
// the pool evaluates one block, the caller makes the next and folds the one
// before.
//
// produce(xs, limit) writes the next points (at most limit) and returns how
// many, 0 at the end. fold(values, count, more) takes the values of one block,
// more telling whether another block follows; false from it stops the work.
// Returns false when fold stopped it.
template <class Produce, class Fold>
bool EvaluateInBlocks(const CompiledFormula& f, ThreadPool& pool, Produce produce, Fold fold) {
    const std::size_t task = pool.taskSize(kPointsPerBatch);
    // Enough tasks per block that every thread keeps busy while the caller
    // makes and folds points; at most 256, which keeps the buffers at 4 MB.
    const int block = static_cast<int>(task) * std::min(pool.threads() * 8, 256);

    struct Block {
        std::unique_ptr<float[]> xs, values;
        int count = 0;
        std::size_t task = 0;
        const CompiledFormula* f = nullptr;
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
        b.xs = std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(block));
        b.values = std::make_unique_for_overwrite<float[]>(static_cast<std::size_t>(block));
        b.task = task;
        b.f = &f;
    }

    Block* current = &blocks[0];
    Block* next = &blocks[1];
    current->count = produce(current->xs.get(), block);
    if (current->count == 0) return true;
    current->start(pool);
    for (;;) {
        next->count = produce(next->xs.get(), block);
        pool.finish(*current->job);
        const bool more = next->count > 0;
        if (more) next->start(pool);
        if (!fold(current->values.get(), current->count, more)) {
            if (more) pool.abandon(*next->job);
            return false;
        }
        if (!more) return true;
        std::swap(current, next);
    }
}
