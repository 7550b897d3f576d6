#pragma once

// A record's texts in code page 936, converted to UTF-8 all at once: one
// converter call for the whole record instead of one per text. ASCII texts,
// which read the same in both, are stored at once.

#include "shell/record/location.h"
#include "shell/support/expected.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace shell::record {

class TextBatch {
public:
    // Stores `bytes`, found at record offset `offset`, as `target` now or at
    // convert(). `target` must stay where it is until then.
    void add(std::span<const std::uint8_t> bytes, std::size_t offset, const Location& where,
             std::string& target);

    // Makes room for `count` texts to wait for convert().
    void reserve(std::size_t count) { pending_.reserve(count); }

    // Converts the queued texts; on one that is not code page 936, an error
    // naming where it was found.
    Expected<void> convert();

private:
    struct Pending {
        std::span<const std::uint8_t> bytes;
        std::size_t offset; // of bytes[0] in the record
        Location where;
        std::string* target;
    };
    std::vector<Pending> pending_;
};

} // namespace shell::record
