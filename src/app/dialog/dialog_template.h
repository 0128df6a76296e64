// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "app/dialog/template_ids.h"

// A dialog as data: its size in dialog units, its caption and its controls in
// template order, which is also the creation order and the tab order. The
// templates themselves live in res/dialog_templates.inc.

enum class ControlKind { Edit, Button, Static, ListView, ComboBox };

// Control styles as a bit set. A control is visible unless it is Hidden.
namespace ControlStyle {
enum : std::uint32_t {
    None = 0,
    Hidden = 1u << 0,
    TabStop = 1u << 1,
    Group = 1u << 2,
    Border = 1u << 3,
    // edits
    AutoHScroll = 1u << 4,
    Multiline = 1u << 5,
    WantReturn = 1u << 6,
    ReadOnly = 1u << 7,
    Number = 1u << 8,  // accepts digits only
    HScroll = 1u << 9,
    VScroll = 1u << 10,
    // buttons
    DefPushButton = 1u << 11,
    AutoCheckBox = 1u << 12,
    GroupBox = 1u << 13,
    // statics
    Center = 1u << 14,
    Sunken = 1u << 15,
    NoPrefix = 1u << 16,
    Bitmap = 1u << 17,
    Icon = 1u << 18,
    RealSizeImage = 1u << 19,
    StaticEdge = 1u << 20,  // thin sunken edge around any control
    // list view
    IconView = 1u << 21,
    SingleSel = 1u << 22,
    ShowSelAlways = 1u << 23,
    ShareImageLists = 1u << 24,
    // combo box
    DropDownList = 1u << 25,
};
}

// Id of controls that nobody looks up (labels, frames, pictures).
inline constexpr int kNoControlId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view text;
    int x, y, width, height;  // dialog units
    std::uint32_t style;
    int image = 0;  // picture resource of a Bitmap or Icon static
};

struct DialogTemplate {
    int id;
    int width, height;  // dialog units
    std::string_view caption;
    std::span<const ControlTemplate> controls;
};

// The template with this id, or nullptr.
const DialogTemplate* findDialogTemplate(int id);

// Every template, for checks over all of them.
std::span<const DialogTemplate> allDialogTemplates();
