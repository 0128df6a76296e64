// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialog/dialog_template.h"

#include "app/dialog/control_ids.h"

namespace {

using namespace ControlStyle;
using enum ControlKind;

#include "dialog_templates.inc"

}  // namespace

const DialogTemplate* findDialogTemplate(int id) {
    for (const DialogTemplate& dialog : kDialogTemplates) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

std::span<const DialogTemplate> allDialogTemplates() { return kDialogTemplates; }
