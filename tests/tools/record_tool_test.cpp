// The lansu_record command, run as a subprocess on records written to a
// temporary folder: its output and its exit status.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "tests/shell/record/record_walker.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
    int status = -1;
    std::string out;
};

std::string quoteArg(const std::string& s) {
    std::string q = "'";
    for (const char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

// Runs the tool with `args`; stdout is captured, stderr is discarded (or
// captured instead).
ToolRun run(const std::vector<std::string>& args, bool stderrOnly = false) {
    std::string command = quoteArg(LANSU_RECORD_TOOL);
    for (const auto& a : args)
        command += " " + quoteArg(a);
    command += stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null";
    ToolRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        r.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class RecordTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("lansu_record_tool_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, std::span<const std::uint8_t> bytes) {
        const fs::path path = dir_ / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    fs::path dir_;
};

TEST_F(RecordTool, CheckReportsAValidRecordOrTheDecodersFirstError) {
    for (const auto& [name, bytes] : {std::pair{"Form1.rec", embedded::form1_record()},
                                      std::pair{"Form2.rec", embedded::form2_record()}}) {
        const std::string path = write(name, bytes);
        const ToolRun r = run({"check", path});
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_EQ(r.out, path + ": valid\n");
    }
    Bytes broken(embedded::form1_record().begin(), embedded::form1_record().end());
    const auto label3 = record_test::block(record_test::walkBlocks(broken), "Label3");
    broken[label3.closingOffset()] = 0x41;
    const std::string path = write("broken.rec", broken);
    const ToolRun r = run({"check", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, path + ": block Label3 (ordinal 5) at offset " +
                         record_test::hex(label3.closingOffset()) +
                         ": expected 0xff closing the block, got 0x41\n");
    const std::string empty = write("empty.rec", {});
    EXPECT_EQ(run({"check", empty}).out, empty + ": header at offset 0x0: expected a record of "
                                                 "at least 93 bytes, got 0 bytes\n");
}

TEST_F(RecordTool, FailuresExitWithOneAndUsageErrorsWithTwo) {
    EXPECT_EQ(run({"check", write("empty.rec", {})}).status, 1);
    Bytes broken(embedded::form2_record().begin(), embedded::form2_record().end());
    broken[0] = 0x00;
    const ToolRun dump = run({"dump", write("broken.rec", broken)});
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.out, ""); // the error goes to stderr
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"check"}).status, 2);
    EXPECT_EQ(run({"show", "x"}).status, 2);
    EXPECT_EQ(run({"dump", "a", "b"}).status, 2);
}

// Whatever cannot be read as a file is one line naming it, and status 1:
// never an abort, never a wait on a pipe.
TEST_F(RecordTool, UnreadableInputIsOneLineAndStatusOne) {
    const std::string pipe = (dir_ / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string line;
    } rows[] = {
        {dir_.string(), "cannot read: a directory"},
        {(dir_ / "missing.rec").string(), "cannot open: No such file or directory"},
        {"/dev/null", "cannot read: a character device"},
        {pipe, "cannot read: a pipe"},
    };
    for (const auto& row : rows) {
        for (const char* command : {"check", "dump"}) {
            const ToolRun r = run({command, row.path}, true);
            EXPECT_EQ(r.status, 1) << command << " " << row.path;
            EXPECT_EQ(r.out, "lansu_record: " + row.path + ": " + row.line + "\n");
        }
    }
}

TEST_F(RecordTool, DumpPrintsTheTree) {
    const std::string path = write("Form1.rec", embedded::form1_record());
    const ToolRun r = run({"dump", path});
    ASSERT_EQ(r.status, 0);
    const auto has = [&](const std::string& text) {
        EXPECT_NE(r.out.find(text), std::string::npos) << "missing: " << text;
    };
    has(path + ": " + std::to_string(embedded::form1_record().size()) + " bytes, 42 controls\n");
    has("Form1 (window, ordinal 0)\n");
    has("  window id: {7ADE3D68-5C58-45AF-9E9B-168AA032D8D0}\n");
    has("  0x23 icon: icon (1 image) 32×32, 32 bits per pixel, ");
    has("  0x35 client rectangle: left 45, top 375, width 15120, height 12195 twips\n");
    has("  Command12 (CommandButton, ordinal 2)\n"
        "    0x01 caption: \"手动链接\"\n"
        "    0x04 rectangle: left 11160, top 2280, width 1455, height 495 twips\n"
        "    0x11 tab index: 40\n");
    has("  Picture1 (PictureBox, ordinal 38)\n");
    has("    0x03 picture: bitmap 1019×132, 24 bits per pixel, ");
    has("    0x05 rectangle: left -120, top 0, width 15255, height 1935 twips\n");
    // Frame children are indented one step further.
    has("  Frame2 (Frame, ordinal 12)\n");
    has("    Check7 (CheckBox, ordinal 20)\n");
    has("      0x13 value: 2 (grayed)\n");
    has("      0x13 value: true\n");
    has("  Label7 (Label, ordinal 39)\n");
    has("    0x03 back colour: 0x00400000\n"
        "    0x04 fore colour: 0x00808080\n");
    has("    0x25 font: \"宋体\" 15.75 pt, weight 700, character set 134\n");
}

TEST_F(RecordTool, DumpShowsLineBreaksVisibly) {
    const std::string path = write("Form2.rec", embedded::form2_record());
    const ToolRun r = run({"dump", path});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("好友等；\\r\\niPhone手机QQ"), std::string::npos);
    EXPECT_NE(r.out.find("聊天数据等。\\n\\n\"\n"), std::string::npos);
    EXPECT_NE(r.out.find("bitmap 220×220, 24 bits per pixel, 145254 bytes"), std::string::npos);
    // Every line of the dump is one property or one block: no raw breaks.
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

} // namespace
