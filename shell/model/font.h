#pragma once

#include <cstdint>
#include <string>

namespace shell::model {

inline constexpr std::uint16_t kCharsetGb2312 = 134;
inline constexpr std::uint16_t kWeightNormal = 400;
inline constexpr std::uint16_t kWeightBold = 700;

struct Font {
    std::string face; // UTF-8
    // Size in points times 10000: 157500 is 15.75 pt.
    std::int32_t sizeTenThousandths = 90000;
    std::uint16_t weight = kWeightNormal;
    std::uint16_t charset = kCharsetGb2312;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    double points() const { return sizeTenThousandths / 10000.0; }
    friend bool operator==(const Font&, const Font&) = default;
};

// The face every window uses when it stores no font of its own: "宋体".
inline constexpr char kSongTiFace[] = "宋体";

// The window font that applies to both windows: 宋体 9 pt, weight 400, GB2312.
inline Font defaultWindowFont() {
    return Font{kSongTiFace, 90000, kWeightNormal, kCharsetGb2312};
}

// The explicit fonts of the descriptions: 宋体 bold at the given size.
inline Font boldSongTi(std::int32_t sizeTenThousandths) {
    return Font{kSongTiFace, sizeTenThousandths, kWeightBold, kCharsetGb2312};
}

} // namespace shell::model
