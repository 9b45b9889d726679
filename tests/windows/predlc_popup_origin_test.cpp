#include "windows/predlc_popup_form.h"

#include <gtest/gtest.h>

namespace {

TEST(PreDlcPopupOrigin, StandsAtTheMainWindowsRightEdgeAboveTheAnchorAndNeverOffScreen) {
    struct Case {
        RECT main;
        SIZE popup;
        int anchorTop;
        POINT want;
    } const cases[] = {
        {{100, 100, 1440, 850}, {318, 212}, 322, {1117, 205}},
        {{0, 0, 200, 300}, {318, 212}, 100, {0, 0}},  // too little room: clamped to the origin
        {{-50, -40, 1290, 710}, {318, 212}, 322, {967, 65}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.anchorTop);
        const POINT origin = PreDlcPopupOrigin(c.main, c.popup, c.anchorTop, 5);
        EXPECT_EQ(origin.x, c.want.x);
        EXPECT_EQ(origin.y, c.want.y);
    }
}

}  // namespace
