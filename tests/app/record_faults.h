#pragma once

// A seeded set of damaged records: single bytes, whole fields set to edge
// values, and pictures cut short or extended with their lengths fixed.

#include "shell/model/window_description.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace record_faults {

using Bytes = std::vector<std::uint8_t>;

struct Fault {
    std::string name; // "Form1 byte 0x1a2c = 0x41", "Form2 Picture1 cut by 55"...
    int window = 1;   // 1 or 2
    // Bytes written at `at`, or, with resize != 0, the picture file of block
    // `block` (the window's icon for the window's own), whose value starts
    // at `at`, made `resize` bytes shorter (negative) or longer.
    std::size_t at = 0;
    Bytes bytes;
    std::string block;
    long resize = 0;
};

// `perWindow` faults for each of the two records, the same every run.
std::vector<Fault> makeFaults(std::span<const std::uint8_t> form1,
                              std::span<const std::uint8_t> form2, std::size_t perWindow,
                              std::uint32_t seed);

// The damaged copy of `record`.
Bytes applyFault(std::span<const std::uint8_t> record, const Fault& fault);

} // namespace record_faults
