// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_page_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/string_ids.h"

namespace {

// Stands in for the window: the four edits, and the data exchange with the page.
struct FakeWindow final : PageControls {
    bool readControls() override {
        page->m_strElements = elements;
        page->m_strName = name;
        page->m_nRows = rows;
        page->m_nCols = cols;
        return true;
    }
    void refreshControls() override {
        ++refreshes;
        elements = page->m_strElements;
        name = page->m_strName;
        rows = page->m_nRows;
        cols = page->m_nCols;
    }

    MatrixPageLogic* page = nullptr;
    std::string elements;
    std::string name;
    int rows = 0;
    int cols = 0;
    int refreshes = 0;
};

class MatrixPage : public testing::Test {
  protected:
    MatrixPage() { window.page = &page; }

    // Types a matrix into the edits and presses add.
    void add(const std::string& name, int rows, int cols, const std::string& elements) {
        window.name = name;
        window.rows = rows;
        window.cols = cols;
        window.elements = elements;
        page.OnAddMatrix();
    }

    void addFour() {
        add("P", 1, 1, "1");
        add("Q", 1, 2, "2 2");
        add("R", 1, 3, "3 3 3");
        add("S", 1, 4, "4 4 4 4");
    }

    MatrixStore store;
    RecordingMessageService messages;
    FakeWindow window;
    MatrixPageLogic page{store, messages, window};
};

using Names = std::vector<std::string>;

TEST_F(MatrixPage, AddAppendsSelectsInListOnlyAndStoresUnparsed) {
    add("A", 2, 2, "1 2 3 4");
    EXPECT_EQ(page.names(), Names{"A"});
    EXPECT_EQ(page.listSelection(), 0);
    EXPECT_FALSE(page.firstSelection().has_value());
    EXPECT_FALSE(page.secondSelection().has_value());
    EXPECT_EQ(store.read(0).strElements, "1 2 3 4");
    EXPECT_EQ(store.read(0).nRows, 2);
    EXPECT_TRUE(messages.shown.empty());
    // The edits are neither refreshed nor cleared.
    EXPECT_EQ(window.refreshes, 0);

    window.elements = "typed";
    page.OnSum();
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgChooseMatrices});
    EXPECT_EQ(window.elements, "typed");
    EXPECT_EQ(window.refreshes, 0);
}

TEST_F(MatrixPage, AddChecksTextThenShapeThenName) {
    add("", 2, 2, "");
    add("A", 2, 0, "1");
    add("A", -1, 2, "1");
    add("", 2, 2, "1");
    EXPECT_EQ(messages.shown, (std::vector<int>{kMsgEnterMatrix, kMsgShapeNotPositive,
                                                kMsgShapeNotPositive, kMsgEnterName}));
    EXPECT_TRUE(page.names().empty());
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(MatrixPage, SameNameIgnoringLatinCaseOffersOverwrite) {
    add("A", 2, 2, "1 2 3 4");
    messages.answers = {true};
    add("a", 1, 1, "9");
    EXPECT_EQ(messages.asked, std::vector<int>{kAskOverwrite});
    EXPECT_EQ(page.names(), Names{"A"});  // the list keeps the first spelling
    EXPECT_EQ(store.read(0).strElements, "9");
    EXPECT_EQ(store.read(0).nRows, 1);

    messages.answers = {false};
    add("A", 3, 3, "unwanted");
    EXPECT_EQ(store.read(0).strElements, "9");
    EXPECT_EQ(page.names().size(), 1u);
}

TEST_F(MatrixPage, OnlyLatinLettersAToZFoldCase) {
    add("x1", 1, 1, "1");
    add("\xC3\x84", 1, 1, "2");      // Ä
    add("\xC3\xA4", 1, 1, "3");      // ä
    add("\xEF\xBC\xA1", 1, 1, "4");  // full-width A
    add("\xEF\xBD\x81", 1, 1, "5");  // full-width a
    add("x1 ", 1, 1, "6");           // whole text: a trailing blank differs
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(page.names().size(), 6u);
    messages.answers = {true};
    add("X1", 1, 1, "7");
    EXPECT_EQ(messages.asked, std::vector<int>{kAskOverwrite});
    EXPECT_EQ(store.read(0).strElements, "7");
}

TEST_F(MatrixPage, OverwriteHitsTheMatchingEntryNotALongerName) {
    add("A", 1, 1, "1");
    add("AB", 1, 1, "2");
    EXPECT_TRUE(messages.asked.empty());
    EXPECT_EQ(page.listSelection(), 1);
    messages.answers = {true};
    add("A", 1, 1, "3");
    EXPECT_EQ(store.read(0).strElements, "3");
    EXPECT_EQ(store.read(1).strElements, "2");
    EXPECT_EQ(page.listSelection(), 1);  // selections stay as they were
}

TEST_F(MatrixPage, FullListRefusesNewNamesButStillOverwrites) {
    for (int i = 0; i < MatrixStore::kCapacity; ++i) add(std::to_string(i) + "m", 1, 1, "1");
    ASSERT_TRUE(messages.shown.empty());
    add("new", 1, 1, "2");
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgListFull});
    EXPECT_EQ(page.names().size(), 1000u);
    messages.answers = {true};
    add("999M", 1, 1, "3");
    EXPECT_EQ(messages.asked, std::vector<int>{kAskOverwrite});
    EXPECT_EQ(store.read(999).strElements, "3");
}

