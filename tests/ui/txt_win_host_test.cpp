#include "ui/txt_win_host.h"

#include <gtest/gtest.h>

#include "tests/ui/rich_edit_test_support.h"
#include "ui/platform_abi.h"
#include "ui/rich_edit.h"
#include "ui/scroll_bar.h"

namespace {

using rich_edit_test::EditWindow;

// A host that never started its services: every request is answered from its own fields
// and nothing reaches for the missing services (as while they are created, or after a
// failed start).
TEST(TxtWinHost, WithoutServicesEveryCallIsSafe) {
    auto* host = new ui::CTxtWinHost;
    EXPECT_EQ(host->GetTextServices(), nullptr);
    host->SetClientRect(RECT{0, 0, 100, 20});
    RECT rect{};
    host->GetControlRect(&rect);
    EXPECT_EQ(rect.right, 100);
    SIZEL extent{};
    host->TxGetExtent(&extent);
    EXPECT_EQ(extent.cx, 2646);  // 100 pixels at 96 per inch, in HIMETRIC
    SIZE natural{};
    EXPECT_FALSE(host->GetNaturalSize(100, 0, natural));
    EXPECT_TRUE(host->ActivateInPlace());
    host->SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    host->SetFont(nullptr);
    host->SetRichText(true);
    EXPECT_EQ(host->TxNotify(EN_CHANGE, nullptr), S_OK);
    EXPECT_EQ(host->TxGetDC(), nullptr);
    EXPECT_TRUE(host->TxSetScrollRange(SB_VERT, 0, 500, TRUE));
    EXPECT_TRUE(host->TxCreateCaret(nullptr, 0, 10));
    DWORD bits = 0xFFFF;
    host->TxGetPropertyBits(0, &bits);
    EXPECT_EQ(bits, 0u);
    EXPECT_EQ(host->AddRef(), 1u);  // never initialised: the count started at 0
    EXPECT_EQ(host->Release(), 0u);  // deleted, touching no services
}

TEST(TxtWinHost, AnswersOnlyItsOwnInterfaces) {
    EditWindow window;
    ui::RichEdit* edit = window.AddEdit(L"");
    ASSERT_TRUE(window.Open());
    ui::CTxtWinHost* host = edit->GetHost();
    ASSERT_NE(host, nullptr);
    void* object = nullptr;
    ASSERT_EQ(host->QueryInterface(ui::kIidTextHost, &object), S_OK);
    EXPECT_EQ(object, static_cast<ITextHost*>(host));
    EXPECT_EQ(host->Release(), 1u);  // the edit's own reference is the only other one
    ASSERT_EQ(host->QueryInterface(IID_IUnknown, &object), S_OK);
    host->Release();
    object = &object;
    EXPECT_EQ(host->QueryInterface(ui::kIidTextServices, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    TXTBACKSTYLE style = TXTBACK_OPAQUE;
    host->TxGetBackStyle(&style);
    EXPECT_EQ(style, TXTBACK_TRANSPARENT);
}

TEST(TxtWinHost, PropertyBitsFollowTheEditsStyle) {
    struct Case {
        const wchar_t* attributes;
        DWORD bits;
    } const cases[] = {
        {L"", TXTBIT_MULTILINE | TXTBIT_HIDESELECTION | TXTBIT_WORDWRAP},
        {L"multiline='false' password='true' readonly='true'",
         TXTBIT_USEPASSWORD | TXTBIT_READONLY | TXTBIT_HIDESELECTION | TXTBIT_WORDWRAP},
        {L"autohscroll='true'", TXTBIT_MULTILINE | TXTBIT_HIDESELECTION},
        {L"hscrollbar='true'", TXTBIT_MULTILINE | TXTBIT_HIDESELECTION},
        {L"rich='true'", TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_HIDESELECTION | TXTBIT_WORDWRAP},
    };
    EditWindow window;
    std::vector<ui::RichEdit*> edits;
    for (const Case& c : cases) edits.push_back(window.AddEdit(c.attributes, 20));
    ASSERT_TRUE(window.Open());
    for (std::size_t i = 0; i < edits.size(); ++i) {
        SCOPED_TRACE(cases[i].attributes);
        DWORD bits = 0;
        edits[i]->GetHost()->TxGetPropertyBits(0xFFFFFFFF, &bits);
        EXPECT_EQ(bits, cases[i].bits);
        edits[i]->GetHost()->TxGetPropertyBits(TXTBIT_WORDWRAP, &bits);
        EXPECT_EQ(bits, cases[i].bits & TXTBIT_WORDWRAP);
    }
}

TEST(TxtWinHost, ScrollRangeIsWhatExceedsTheViewAndPositionsAreClamped) {
    EditWindow window;
    ui::RichEdit* edit = window.AddEdit(L"vscrollbar='true'", 60);
    ASSERT_TRUE(window.Open());
    ui::CTxtWinHost* host = edit->GetHost();
    ui::ScrollBar* bar = edit->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    DWORD scrollBars = 0;
    host->TxGetScrollBars(&scrollBars);
    EXPECT_EQ(scrollBars, static_cast<DWORD>(WS_VSCROLL | ES_DISABLENOSCROLL));

    const RECT client = host->GetClientRect();
    const LONG view = client.bottom - client.top;
    host->TxSetScrollRange(SB_VERT, 10, 10 + view, TRUE);
    EXPECT_EQ(bar->GetScrollRange(), 0);
    host->TxSetScrollRange(SB_VERT, 10, 10 + view + 1, TRUE);
    EXPECT_EQ(bar->GetScrollRange(), 1);
    host->TxSetScrollRange(SB_VERT, 0, view + 40, TRUE);
    EXPECT_EQ(bar->GetScrollRange(), 40);
    host->TxSetScrollPos(SB_VERT, -5, TRUE);
    EXPECT_EQ(bar->GetScrollPos(), 0);
    host->TxSetScrollPos(SB_VERT, 500, TRUE);
    EXPECT_EQ(bar->GetScrollPos(), 40);
    host->TxEnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_EQ(bar->GetScrollRange(), 0);
    EXPECT_FALSE(bar->IsVisible());
}

TEST(TxtWinHost, TheBarFollowsTheTextThatTheServicesLayOut) {
    ui::OleScope ole;
    EditWindow window;
    ui::RichEdit* edit = window.AddEdit(L"vscrollbar='true' autovscroll='true'", 60);
    ASSERT_TRUE(window.Open());
    ui::ScrollBar* bar = edit->GetVerticalScrollBar();
    edit->SetText(L"1\r2\r3\r4\r5\r6\r7\r8");
    window_test::PumpPending();
    EXPECT_GT(bar->GetScrollRange(), 0);
    edit->SetText(L"1");
    window_test::PumpPending();
    EXPECT_EQ(bar->GetScrollRange(), 0);
}

TEST(TxtWinHost, CaretOfWidthZeroTakesTheSystemsWidth) {
    EditWindow window;
    ui::RichEdit* edit = window.AddEdit(L"");
    ASSERT_TRUE(window.Open());
    edit->GetHost()->TxCreateCaret(nullptr, 0, 16);
    EXPECT_EQ(edit->GetCaretSize().cx, ::GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(edit->GetCaretSize().cy, 16);
    edit->GetHost()->TxCreateCaret(nullptr, 3, 12);
    EXPECT_EQ(edit->GetCaretSize().cx, 3);
}

TEST(TxtWinHost, VerticalAlignmentMovesTheTextRectangle) {
    EditWindow window;
    ui::RichEdit* top = window.AddEdit(L"text='x'", 60);
    ui::RichEdit* centre = window.AddEdit(L"text='x' align='vcenter'", 60);
    ui::RichEdit* bottom = window.AddEdit(L"text='x' align='bottom'", 60);
    ASSERT_TRUE(window.Open());
    for (ui::RichEdit* edit : {top, centre, bottom}) {
        ui::CTxtWinHost* host = edit->GetHost();
        const RECT client = host->GetClientRect();
        SIZE natural{};
        ASSERT_TRUE(host->GetNaturalSize(client.right - client.left, 0, natural));
        ASSERT_GT(natural.cy, 0);
        const LONG room = client.bottom - client.top - natural.cy;
        const LONG shift = edit == top ? 0 : edit == centre ? room / 2 : room;
        RECT rect{};
        host->GetControlRect(&rect);
        EXPECT_EQ(rect.top, client.top + shift);
        EXPECT_EQ(rect.bottom, client.bottom + shift);
    }
}

}  // namespace
