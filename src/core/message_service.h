// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/string_ids.h"

// How the pages' logic talks to the user: every fault is a message box with a
// text of the string table. The application shows real boxes; tests record the
// messages and script the answers to questions.
class MessageService {
  public:
    virtual ~MessageService() = default;

    // An OK box with the application's caption.
    virtual void showMessage(int stringId) = 0;

    // The same, with detail under the message: what the box adds to it, such
    // as why a formula cannot be read.
    virtual void showMessage(int stringId, std::string_view detail) = 0;

    // A Yes/No box with the caption "?"; true when the answer is Yes.
    virtual bool askYesNo(int stringId) = 0;

    // A Yes/No/Cancel box with the caption "?". A box closed without one of
    // the three, or ended by the program quitting, is Cancel.
    enum class Answer { Yes, No, Cancel };
    virtual Answer askYesNoCancel(int stringId) = 0;
};

// Records every message and question; answers questions from a script, one
// for each kind of question (No once it is used up).
class RecordingMessageService final : public MessageService {
  public:
    void showMessage(int stringId) override { showMessage(stringId, {}); }
    void showMessage(int stringId, std::string_view detail) override {
        shown.push_back(stringId);
        details.emplace_back(detail);
    }
    bool askYesNo(int stringId) override { return nextAnswer(stringId, answers, false); }
    Answer askYesNoCancel(int stringId) override {
        return nextAnswer(stringId, threeWayAnswers, Answer::No);
    }

    std::vector<int> shown;
    std::vector<std::string> details;  // of each message shown, empty for none
    std::vector<int> asked;            // questions of both kinds, in order
    std::deque<bool> answers;
    std::deque<Answer> threeWayAnswers;

  private:
    template <class T>
    T nextAnswer(int stringId, std::deque<T>& script, T whenUsedUp) {
        asked.push_back(stringId);
        if (script.empty()) return whenUsedUp;
        const T answer = script.front();
        script.pop_front();
        return answer;
    }
};
