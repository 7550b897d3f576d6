#pragma once

// What no two controls of a window may share: an ordinal or a name. The
// decoder checks the blocks of a record by it and the encoder the controls
// of a description, each wording a clash its own way.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace shell::record {

struct BlockKey {
    std::string_view name;
    std::uint8_t ordinal = 0;
};

// A block that shares its ordinal or its name with an earlier one: their
// indexes in the keys given.
struct Clash {
    enum class Field { Ordinal, Name };
    Field field;
    std::size_t block;
    std::size_t earlier;
};

// The first clash in the order of `blocks`, a block's ordinal before its
// name, or none.
std::optional<Clash> findClash(std::span<const BlockKey> blocks);

} // namespace shell::record
