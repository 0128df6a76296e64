// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a matrix-list file: the reader either refuses them with a
// fault or reads a list that writes and reads back to the same matrices; and
// adding what it read to a page's list by the rules of "添加" leaves a list
// that keeps them: at most 1000 names, no two the same, only matrices that
// "添加" takes, a selection while there are names, and at most one message
// of each kind.
#include <algorithm>
#include <memory>

#include "core/string_ids.h"
#include "fuzz_support.h"
#include "matrix/matrix_list_format.h"

namespace {

struct NoWindow final : PageControls {
    bool readControls() override { return true; }
    void refreshControls() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MatrixListRead read = ReadMatrixList(bytes);
    if (read.fault != MatrixListFault::None) {
        FUZZ_CHECK(read.matrices.empty(), "fault %d with %zu matrices",
                   static_cast<int>(read.fault), read.matrices.size());
        return 0;
    }
    const MatrixListRead again = ReadMatrixList(WriteMatrixList(read.matrices));
    FUZZ_CHECK(again.fault == MatrixListFault::None && again.matrices == read.matrices,
               "%zu matrices read, written and read again as %zu (fault %d)", read.matrices.size(),
               again.matrices.size(), static_cast<int>(again.fault));

    static const auto store = std::make_unique<MatrixStore>();
    RecordingMessageService messages;
    // Yes and No to kAskOverwrite in a pattern that differs from input to input.
    const auto pattern = static_cast<std::uint32_t>(size * 2654435761u);
    for (int i = 0; i < 32; ++i) messages.answers.push_back((pattern >> i & 1) != 0);
    NoWindow window;
    MatrixPageLogic page(*store, messages, window);
    page.addMatrices(read.matrices);  // a copy

    const std::vector<std::string>& names = page.names();
    FUZZ_CHECK(names.size() <= MatrixStore::kCapacity, "%zu names", names.size());
    FUZZ_CHECK(names.empty() != page.listSelection().has_value(), "%zu names, selection %d",
               names.size(), page.listSelection().value_or(-1));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const MatrixSlot& slot = page.matrix(static_cast<int>(i));
        FUZZ_CHECK(
            !names[i].empty() && slot.nRows > 0 && slot.nCols > 0 && !slot.strElements.empty(),
            "entry %zu \"%s\" is %dx%d \"%s\"", i, printable(names[i]).c_str(), slot.nRows,
            slot.nCols, printable(slot.strElements).c_str());
        for (std::size_t j = 0; j < i; ++j) {
            FUZZ_CHECK(!SameMatrixName(names[i], names[j]), "\"%s\" twice",
                       printable(names[i]).c_str());
        }
    }
    for (const int id : messages.shown) {
        FUZZ_CHECK(id == kMsgListFull || id == kMsgEntriesSkipped, "message %d", id);
        FUZZ_CHECK(std::count(messages.shown.begin(), messages.shown.end(), id) == 1,
                   "message %d more than once", id);
    }
    return 0;
}
