// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MessageService;
class QLineEdit;
class TextArea;

// Adds "复制为 LaTeX" to the context menu of a page's element edit: the
// numbers of its text as the page reads them, in the shape the shape edits
// hold, go to the clipboard as a pmatrix. With cols nullptr, rows is the
// order of a determinant, and the copy is a vmatrix. Text and shape are
// checked as the page checks them, with the page's messages.
void offerLatexCopy(TextArea* elements, QLineEdit* rows, QLineEdit* cols, MessageService& messages);