TEST_F(MatrixPage, DeleteSelectsNeighboursAndKeepsOtherSelections) {
    addFour();
    page.selectInList(2);  // R
    page.selectFirst(2);   // R
    page.selectSecond(0);  // P
    window.elements = "unsaved typing";
    messages.answers = {true};
    page.OnDeleteMatrix();
    EXPECT_EQ(messages.asked, std::vector<int>{kAskDelete});
    EXPECT_EQ(page.names(), (Names{"P", "Q", "S"}));
    EXPECT_EQ(page.listSelection(), 2);
    EXPECT_EQ(page.firstSelection(), 2);
    EXPECT_EQ(page.secondSelection(), 0);
    EXPECT_EQ(window.name, "S");
    EXPECT_EQ(window.elements, "4 4 4 4");
    EXPECT_EQ(window.cols, 4);
    EXPECT_EQ(store.read(0).strElements, "1");
    EXPECT_EQ(store.read(1).strElements, "2 2");
    EXPECT_EQ(store.read(2).strElements, "4 4 4 4");
}

TEST_F(MatrixPage, DeleteMovesLaterSelectionsDownWithTheirNames) {
    addFour();
    page.selectInList(1);  // Q
    page.selectFirst(3);   // S
    messages.answers = {true};
    page.OnDeleteMatrix();
    EXPECT_EQ(page.names(), (Names{"P", "R", "S"}));
    EXPECT_EQ(page.listSelection(), 1);   // R, which followed Q
    EXPECT_EQ(page.firstSelection(), 2);  // still S
    EXPECT_FALSE(page.secondSelection().has_value());
    EXPECT_EQ(window.name, "R");
}

TEST_F(MatrixPage, DeletingTheLastNameSelectsTheNewLast) {
    addFour();
    page.selectFirst(3);
    page.selectSecond(3);
    ASSERT_EQ(page.listSelection(), 3);
    messages.answers = {true};
    page.OnDeleteMatrix();
    EXPECT_EQ(page.listSelection(), 2);
    EXPECT_EQ(page.firstSelection(), 2);
    EXPECT_EQ(page.secondSelection(), 2);
    EXPECT_EQ(window.name, "R");
}

TEST_F(MatrixPage, DeletingTheOnlyMatrixEmptiesSelectorsAndClearsTextAndName) {
    add("A", 2, 3, "1 2 3 4 5 6");
    page.selectFirst(0);
    page.selectSecond(0);
    messages.answers = {true};
    page.OnDeleteMatrix();
    EXPECT_TRUE(page.names().empty());
    EXPECT_FALSE(page.listSelection().has_value());
    EXPECT_FALSE(page.firstSelection().has_value());
    EXPECT_FALSE(page.secondSelection().has_value());
    EXPECT_EQ(window.elements, "");
    EXPECT_EQ(window.name, "");
    EXPECT_EQ(window.rows, 2);
    EXPECT_EQ(window.cols, 3);

    page.OnDeleteMatrix();
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgListEmpty});
    EXPECT_EQ(messages.asked, std::vector<int>{kAskDelete});  // no second question
}

