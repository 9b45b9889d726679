#include "ui/rich_edit.h"

#include <gtest/gtest.h>

#include "tests/ui/rich_edit_test_support.h"
#include "ui/txt_win_host.h"

namespace {

using rich_edit_test::EditWindow;

class RichEditTest : public ::testing::Test {
protected:
    rich_edit_test::OleScope ole_;
    EditWindow window_;
};

TEST_F(RichEditTest, TypedKeysBecomeTextAndRaiseTextChange) {
    ui::RichEdit* edit = window_.AddEdit(L"");
    ASSERT_TRUE(window_.Open());
    ASSERT_NE(edit->GetHost(), nullptr);
    ASSERT_NE(edit->GetHost()->GetTextServices(), nullptr);
    int changes = 0;
    edit->EventMapAt(ui::kEventTextChange).push_back([&changes](ui::EventArgs*) {
        ++changes;
        return true;
    });
    ASSERT_TRUE(window_.Focus(edit));
    rich_edit_test::TypeText(L"Ab1");
    EXPECT_EQ(edit->GetText(), L"Ab1");
    EXPECT_EQ(changes, 3);
}

}  // namespace
