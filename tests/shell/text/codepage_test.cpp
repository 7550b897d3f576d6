#include "shell/text/codepage.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using shell::text::utf8ToGbk;
using Bytes = std::vector<std::uint8_t>;

// Converts one text, wording a failure with its offset.
shell::Expected<std::string> gbkToUtf8(const Bytes& gbk) {
    std::string out;
    std::size_t stop = 0;
    shell::text::CodePage936Reader reader;
    if (auto ok = reader.toUtf8(gbk, out, &stop); !ok)
        return shell::Error{"byte " + std::to_string(stop) + ": " + ok.error().message};
    return out;
}

std::string toGbk(const std::string& utf8) {
    auto r = utf8ToGbk(utf8);
    EXPECT_TRUE(r) << (r ? "" : r.error().message);
    return r ? *r : std::string();
}

std::string fromGbk(const std::string& gbk) {
    auto r = gbkToUtf8(Bytes(gbk.begin(), gbk.end()));
    EXPECT_TRUE(r) << (r ? "" : r.error().message);
    return r ? *r : std::string();
}

TEST(CodePage936, ConvertsBothWaysWithTheDocumentedBytes) {
    // ASCII, line breaks included, is unchanged; "手动链接" is the connect button's caption,
    // U+2026 is A1 AD, and the full-width forms keep their own code points.
    for (const auto& [utf8, gbk] : {std::pair<std::string, std::string>{"", ""},
                                    {"Label5 V2020 10.24AA\r\n\t~", "Label5 V2020 10.24AA\r\n\t~"},
                                    {"手动链接", "\xCA\xD6\xB6\xAF\xC1\xB4\xBD\xD3"},
                                    {"…（", "\xA1\xAD\xA3\xA8"},
                                    {"第一行\r\n第二行\n\n", "\xB5\xDA\xD2\xBB\xD0\xD0\r\n"
                                                             "\xB5\xDA\xB6\xFE\xD0\xD0\n\n"}}) {
        EXPECT_EQ(toGbk(utf8), gbk) << utf8;
        EXPECT_EQ(fromGbk(gbk), utf8) << utf8;
    }
    for (const std::string text : {"正在等待连接您的设备 … … ", "（）【】，。：；！？、“”‘’《》～",
                                   "等待数据读取……", "岚溯穹岳（", "64位WINXP及以上版本", "€"})
        EXPECT_EQ(fromGbk(toGbk(text)), text) << text;
    std::string longText;
    for (int i = 0; i < 2000; ++i)
        longText += "数据研究院 ";
    EXPECT_EQ(toGbk(longText).size(), 2000u * 11u);
    EXPECT_EQ(fromGbk(toGbk(longText)), longText);
}

TEST(CodePage936, RefusesWhatItCannotHoldNamingTheOffset) {
    for (const auto& [utf8, message] :
         {std::pair{"好\xF0\x9F\x98\x80",
                    "character U+1F600 at byte 3 has no form in code page 936"},
          std::pair{"ab\xE2\x82\xA9",
                    "character U+20A9 at byte 2 has no form in code page 936"}, // won
          std::pair{"ab\xFF"
                    "c",
                    "byte 2: expected well-formed UTF-8, got 0xff"},
          std::pair{"好\xE5\xA5", "byte 3: expected well-formed UTF-8, got 0xe5"}}) {
        auto r = utf8ToGbk(utf8);
        EXPECT_EQ(r ? "(converted)" : r.error().message, message);
    }
    for (const auto& [gbk, message] :
         {std::pair{Bytes{'a', 0xCA, 0xD6, 0x81, 0x20},
                    "byte 3: expected a code page 936 character, got 0x81 0x20"},
          std::pair{Bytes{'a', 'b', 0xCA},
                    "byte 2: expected a second byte after 0xca, got the end of the text"}}) {
        auto r = gbkToUtf8(gbk);
        EXPECT_EQ(r ? "(converted)" : r.error().message, message);
    }
}

TEST(CodePage936, OneReaderConvertsTextAfterTextAndLeavesAFailureUnwritten) {
    shell::text::CodePage936Reader reader;
    std::string out = "before";
    std::size_t stop = 99;
    EXPECT_FALSE(reader.toUtf8(Bytes{0xCA, 0xD6, 0xFF}, out, &stop));
    EXPECT_EQ(stop, 2u);
    EXPECT_EQ(out, "before");
    ASSERT_TRUE(reader.toUtf8(Bytes{0xCA, 0xD6}, out));
    EXPECT_EQ(out, "手");
    ASSERT_TRUE(reader.toUtf8(Bytes{'a', 0xA1, 0xAD}, out));
    EXPECT_EQ(out, "a…");
}

} // namespace
