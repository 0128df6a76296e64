// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/determinant_page_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/number_text.h"
#include "core/string_ids.h"

namespace {

// Stands in for the window: the element and order edits, and the result edit.
struct FakeWindow final : PageControls {
    bool readControls() override {
        page->m_strElements = elements;
        if (orderIsInteger) page->m_nOrder = order;  // else the exchange stops there
        return orderIsInteger;
    }
    void refreshControls() override {
        ++refreshes;
        elements = page->m_strElements;
        order = page->m_nOrder;
        result = formatFloat(page->m_fResult);
    }

    DeterminantPageLogic* page = nullptr;
    std::string elements;
    int order = 0;
    bool orderIsInteger = true;
    std::string result = "0";
    int refreshes = 0;
};

class DeterminantPage : public testing::Test {
  protected:
    DeterminantPage() { window.page = &page; }

    std::string compute(const std::string& elements, int order) {
        window.elements = elements;
        window.order = order;
        page.OnCompute();
        return window.result;
    }

    DeterminantMatrix matrix;
    RecordingMessageService messages;
    FakeWindow window;
    DeterminantPageLogic page{matrix, messages, window};
};

TEST_F(DeterminantPage, ShowsTheSingleWithSixDigits) {
    EXPECT_EQ(compute("1 2 3 4", 2), "-2");
    EXPECT_EQ(compute("1,2,3\r\n4,5,6\r\n7,8,10", 3), "-3");
    EXPECT_EQ(compute("1 2 3 4 5", 2), "-2");
    EXPECT_EQ(compute("1 2 3", 3), "0");
    EXPECT_EQ(compute("1.1 2 3 7", 2), "1.7");
    EXPECT_EQ(compute("4097 0 0 4097", 2), "1.67854e+07");
    EXPECT_EQ(page.m_fResult, 16785408.0f);  // the double 16785409 stored as a single
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeterminantPage, SeparatorsOnlyReadAsZeros) {
    EXPECT_EQ(compute(" ,\r\n", 4), "0");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeterminantPage, ElementsOfAnEarlierLargerOrderDoNotLeakIn) {
    compute("9 9 9 9 9 9 9 9 9", 3);
    EXPECT_EQ(compute("2", 2), "0");
}

TEST_F(DeterminantPage, EmptyTextComesBeforeTheOrderCheck) {
    compute("1 2 3 4", 2);
    const int refreshes = window.refreshes;
    compute("", 51);
    compute("1", 1);
    compute("1", 51);
    EXPECT_EQ(messages.shown,
              (std::vector<int>{kMsgEnterDeterminant, kMsgOrderOutOfRange, kMsgOrderOutOfRange}));
    EXPECT_EQ(page.m_fResult, -2.0f);  // the result stays
    EXPECT_EQ(window.refreshes, refreshes);
}

// The window has said what is wrong; the request ends and the result stays.
TEST_F(DeterminantPage, ARefusedOrderEndsTheRequest) {
    compute("1 2 3 4", 2);
    window.orderIsInteger = false;
    EXPECT_EQ(compute("1 2 3 4 5 6 7 8 10", 3), "-2");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeterminantPage, OrderTooLargeForMemoryGivesAMessage) {
    compute("1 2 3 4", 50);
    EXPECT_EQ(messages.shown, std::vector<int>{kMsgNoMemory});
    EXPECT_EQ(page.m_fResult, 0.0f);
}

TEST_F(DeterminantPage, CancelledComputationWritesNothingBack) {
    window.elements = "1 2 3 4";
    window.order = 2;
    WorkControl control;
    control.requestCancel();
    page.OnCompute(&control);
    EXPECT_EQ(window.refreshes, 0);
    EXPECT_EQ(page.m_fResult, 0.0f);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
