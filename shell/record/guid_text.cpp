#include "shell/record/guid_text.h"

#include "shell/support/little_endian.h"

#include <cstdio>

namespace shell::record {

std::string guidText(const model::Guid& g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.data1), static_cast<unsigned>(g.data2),
                  static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                  g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return buffer;
}

model::Guid guidFromBytes(std::span<const std::uint8_t, 16> b) {
    model::Guid g;
    g.data1 = loadLittleEndian<std::uint32_t>(&b[0]);
    g.data2 = loadLittleEndian<std::uint16_t>(&b[4]);
    g.data3 = loadLittleEndian<std::uint16_t>(&b[6]);
    for (std::size_t i = 0; i < 8; ++i)
        g.data4[i] = b[8 + i];
    return g;
}

void appendGuid(std::vector<std::uint8_t>& out, const model::Guid& g) {
    appendLittleEndian(out, g.data1);
    appendLittleEndian(out, g.data2);
    appendLittleEndian(out, g.data3);
    out.insert(out.end(), g.data4.begin(), g.data4.end());
}

} // namespace shell::record
