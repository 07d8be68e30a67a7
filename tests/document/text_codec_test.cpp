#include "document/text_codec.h"

#include <gtest/gtest.h>

TEST(Codec, Windows1251)
{
    EXPECT_EQ(codec::cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2 abc"), "Привет abc");
    EXPECT_EQ(codec::utf8ToCp1251("Привет abc"), "\xCF\xF0\xE8\xE2\xE5\xF2 abc");
    // 0x98 has no character: it survives a round trip.
    EXPECT_EQ(codec::utf8ToCp1251(codec::cp1251ToUtf8("a\x98z")), "a\x98z");
    // Characters without a byte become '?', as do malformed bytes.
    EXPECT_EQ(codec::utf8ToCp1251("a中b"), "a?b");
    EXPECT_EQ(codec::utf8ToCp1251("a\xFF" "b"), "a?b");
}

TEST(Codec, Utf16LittleEndian)
{
    const std::string text = "Кабель 1.5\n𝄞";
    const std::string bytes = codec::utf8ToUtf16le(text);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x1A\x04", 2));
    EXPECT_EQ(bytes.size(), (11 + 2) * 2u);
    EXPECT_EQ(codec::utf16leToUtf8(bytes), text);
    EXPECT_EQ(codec::utf16leToUtf8(std::string("A\0B", 3)), "A\xEF\xBF\xBD");   // odd trailing byte
    EXPECT_EQ(codec::utf16leToUtf8(std::string("\x00\xD8" "A\0", 4)), "\xEF\xBF\xBD" "A");
}

TEST(Codec, Utf8CharacterCounts)
{
    EXPECT_EQ(codec::utf8Length("Жж1"), 3u);
    EXPECT_EQ(codec::utf8Prefix("Жж1", 2), "Жж");
    EXPECT_EQ(codec::utf8Prefix("ab", 5), "ab");
}

TEST(Codec, SplitLinesAcceptsLfCrlfAndAMissingLastLineEnd)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(codec::splitLines("a\nb\r\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(codec::splitLines("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(codec::splitLines(""), V{});
    EXPECT_EQ(codec::splitLines("x\r"), V{"x"});
}
