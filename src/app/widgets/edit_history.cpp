// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/edit_history.h"

#include <utility>

void EditHistory::changed(State before, bool goesOn) {
    redo_.clear();
    if (goesOn && !undo_.empty()) return;
    undo_.push_back(std::move(before));
    keepWithinBounds();
}

std::optional<EditHistory::State> EditHistory::undo(State now) {
    if (undo_.empty()) return std::nullopt;
    State back = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(now));
    return back;
}

std::optional<EditHistory::State> EditHistory::redo(State now) {
    if (redo_.empty()) return std::nullopt;
    State forward = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(now));
    keepWithinBounds();
    return forward;
}

void EditHistory::keepWithinBounds() {
    qsizetype held = 0;
    for (const State& state : undo_) held += state.text.size();
    std::size_t dropped = 0;
    while (undo_.size() - dropped > 1 &&
           (undo_.size() - dropped > kMostSteps || held > kMostCharacters)) {
        held -= undo_[dropped].text.size();
        ++dropped;
    }
    undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(dropped));
}
