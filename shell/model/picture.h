#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace shell {

// A picture as a description holds it: the bytes of a complete bitmap file
// ("BM") or icon file (00 00 01 00). The bytes are not owned: they live in
// the executable's embedded data or in a record that outlives the
// description built from it.
struct Picture {
    std::span<const std::uint8_t> fileBytes;

    enum class Format { Bitmap, Icon, Unknown };

    Format format() const {
        const auto b = fileBytes;
        if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M')
            return Format::Bitmap;
        if (b.size() >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0)
            return Format::Icon;
        return Format::Unknown;
    }

    friend bool operator==(const Picture& a, const Picture& b) {
        return a.fileBytes.size() == b.fileBytes.size() &&
               (a.fileBytes.data() == b.fileBytes.data() ||
                std::equal(a.fileBytes.begin(), a.fileBytes.end(), b.fileBytes.begin()));
    }
};

} // namespace shell
