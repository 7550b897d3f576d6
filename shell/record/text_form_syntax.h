#pragma once

// The text form's pieces below a line's structure: where in the text a
// reader is, how an error there reads, and each value's syntax spelt into
// the bytes a record holds for it.

#include "shell/model/window_description.h"
#include "shell/record/codecs.h"
#include "shell/record/text_form.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell::record::text_syntax {

// A place in the text, 1-based; columns count characters, not bytes.
struct Place {
    int line = 1;
    int column = 1;
};

// One line of the text, read from left to right.
class Cursor {
public:
    Cursor(std::string_view line, int number) : line_(line), number_(number) {}

    Place place() const { return placeOf(pos_); }
    Place placeOf(std::size_t pos) const {
        int column = 1;
        for (std::size_t i = 0; i < pos && i < line_.size(); ++i)
            column += (static_cast<unsigned char>(line_[i]) & 0xC0) != 0x80;
        return {number_, column};
    }
    std::size_t pos() const { return pos_; }
    bool atEnd() const { return pos_ >= line_.size(); }
    char peek() const { return atEnd() ? '\0' : line_[pos_]; }
    void skip(std::size_t n = 1) { pos_ += n; }
    void skipSpaces() {
        while (!atEnd() && line_[pos_] == ' ')
            ++pos_;
    }
    // The rest of the line, or how it begins, for an error's "got".
    std::string rest() const;
    // Characters up to a space, a comma or the end.
    std::string_view word() {
        const std::size_t start = pos_;
        while (!atEnd() && line_[pos_] != ' ' && line_[pos_] != ',')
            ++pos_;
        return line_.substr(start, pos_ - start);
    }
    std::string_view line() const { return line_; }

private:
    std::string_view line_;
    int number_;
    std::size_t pos_ = 0;
};

// An error at a place, worded "expected ..., got ..." (or a message that
// already reads so).
struct Located {
    Place place;
    std::string message;
};

Located expected(Place at, std::string_view what, std::string_view got);

// A decoder or codec message without the record offset that means nothing
// in a text: from "expected" on.
std::string fromExpected(const std::string& message);

// Nothing more on the line but spaces and a comment.
std::optional<Located> endOfLine(Cursor& c);

// "{8 hex digits-4-4-4-12}", as guidText writes it.
std::optional<Located> guidValue(Cursor& c, Guid& out);

// A value of `encoding` as the record holds it: texts in code page 936,
// a picture's file (through `load`) after its length and preamble.
std::optional<Located> valueBytes(Cursor& c, Encoding encoding, const PictureLoader& load,
                                  std::vector<std::uint8_t>& out);

} // namespace shell::record::text_syntax
