#include "ui/rich_edit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/ui/rich_edit_test_support.h"
#include "tests/ui/support/render_snapshot.h"
#include "ui/global_manager.h"
#include "ui/scrollable_box.h"
#include "ui/vlayout.h"
#include "ui/txt_win_host.h"

namespace {

using rich_edit_test::EditWindow;
using rich_edit_test::PressChord;
using rich_edit_test::TypeText;

class RichEditTest : public ::testing::Test {
protected:
    // Counts the events of one type that the edit raises.
    static int* Count(ui::RichEdit* edit, int type) {
        auto counter = std::make_shared<int>(0);
        edit->EventMapAt(type).push_back([counter](ui::EventArgs*) {
            ++*counter;
            return true;
        });
        return counter.get();  // kept alive by the handler, which lives as long as the edit
    }

    // Paints the whole window again and reads one pixel of what it drew.
    ui_test::Pixel PaintedPixel(int x, int y) {
        ::InvalidateRect(window_.Hwnd(), nullptr, FALSE);
        ::UpdateWindow(window_.Hwnd());
        return ui_test::PixelAt(*window_.Window().GetRenderContext(), x, y);
    }

    // Pixels near a colour (alpha ignored: GDI text leaves it 0; smoothed text blends its
    // edges) inside a rectangle.
    int PixelsOfColor(const RECT& area, BYTE r, BYTE g, BYTE b) {
        ::InvalidateRect(window_.Hwnd(), nullptr, FALSE);
        ::UpdateWindow(window_.Hwnd());
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const ui_test::Pixel p = ui_test::PixelAt(*window_.Window().GetRenderContext(), x, y);
                const auto alike = [](BYTE got, BYTE want) { return std::abs(got - want) < 80; };
                count += alike(p.r, r) && alike(p.g, g) && alike(p.b, b) ? 1 : 0;
            }
        }
        return count;
    }

    ui::OleScope ole_;
    EditWindow window_;
};

// Before its start, or when the services cannot be had, the edit answers every text question
// with nothing, and a refused message leaves its result 0.
TEST(RichEditInert, WithoutServicesTextsAreEmptyAndResultsZero) {
    ui::RichEdit edit;
    LRESULT result = 12345;
    EXPECT_EQ(edit.TxSendMessage(EM_GETTEXTLENGTHEX, 0, 0, &result), S_FALSE);
    EXPECT_EQ(result, 0);
    edit.SetText(L"kept for the start");
    EXPECT_EQ(edit.GetText(), L"");
    EXPECT_EQ(edit.GetSelText(), L"");
    EXPECT_EQ(edit.GetUTF8Text(), "");
    edit.SetPos(RECT{0, 0, 100, 30});
    EXPECT_EQ(edit.EstimateSize(SIZE{100, 100}).cx, -1);
}

TEST_F(RichEditTest, TypedKeysBecomeTextAndRaiseTextChange) {
    ui::RichEdit* edit = window_.AddEdit(L"");
    ASSERT_TRUE(window_.Open());
    ASSERT_NE(edit->GetHost(), nullptr);
    ASSERT_NE(edit->GetHost()->GetTextServices(), nullptr);
    const int* changes = Count(edit, ui::kEventTextChange);
    ASSERT_TRUE(window_.Focus(edit));
    TypeText(L"Ab1");
    EXPECT_EQ(edit->GetText(), L"Ab1");
    EXPECT_EQ(*changes, 3);
    PressChord({VK_BACK});
    EXPECT_EQ(edit->GetUTF8Text(), "Ab");
}

TEST_F(RichEditTest, TextBeforeStartIsTheContentAndLaterTextReplacesItWithoutUndo) {
    ui::RichEdit* edit = window_.AddEdit(L"text='first'");
    ASSERT_TRUE(window_.Open());
    EXPECT_EQ(edit->GetText(), L"first");
    edit->SetUTF8Text("Gr\xC3\xBC\xC3\x9F" "e \xE6\xBC\xA2");
    EXPECT_EQ(edit->GetText(), L"Gr\u00FC\u00DFe \u6F22");
    EXPECT_EQ(edit->GetUTF8Text(), "Gr\xC3\xBC\xC3\x9F" "e \xE6\xBC\xA2");
    ASSERT_TRUE(window_.Focus(edit));
    PressChord({VK_CONTROL, 'Z'});
    EXPECT_EQ(edit->GetText(), L"Gr\u00FC\u00DFe \u6F22");
}

TEST_F(RichEditTest, NumberOnlyDropsOtherCharactersButNotKeys) {
    ui::RichEdit* edit = window_.AddEdit(L"number='true' multiline='false'");
    ASSERT_TRUE(window_.Open());
    ASSERT_TRUE(window_.Focus(edit));
    TypeText(L"a1b2 -3!");
    EXPECT_EQ(edit->GetText(), L"123");
    PressChord({VK_HOME});  // keys still move the caret
    TypeText(L"9x");
    EXPECT_EQ(edit->GetText(), L"9123");
}

