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
#include <iterator>
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

// Output and status of `check` and `dump`: 0 and "valid", 1 and the decoder's
// first error (on stdout for check, on stderr for dump), 2 for a wrong call.
TEST_F(RecordTool, ChecksExitWithZeroFailuresWithOneAndUsageErrorsWithTwo) {
    Bytes broken(embedded::form1_record().begin(), embedded::form1_record().end());
    const std::size_t closing =
        record_test::block(record_test::walkBlocks(broken), "Label3").closingOffset();
    broken[closing] = 0x41;
    const std::string form1 = write("Form1.rec", embedded::form1_record()),
                      bad = write("broken.rec", broken), empty = write("empty.rec", {});
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
    } rows[] = {
        {{"check", form1}, 0, form1 + ": valid\n"},
        {{"check", bad},
         1,
         bad + ": block Label3 (ordinal 5) at offset " + record_test::hex(closing) +
             ": expected 0xff closing the block, got 0x41\n"},
        {{"check", empty},
         1,
         empty + ": header at offset 0x0: expected a record of at least 93 "
                 "bytes, got 0 bytes\n"},
        {{"dump", bad}, 1, ""},
        {{}, 2, ""},
        {{"check"}, 2, ""},
        {{"encode", "x"}, 2, ""},
        {{"dump", "a", "b", "c"}, 2, ""},
    };
    for (const auto& row : rows) {
        const ToolRun r = run(row.args);
        EXPECT_EQ(r.status, row.status) << testing::PrintToString(row.args);
        EXPECT_EQ(r.out, row.out);
    }
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

// The text form on stdout, with line breaks shown as escapes: the lines the
// text form tests do not already find in the sample's text.
TEST_F(RecordTool, DumpPrintsTheTextForm) {
    const std::string form1 = write("Form1.rec", embedded::form1_record());
    const std::string form2 = write("Form2.rec", embedded::form2_record());
    const std::pair<std::string, std::vector<std::string>> dumps[] = {
        {form1,
         {"window Form1\n  window id = {7ADE3D68-5C58-45AF-9E9B-168AA032D8D0}\n",
          "  icon = file \"Form1.Form1.ico\"\n", "      value = 2\n", "      value = true\n",
          "    font = \"宋体\" 15.75 pt, weight 700, character set 134\n"}},
        {form2, {"好友等；\\r\\niPhone手机QQ", "聊天数据等。\\n\\n\"\n"}},
    };
    for (const auto& [path, fragments] : dumps) {
        const ToolRun r = run({"dump", path});
        ASSERT_EQ(r.status, 0);
        for (const auto& text : fragments)
            EXPECT_NE(r.out.find(text), std::string::npos) << "missing: " << text;
        EXPECT_EQ(r.out.find('\r'), std::string::npos);
    }
}

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// dump into a file, encode, check: the record comes back byte for byte, and a
// text that fails leaves no file and gives check's one line from encode, check
// and show alike.
TEST_F(RecordTool, EncodeGivesTheRecordBackOrOneLineAndNoFile) {
    const std::string record = write("Form2.rec", embedded::form2_record());
    const std::string text = (dir_ / "Form2.txt").string();
    ASSERT_EQ(run({"dump", record, text}).status, 0);
    const std::string again = (dir_ / "again.rec").string();
    ASSERT_EQ(run({"encode", text, again}).status, 0);
    EXPECT_EQ(readAll(again),
              Bytes(embedded::form2_record().begin(), embedded::form2_record().end()));
    EXPECT_EQ(run({"check", text}).out, text + ": valid\n");

    fs::remove(dir_ / "Form2.Picture1.bmp");
    const std::string missing = (dir_ / "missing.rec").string();
    const std::string line =
        text + ":16:20: expected a picture file beside the text, got \"Form2.Picture1.bmp\": "
               "cannot open: No such file or directory\n";
    const auto before = std::distance(fs::directory_iterator(dir_), fs::directory_iterator());
    EXPECT_EQ(run({"encode", text, missing}, true).out, "lansu_record: " + line);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), before);
    for (const char* command : {"check", "show"}) {
        const ToolRun r = run({command, text});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.out, line) << command;
    }
}

} // namespace
