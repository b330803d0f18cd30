// Cutting a UTF-8 text to its first characters: never inside a character, stray bytes
// counted as the marks they show as.
#include "core/names/utf8prefix.h"

#include <gtest/gtest.h>

namespace lumaro {
namespace {

TEST(Utf8PrefixTest, ACutNeverFallsInsideACharacter) {
    const struct {
        std::string_view text;
        size_t count;
        std::string_view first;
    } rows[] = {
        {"Rome", 2, "Ro"},
        {"Rome", 9, "Rome"},  // shorter than asked
        {"Rome", 0, ""},
        {"Été à Rome", 3, "Été"},                          // two-byte characters
        {"\xF0\x9F\x93\xB7 Rome", 1, "\xF0\x9F\x93\xB7"},  // a four-byte character whole
        {"\x80\x80Rome", 1, "\x80\x80"},                   // stray continuation bytes: one mark
        {"\xC3", 1, "\xC3"},                               // a sequence cut short by the end
        {"", 3, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FirstCharacters(row.text, row.count), row.first) << row.text << " " << row.count;
    }
}

}  // namespace
}  // namespace lumaro