TEST_F(RichEditTest, NumberOnlyPasteTakesTheDigitsAsOneUndoStepAndLeavesTheClipboard) {
    ui::RichEdit* edit = window_.AddEdit(L"number='true' multiline='false' text='77'");
    ASSERT_TRUE(window_.Open());
    ASSERT_TRUE(window_.Focus(edit));
    const int* changes = Count(edit, ui::kEventTextChange);

    ASSERT_TRUE(rich_edit_test::SetClipboardText(L"a1b2"));
    PressChord({VK_CONTROL, 'A'});
    PressChord({VK_CONTROL, 'V'});
    EXPECT_EQ(edit->GetText(), L"12");  // the digits replaced the selection
    EXPECT_EQ(rich_edit_test::GetClipboardText(), L"a1b2");
    EXPECT_GE(*changes, 1);
    PressChord({VK_CONTROL, 'Z'});  // one step back to where it was
    EXPECT_EQ(edit->GetText(), L"77");

    ASSERT_TRUE(rich_edit_test::SetClipboardText(L"abc"));
    PressChord({VK_END});
    PressChord({VK_CONTROL, 'V'});
    EXPECT_EQ(edit->GetText(), L"77");
    EXPECT_EQ(rich_edit_test::GetClipboardText(), L"abc");
}

TEST_F(RichEditTest, CopyAndPasteGoThroughTheRealClipboard) {
    ui::RichEdit* from = window_.AddEdit(L"");
    ui::RichEdit* to = window_.AddEdit(L"");
    ASSERT_TRUE(window_.Open());
    ASSERT_TRUE(window_.Focus(from));
    TypeText(L"hello there");
    PressChord({VK_SHIFT, VK_HOME});
    EXPECT_EQ(from->GetSelText(), L"hello there");
    PressChord({VK_CONTROL, 'C'});
    EXPECT_EQ(rich_edit_test::GetClipboardText(), L"hello there");

    ASSERT_TRUE(window_.Focus(to));
    PressChord({VK_CONTROL, 'V'});
    EXPECT_EQ(to->GetText(), L"hello there");
}

TEST_F(RichEditTest, ReturnRaisesItsEventOnlyWithTheConfiguredControlKey) {
    struct Case {
        const wchar_t* attributes;
        std::initializer_list<WORD> chord;
        bool raises;
    } const cases[] = {
        {L"wantreturnmsg='true'", {VK_RETURN}, true},
        {L"wantreturnmsg='true'", {VK_CONTROL, VK_RETURN}, false},
        {L"wantreturnmsg='true'", {VK_SHIFT, VK_RETURN}, false},
        {L"wantreturnmsg='true' returnmsgwantctrl='true'", {VK_CONTROL, VK_RETURN}, true},
        {L"wantreturnmsg='true' returnmsgwantctrl='true'", {VK_RETURN}, false},
        {L"", {VK_RETURN}, false},
    };
    std::vector<std::pair<ui::RichEdit*, const int*>> edits;
    for (const Case& c : cases) {
        ui::RichEdit* edit = window_.AddEdit(c.attributes, 20);
        edits.emplace_back(edit, Count(edit, ui::kEventReturn));
    }
    ASSERT_TRUE(window_.Open());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(window_.Focus(edits[i].first));
        PressChord(cases[i].chord);
        EXPECT_EQ(*edits[i].second, cases[i].raises ? 1 : 0);
        // A raised "return" never reaches the text; otherwise the multiline edit takes a line.
        EXPECT_EQ(edits[i].first->GetText().empty(), cases[i].raises);
    }
}

TEST_F(RichEditTest, TabIsTextWhereWantedAndElseMovesTheFocus) {
    ui::RichEdit* wants = window_.AddEdit(L"");
    ui::RichEdit* passes = window_.AddEdit(L"wanttab='false'");
    ASSERT_TRUE(window_.Open());
    ASSERT_TRUE(window_.Focus(wants));
    PressChord({VK_TAB});
    EXPECT_EQ(wants->GetText(), L"\t");
    EXPECT_EQ(window_.Window().GetFocus(), wants);

    ASSERT_TRUE(window_.Focus(passes));
    PressChord({VK_TAB});
    EXPECT_NE(window_.Window().GetFocus(), passes);
    EXPECT_EQ(passes->GetText(), L"");
}

TEST_F(RichEditTest, TabInTheOnlyFieldThatRefusesItRaisesTheTabEvent) {
    ui::RichEdit* edit = window_.AddEdit(L"wanttab='false'");
    ASSERT_TRUE(window_.Open());
    const int* tabs = Count(edit, ui::kEventTab);
    ASSERT_TRUE(window_.Focus(edit));
    PressChord({VK_TAB});
    EXPECT_EQ(*tabs, 1);
    EXPECT_EQ(edit->GetText(), L"");
}

