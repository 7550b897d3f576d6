#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace shell::runtime {

// The argument values the procedures pass to the runtime: nothing, an
// omitted optional argument, a text or a number.
struct Variant {
    enum class Type { Empty, Missing, String, Integer };

    Type type = Type::Empty;
    std::string text; // UTF-8, for String
    long integer = 0;

    static Variant missing() { return Variant{Type::Missing, {}, 0}; }
    static Variant string(std::string_view value) {
        return Variant{Type::String, std::string(value), 0};
    }
    static Variant number(long value) { return Variant{Type::Integer, {}, value}; }

    bool isMissing() const { return type == Type::Missing; }
};

// Copies a variant into an argument slot (a deep copy of its text).
void vbaVarDup(Variant& destination, const Variant& source);

// Releases argument slots after a call, leaving each empty.
void vbaFreeVarList(std::initializer_list<Variant*> arguments);

} // namespace shell::runtime