TEST_F(MatrixPage, AnsweringNoToDeleteChangesNothing) {
    addFour();
    page.selectInList(1);
    window.elements = "typed";
    page.OnDeleteMatrix();  // the script is empty: No
    EXPECT_EQ(page.names().size(), 4u);
    EXPECT_EQ(page.listSelection(), 1);
    EXPECT_EQ(window.elements, "typed");
    EXPECT_EQ(window.refreshes, 0);
}

TEST_F(MatrixPage, PickingANameReplacesUnsavedTyping) {
    addFour();
    window.elements = "typed";
    window.name = "typed";
    window.rows = 7;
    window.cols = 7;
    page.selectInList(1);
    page.OnSelchangeMatrixList();
    EXPECT_EQ(window.elements, "2 2");
    EXPECT_EQ(window.name, "Q");
    EXPECT_EQ(window.rows, 1);
    EXPECT_EQ(window.cols, 2);
    page.selectInList(4);  // no such name: ignored
    EXPECT_EQ(page.listSelection(), 1);
}

TEST_F(MatrixPage, ResultGoesToTheEditsButNotToTheList) {
    add("u", 1, 3, "1 2 3");
    add("v", 3, 1, "4 5 6");
    page.selectFirst(0);
    page.selectSecond(1);
    page.OnProduct();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window.elements, "32,\r\n");
    EXPECT_EQ(window.rows, 1);
    EXPECT_EQ(window.cols, 1);
    EXPECT_EQ(window.name, "Product");
    EXPECT_EQ(page.names().size(), 2u);
    EXPECT_EQ(page.listSelection(), 1);
    EXPECT_EQ(page.firstSelection(), 0);

    page.OnAddMatrix();  // keeps the result under its name
    EXPECT_EQ(page.names(), (Names{"u", "v", "Product"}));
    EXPECT_EQ(store.read(2).strElements, "32,\r\n");
}

TEST_F(MatrixPage, ResultNamesAndShapes) {
    add("a", 2, 1, "1 2");
    page.selectFirst(0);
    page.selectSecond(0);
    page.OnSum();
    EXPECT_EQ(window.name, "Sum");
    EXPECT_EQ(window.elements, "2,\r\n4,\r\n");
    EXPECT_EQ(window.rows, 2);
    EXPECT_EQ(window.cols, 1);
    page.OnDifference();
    EXPECT_EQ(window.name, "Difference");
    EXPECT_EQ(window.elements, "0,\r\n0,\r\n");
}

TEST_F(MatrixPage, ShapeFailureShowsTheStoredFieldsAgain) {
    add("a", 1, 2, "1 2");
    add("b", 2, 1, "1 2");
    page.selectFirst(0);
    page.selectSecond(1);
    window.elements = "unsaved";
    page.OnSum();
    EXPECT_EQ(window.elements, "1 2");  // the fields as add last read them
    window.elements = "unsaved";
    page.OnDifference();
    EXPECT_EQ(window.elements, "1 2");
    page.selectSecond(0);
    page.OnProduct();
    EXPECT_EQ(messages.shown,
              (std::vector<int>{kMsgSumShapes, kMsgDifferenceShapes, kMsgProductShapes}));
    EXPECT_EQ(window.name, "b");
}

TEST_F(MatrixPage, ResultTooLargeIsRefusedWithAMessage) {
    add("col", 100000, 1, "1");
    add("row", 1, 100000, "1");
    page.selectFirst(0);
    page.selectSecond(1);
    const int refreshes = window.refreshes;
    page.OnProduct();
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgNoMemory});
    EXPECT_EQ(window.refreshes, refreshes);
    EXPECT_EQ(page.m_strName, "row");
}

TEST_F(MatrixPage, CancelledOperationWritesNothingBack) {
    add("a", 200, 200, "1");
    page.selectFirst(0);
    page.selectSecond(0);
    WorkControl control;
    control.requestCancel();
    page.OnProduct(&control);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(page.m_strName, "a");
}

}  // namespace