TEST_F(RichEditTest, CaretIsDrawnBlinksWhileFocusedAndStopsWhenFocusGoes) {
    ui::GlobalManager::AddTextColor(L"edit_test_caret", 0xFFFF0000);
    ui::RichEdit* edit = window_.AddEdit(L"caretcolor='edit_test_caret'");
    ui::RichEdit* other = window_.AddEdit(L"");
    ASSERT_TRUE(window_.Open());
    ASSERT_TRUE(window_.Focus(edit));
    TypeText(L"ab");
    const POINT caret = edit->GetCaretPos();
    const SIZE size = edit->GetCaretSize();
    EXPECT_GT(size.cx, 0);  // Wine asks for width 0, meaning the system's
    EXPECT_GT(size.cy, 0);
    const RECT caretArea{caret.x - 1, caret.y, caret.x + size.cx + 1, caret.y + size.cy};

    const bool first = edit->IsCaretShown();
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return edit->IsCaretShown() != first; }, 2000));
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return edit->IsCaretShown() == first; }, 2000));
    if (!edit->IsCaretShown()) {
        ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return edit->IsCaretShown(); }, 2000));
    }
    EXPECT_GT(PixelsOfColor(caretArea, 0xFF, 0, 0), 0);
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return !edit->IsCaretShown(); }, 2000));
    EXPECT_EQ(PixelsOfColor(caretArea, 0xFF, 0, 0), 0);

    ASSERT_TRUE(window_.Focus(other));
    EXPECT_FALSE(edit->IsCaretShown());
    ASSERT_TRUE(ui_test::PassTime(700));
    EXPECT_FALSE(edit->IsCaretShown());
}

TEST_F(RichEditTest, PromptShowsOnlyInAnEmptyEditableFieldWithAPromptColour) {
    ui::GlobalManager::AddTextColor(L"edit_test_prompt", 0xFF0000FF);
    const std::wstring prompt = L"prompttext='Type here' promptcolor='edit_test_prompt'";
    ui::RichEdit* shown = window_.AddEdit(prompt);
    ui::RichEdit* noColor = window_.AddEdit(L"prompttext='Type here'");
    ui::RichEdit* readOnly = window_.AddEdit(prompt + L" readonly='true'");
    ASSERT_TRUE(window_.Open());
    EXPECT_GT(PixelsOfColor(shown->GetPos(), 0, 0, 0xFF), 0);
    EXPECT_EQ(PixelsOfColor(noColor->GetPos(), 0, 0, 0xFF), 0);
    EXPECT_EQ(PixelsOfColor(readOnly->GetPos(), 0, 0, 0xFF), 0);

    ASSERT_TRUE(window_.Focus(shown));
    TypeText(L"x");
    EXPECT_EQ(PixelsOfColor(shown->GetPos(), 0, 0, 0xFF), 0);
    PressChord({VK_BACK});
    EXPECT_GT(PixelsOfColor(shown->GetPos(), 0, 0, 0xFF), 0);
}

TEST_F(RichEditTest, TypingStopsAtTheLimit) {
    ui::RichEdit* edit = window_.AddEdit(L"");
    ASSERT_TRUE(window_.Open());
    const int limit = edit->GetLimitText();
    // Short paragraphs: the services lay one long paragraph out again at every key, slowly.
    std::wstring full(static_cast<std::size_t>(limit) - 1, L'a');
    for (std::size_t i = 63; i < full.size(); i += 64) full[i] = L'\r';
    edit->SetText(full);
    ASSERT_TRUE(window_.Focus(edit));
    PressChord({VK_CONTROL, VK_END});
    TypeText(L"bcd");
    const std::wstring text = edit->GetText();
    EXPECT_EQ(text.size(), static_cast<std::size_t>(limit));
    EXPECT_EQ(text.back(), L'b');
}

TEST_F(RichEditTest, TextIsDrawnOverWhatLiesBehindTheField) {
    ui::GlobalManager::AddTextColor(L"edit_test_background", 0xFF808080);
    ui::RichEdit* edit = window_.AddEdit(L"text='abc'");
    ASSERT_TRUE(window_.Open());
    const RECT r = edit->GetPos();
    const ui_test::Pixel behind = PaintedPixel(r.right - 5, r.bottom - 5);
    EXPECT_EQ(behind.r, 0x80);  // Wine reads the back style only while it starts the services
    EXPECT_EQ(behind.b, 0x80);
    EXPECT_GT(PixelsOfColor(r, 0, 0, 0), 0);  // the text itself
}

