#pragma once

// A value or an error, for code that reports failures as values rather than
// exceptions (the record decoder, the runtime layer). C++23's std::expected
// would do, but the project builds as C++20.

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace shell {

// A failure described in words: lowercase, no final period, saying where,
// what was expected and what was found.
struct Error {
    std::string message;
};

template <typename T> class [[nodiscard]] Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool hasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T& value() & {
        assert(hasValue());
        return std::get<0>(state_);
    }
    const T& value() const& {
        assert(hasValue());
        return std::get<0>(state_);
    }
    T&& value() && {
        assert(hasValue());
        return std::get<0>(std::move(state_));
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const {
        assert(!hasValue());
        return std::get<1>(state_);
    }

private:
    std::variant<T, Error> state_;
};

} // namespace shell
