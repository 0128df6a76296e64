// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/message_service.h"

// Message boxes owned by a window: OK boxes carry the application's caption,
// questions the caption "?". With MEXORA_MESSAGES_TO_STDERR=1 in the
// environment (for the process tests) the texts go to stderr instead, questions
// are answered No, and nothing blocks.
class QtMessageService final : public MessageService {
  public:
    explicit QtMessageService(QWidget* owner = nullptr) : owner_(owner) {}

    void showMessage(int stringId) override { showMessage(stringId, {}); }
    void showMessage(int stringId, std::string_view detail) override;
    bool askYesNo(int stringId) override;
    Answer askYesNoCancel(int stringId) override;

  private:
    QPointer<QWidget> owner_;
};

// True when message boxes are to be printed rather than shown.
bool messagesGoToStderr();

// The text of a string table entry as a QString.
QString loadQString(int stringId);

// Writes the text of a message to stderr, marked with its id.
void printMessage(int stringId);
