// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

// The texts an edit held before each change, to step back and forth through.
// Texts share their characters until changed, so a step costs a copy of the
// text only once the edit changes it again; the oldest steps are dropped
// beyond kMostSteps, or beyond kMostCharacters held in all.
class EditHistory {
  public:
    static constexpr std::size_t kMostSteps = 100;
    static constexpr qsizetype kMostCharacters = 32 * 1024 * 1024;

    struct State {
        QString text;
        qsizetype cursor = 0;
    };

    // The text changed from before; a change that goes on the one before it
    // (typing on) joins that step.
    void changed(State before, bool goesOn);
    // The state to go back or forward to from now, if any.
    std::optional<State> undo(State now);
    std::optional<State> redo(State now);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

  private:
    void keepWithinBounds();

    std::vector<State> undo_;
    std::vector<State> redo_;
};
