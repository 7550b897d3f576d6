// The text form both ways: records to text and back byte for byte, and every
// text the reader refuses named by line and column.

#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
#include "shell/record/record.h"
#include "shell/record/text_form.h"
#include "tests/app/record_faults.h"
#include "tests/shell/record/sample_window.h"
#include "tests/shell/record/test_pictures.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using shell::record::readTextForm;
using shell::record::writeTextForm;
using Bytes = std::vector<std::uint8_t>;

// The record the text form of `record` encodes back to; its text, read and
// written again, must be the same text.
Bytes throughText(std::span<const std::uint8_t> record, std::string* failure) {
    const auto window = shell::record::decodeRecord(record);
    if (!window)
        return {};
    const auto form = writeTextForm(*window, "W");
    const auto read = readTextForm(form.text, "W.txt", record_test::writtenPictures(form.pictures));
    if (!read) {
        *failure = read.error().message;
        return {};
    }
    if (writeTextForm(read->window, "W").text != form.text)
        *failure = "the text read and written again differs";
    auto bytes = shell::record::encodeRecord(read->window);
    return bytes ? *bytes : Bytes{};
}

TEST(TextForm, ShippedRecordsComeBackByteForByte) {
    for (const auto record : {embedded::form1_record(), embedded::form2_record()}) {
        std::string failure;
        const Bytes back = throughText(record, &failure);
        EXPECT_EQ(failure, "");
        EXPECT_TRUE(std::equal(back.begin(), back.end(), record.begin(), record.end()));
    }
}

// Every record of the damaged set that decodes comes back through its text
// as the encoder writes its window: byte for byte when that is the record.
TEST(TextForm, DamagedRecordsComeBackAsTheEncoderWritesThem) {
    const auto faults = record_faults::makeFaults(embedded::form1_record(),
                                                  embedded::form2_record(), 300, 20261207);
    int decoded = 0, identical = 0;
    for (const auto& fault : faults) {
        const Bytes record = record_faults::applyFault(
            fault.window == 1 ? embedded::form1_record() : embedded::form2_record(), fault);
        const auto window = shell::record::decodeRecord(record);
        if (!window)
            continue;
        ++decoded;
        std::string failure;
        const Bytes back = throughText(record, &failure);
        EXPECT_EQ(failure, "") << fault.name;
        EXPECT_EQ(back, shell::record::encodeRecord(*window).value()) << fault.name;
        identical += back == record;
    }
    std::printf("text form: %zu damaged records, %d decode, %d of them back byte for byte\n",
                faults.size(), decoded, identical);
    EXPECT_GT(decoded, 0);
}

// One edit of the sample's text each, and where and why the reader refuses
// it.
TEST(TextForm, ErrorsNameLineAndColumn) {
    const auto sample = writeTextForm(record_test::sampleWindow(), "S");
    const struct {
        const char* what;
        std::string from, to, error;
    } rows[] = {
        {"unknown property", "      back colour = 0x8000000f", "      backcolour = 0x8000000f",
         "28:7: expected a property of a Label (caption, back colour, fore colour, rectangle, "
         "tab index, font), got \"backcolour\""},
        {"property of another kind", "    text = \"等待……\"", "    caption = \"等待……\"",
         "45:5: expected a property of a TextBox (rectangle, text, tab index), got \"caption\""},
        {"client size out of bounds", "45 375 4500 3000 twips", "45 375 0 3000 twips",
         "12:22: expected a client width from 15 to 245760 twips (1 to 16384 pixels), got 0"},
        {"font size out of bounds", "\"宋体\" 15.75 pt", "\"宋体\" 0.5 pt",
         "32:14: expected a font size from 10000 to 16380000 (1 to 1638 pt), got 5000"},
        {"border style out of bounds", "  border style = 3", "  border style = 7",
         "7:18: expected a value from 0 to 5, got 7"},
        {"duplicate name", "CheckBox Check1 ordinal 5", "CheckBox Label1 ordinal 5",
         "38:14: expected a name no other block in the window has, got the name of the block "
         "at line 26"},
        {"duplicate property", "    tab index = 0\n", "    tab index = 0\n    tab index = 1\n",
         "20:5: expected each property once, got a second tab index (the first at line 19)"},
        {"duplicate ordinal", "Command1 ordinal 7", "Command1 ordinal 6",
         "47:34: expected an ordinal no other control has, got 6, already the ordinal of Text1"},
        {"ordinal past the count", "VScroll1 ordinal 9", "VScroll1 ordinal 10",
         "54:31: expected an ordinal from 1 to 9 (the number of controls), got 10"},
        {"missing picture file", "\"S.Picture1.bmp\"", "\"S.Picture2.bmp\"",
         "17:20: expected a picture file beside the text, got no file \"S.Picture2.bmp\""},
        {"bad escape", "第一行\\r", "第一行\\q",
         "27:21: expected an escape \\n, \\r, \\t, \\\", \\\\ or \\x00 to \\x7f, got \"\\\\q\""},
        {"character code page 936 lacks", "    caption = \"OK\"", "    caption = \"😀\"",
         "48:15: expected a text code page 936 holds, got character U+1F600 at byte 0 has no "
         "form in code page 936"},
        {"unquoted text", "    caption = \"OK\"", "    caption = OK",
         "48:15: expected a text in double quotes, got \"OK\""},
        {"unknown kind", "  TextBox Text1", "  Textbox Text1",
         "43:3: expected a property (\"name = value\") or a control kind (PictureBox, Label, "
         "TextBox, Frame, CommandButton, CheckBox, OptionButton, HScrollBar, VScrollBar), got "
         "\"Textbox\""},
        {"odd indent", "    caption = \"OK\"", "     caption = \"OK\"",
         "48:6: expected an indent of an even number of spaces, got 5 spaces"},
        {"rectangle without unit", "3400 2500 900 400 twips", "3400 2500 900 400",
         "49:34: expected \"twips\", got the end of the line"},
    };
    for (const auto& row : rows) {
        std::string text = sample.text;
        const std::size_t at = text.find(row.from);
        ASSERT_NE(at, std::string::npos) << row.what;
        text.replace(at, row.from.size(), row.to);
        const auto read =
            readTextForm(text, "S.txt", record_test::writtenPictures(sample.pictures));
        ASSERT_FALSE(read) << row.what;
        EXPECT_EQ(read.error().message, "S.txt:" + row.error) << row.what;
    }
}

} // namespace
