// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/dialog/dialog_widget.h"
#include "core/message_service.h"

// The message service of a window, whichever one it holds at the moment:
// page logic made before a test replaces the window's service still reaches
// the replacement.
class WindowMessages final : public MessageService {
  public:
    explicit WindowMessages(DialogWidget& window) : window_(window) {}
    void showMessage(int stringId) override { window_.messages().showMessage(stringId); }
    void showMessage(int stringId, std::string_view detail) override {
        window_.messages().showMessage(stringId, detail);
    }
    bool askYesNo(int stringId) override { return window_.messages().askYesNo(stringId); }
    Answer askYesNoCancel(int stringId) override {
        return window_.messages().askYesNoCancel(stringId);
    }

  private:
    DialogWidget& window_;
};
