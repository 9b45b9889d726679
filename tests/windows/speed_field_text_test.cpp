#include "windows/speed_field_text.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(SpeedFieldTextTest, ReadsTypesAndCommitsWithoutEverFailing) {
    struct Case {
        std::string text;
        std::string typed;  // what the field shows while typing
        int committed;      // what it stores when left
    } const cases[] = {
        {"", "", 100},
        {"4096", "4096", 4096},
        {"50", "50", 100},
        {"0", "0", 100},
        {"0123", "123", 123},
        {"10240", "10240", 10240},
        {"10241", "10240", 10240},
        {"20000", "10240", 10240},
        {"99999999999999999999999", "10240", 10240},  // past 64 bits: saturates, never wraps
        {"2147483648", "10240", 10240},
        {"12ab", "12", 100},
        {"abc", "0", 100},
        {"-5", "0", 100},
        {" 300", "0", 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedSpeedText(c.text), c.typed);
        EXPECT_EQ(CommittedSpeed(c.text), c.committed);
    }
}

}  // namespace
