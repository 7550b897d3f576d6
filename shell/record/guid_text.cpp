#include "shell/record/guid_text.h"

#include <cstdio>

namespace shell::record {

std::string guidText(const Guid& g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.data1), static_cast<unsigned>(g.data2),
                  static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                  g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return buffer;
}

Guid guidFromBytes(std::span<const std::uint8_t, 16> b) {
    Guid g;
    g.data1 = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
              (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    g.data2 = static_cast<std::uint16_t>(b[4] | (b[5] << 8));
    g.data3 = static_cast<std::uint16_t>(b[6] | (b[7] << 8));
    for (std::size_t i = 0; i < 8; ++i)
        g.data4[i] = b[8 + i];
    return g;
}

void appendGuid(std::vector<std::uint8_t>& out, const Guid& g) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(g.data1 >> shift));
    out.push_back(static_cast<std::uint8_t>(g.data2));
    out.push_back(static_cast<std::uint8_t>(g.data2 >> 8));
    out.push_back(static_cast<std::uint8_t>(g.data3));
    out.push_back(static_cast<std::uint8_t>(g.data3 >> 8));
    out.insert(out.end(), g.data4.begin(), g.data4.end());
}

} // namespace shell::record
