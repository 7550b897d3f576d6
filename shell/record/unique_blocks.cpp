#include "shell/record/unique_blocks.h"

#include <array>
#include <unordered_map>

namespace shell::record {

std::optional<Clash> findClash(std::span<const BlockKey> blocks) {
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::array<std::size_t, 256> byOrdinal;
    byOrdinal.fill(kNone);
    std::unordered_map<std::string_view, std::size_t> byName;
    byName.reserve(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        std::size_t& ordinal = byOrdinal[blocks[i].ordinal];
        if (ordinal != kNone)
            return Clash{Clash::Field::Ordinal, i, ordinal};
        ordinal = i;
        if (const auto [at, added] = byName.try_emplace(blocks[i].name, i); !added)
            return Clash{Clash::Field::Name, i, at->second};
    }
    return std::nullopt;
}

} // namespace shell::record