TEST_F(RichEditTest, LinkNotificationReachesTheWindowAsTheRealRecord) {
    ui::RichEdit* edit = window_.AddEdit(L"text='see the link'");
    ASSERT_TRUE(window_.Open());
    ENLINK link{};
    link.msg = WM_MOUSEMOVE;
    link.chrg = CHARRANGE{4, 8};
    edit->OnTxNotify(EN_LINK, &link);  // only a click on the link counts
    EXPECT_EQ(window_.Window().Count(WM_NOTIFY), 0);

    link.msg = WM_LBUTTONUP;
    edit->OnTxNotify(EN_LINK, &link);
    const window_test::Message notify = window_.Window().Last(WM_NOTIFY);
    ASSERT_EQ(notify.message, static_cast<UINT>(WM_NOTIFY));
    ASSERT_EQ(notify.lParam, reinterpret_cast<LPARAM>(&link));
    EXPECT_EQ(link.nmhdr.hwndFrom, window_.Hwnd());
    EXPECT_EQ(link.nmhdr.code, static_cast<UINT>(EN_LINK));
    EXPECT_EQ(edit->GetSelText(), L"the ");
}

TEST_F(RichEditTest, AlignmentAndStyleAttributes) {
    ui::RichEdit* centred = window_.AddEdit(L"align='hcenter,vcenter'");
    ui::RichEdit* left = window_.AddEdit(L"align='right' align='left'");
    ui::RichEdit* number = window_.AddEdit(L"number='true' vscrollbar='false'");
    ui::RichEdit* numberWithBar = window_.AddEdit(L"number='true' hscrollbar='true' vscrollbar='false'");
    ASSERT_TRUE(window_.Open());

    const PARAFORMAT* format = nullptr;
    centred->GetHost()->TxGetParaFormat(&format);
    EXPECT_EQ(format->wAlignment, PFA_CENTER);
    EXPECT_EQ(centred->GetTextVerAlignType(), ui::kVerAlignCenter);
    EXPECT_EQ(left->GetEditStyle() & (ES_CENTER | ES_RIGHT), 0u);

    EXPECT_EQ(number->GetEditStyle() & ES_DISABLENOSCROLL, 0u);
    EXPECT_TRUE(number->IsNumberOnly());
    EXPECT_NE(numberWithBar->GetEditStyle() & ES_DISABLENOSCROLL, 0u);
}

}  // namespace

// A field inside a scrolled box draws its text where the box shows the field, and nothing
// where the field would stand unscrolled; the text keeps the alpha of what it is drawn on, so
// a layered window shows it.
TEST(RichEditScrolled, TextIsDrawnAtTheFieldsShownPlace) {
    ui::OleScope ole;
    ui::GlobalManager::StartupRender();
    ui::GlobalManager::AddFont(L"edit_test_font", L"Tahoma", 20, true, false, false, true);
    ui::GlobalManager::AddTextColor(L"edit_test_background", 0xFFFFFFFF);
    auto* root = new ui::Box(new ui::Layout);
    root->SetBkColor(L"edit_test_background");
    auto* box = new ui::ScrollableBox(new ui::VLayout);
    box->SetAttribute(L"vscrollbar", L"true");
    box->SetFixedWidth(300, true, false);
    box->SetFixedHeight(250, false);
    root->Add(box);
    auto* spacer = new ui::Control;
    spacer->SetFixedHeight(150, false);
    box->Add(spacer);
    auto* edit = new ui::RichEdit;
    edit->SetFixedHeight(40, false);
    edit->ApplyAttributeList(L"font='edit_test_font' multiline='false' text='MMMMMMMM'");
    box->Add(edit);
    auto* below = new ui::Control;  // room below, so the box can scroll
    below->SetFixedHeight(300, false);
    box->Add(below);

    window_test::TestWindow window;
    ASSERT_NE(window.Open(false, RECT{0, 0, 400, 300}), nullptr);
    window.AttachRoot(root);
    ASSERT_TRUE(window_test::PumpUntilLaidOut(window));
    box->SetScrollPos(SIZE{0, 100});
    ASSERT_EQ(box->GetScrollPos().cy, 100);
    ::InvalidateRect(window.GetHWND(), nullptr, FALSE);
    ::UpdateWindow(window.GetHWND());

    const auto darkIn = [&window](RECT area) {
        int dark = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const ui_test::Pixel p = ui_test::PixelAt(*window.GetRenderContext(), x, y);
                dark += p.r < 80 && p.g < 80 && p.b < 80 && p.a == 255 ? 1 : 0;
            }
        }
        return dark;
    };
    EXPECT_GT(darkIn(RECT{0, 50, 200, 90}), 0);     // where the box shows the field
    EXPECT_EQ(darkIn(RECT{0, 150, 200, 190}), 0);  // not where it stands unscrolled
}
