#include "shell/text/codepage.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using shell::text::gbkToUtf8;
using shell::text::utf8ToGbk;
using Bytes = std::vector<std::uint8_t>;

std::string toGbk(const std::string& utf8) {
    auto r = utf8ToGbk(utf8);
    EXPECT_TRUE(r) << (r ? "" : r.error().message);
    return r ? *r : std::string();
}

std::string fromGbk(const Bytes& gbk) {
    auto r = gbkToUtf8(gbk);
    EXPECT_TRUE(r) << (r ? "" : r.error().message);
    return r ? *r : std::string();
}

Bytes bytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

TEST(CodePage936, AsciiIsUnchanged) {
    const std::string ascii = "Label5 V2020 10.24AA\r\n\t~";
    EXPECT_EQ(toGbk(ascii), ascii);
    EXPECT_EQ(fromGbk(bytes(ascii)), ascii);
    EXPECT_EQ(toGbk(""), "");
    EXPECT_EQ(fromGbk({}), "");
}

TEST(CodePage936, ChineseTextHasTheDocumentedBytes) {
    // "手动链接", the caption of the connect button.
    const Bytes expected = {0xCA, 0xD6, 0xB6, 0xAF, 0xC1, 0xB4, 0xBD, 0xD3};
    EXPECT_EQ(bytes(toGbk("手动链接")), expected);
    EXPECT_EQ(fromGbk(expected), "手动链接");
}

TEST(CodePage936, EllipsisAndFullWidthPunctuationRoundTrip) {
    // U+2026 is A1 AD; the full-width forms keep their own code points.
    EXPECT_EQ(bytes(toGbk("…")), (Bytes{0xA1, 0xAD}));
    EXPECT_EQ(bytes(toGbk("（")), (Bytes{0xA3, 0xA8}));
    EXPECT_EQ(fromGbk({0xA1, 0xAD}), "…");
    for (const std::string text : {"正在等待连接您的设备 … … ", "（）【】，。：；！？、“”‘’《》～",
                                   "等待数据读取……", "岚溯穹岳（", "64位WINXP及以上版本", "€"}) {
        EXPECT_EQ(fromGbk(bytes(toGbk(text))), text) << text;
    }
}

TEST(CodePage936, LineBreaksAreKept) {
    const std::string text = "第一行\r\n第二行\n\n";
    const std::string gbk = toGbk(text);
    EXPECT_EQ(gbk.size(), 6u + 2u + 6u + 2u);
    EXPECT_EQ(gbk.substr(6, 2), "\r\n");
    EXPECT_EQ(fromGbk(bytes(gbk)), text);
}

TEST(CodePage936, RefusesACharacterItCannotHold) {
    auto r = utf8ToGbk("好\xF0\x9F\x98\x80"); // 好 then U+1F600
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().message, "character U+1F600 at byte 3 has no form in code page 936");
    r = utf8ToGbk("ab\xE2\x82\xA9"); // the won sign
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().message, "character U+20A9 at byte 2 has no form in code page 936");
}

TEST(CodePage936, RefusesMalformedUtf8) {
    auto r = utf8ToGbk("ab\xFF"
                       "c");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().message, "byte 2: expected well-formed UTF-8, got 0xff");
    r = utf8ToGbk("好\xE5\xA5");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().message, "byte 3: expected well-formed UTF-8, got 0xe5");
}

TEST(CodePage936, ReportsTheOffsetOfABadSequence) {
    auto r = gbkToUtf8(Bytes{'a', 0xCA, 0xD6, 0x81, 0x20});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().message, "byte 3: expected a code page 936 character, got 0x81 0x20");
    r = gbkToUtf8(Bytes{'a', 'b', 0xCA});
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().message,
              "byte 2: expected a second byte after 0xca, got the end of the text");
    std::size_t failedAt = 99;
    std::string out = "kept";
    auto ok = shell::text::appendGbkAsUtf8(Bytes{0xCA, 0xD6, 0xFF}, out, failedAt);
    ASSERT_FALSE(ok);
    EXPECT_EQ(failedAt, 2u);
    EXPECT_EQ(out, "kept"); // unchanged on failure
}

TEST(CodePage936, AppendKeepsWhatIsThere) {
    std::string out = "前:";
    std::size_t failedAt = 0;
    ASSERT_TRUE(shell::text::appendGbkAsUtf8(Bytes{0xCA, 0xD6}, out, failedAt));
    EXPECT_EQ(out, "前:手");
}

TEST(CodePage936, LongTextsConvertWhole) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "数据研究院 ";
    const std::string gbk = toGbk(text);
    EXPECT_EQ(gbk.size(), 2000u * 11u);
    EXPECT_EQ(fromGbk(bytes(gbk)), text);
}

TEST(CodePage936, ThreadsConvertIndependently) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            const std::string text = t % 2 ? "故障协助" : "恢复删除记录…";
            for (int i = 0; i < 500; ++i) {
                auto gbk = utf8ToGbk(text);
                if (!gbk)
                    ++failures[static_cast<std::size_t>(t)];
                else if (auto back = gbkToUtf8(bytes(*gbk)); !back || *back != text)
                    ++failures[static_cast<std::size_t>(t)];
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
