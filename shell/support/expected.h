#pragma once

// A value or an error, for code that reports failures as values rather than
// exceptions (the record decoder, the runtime layer). C++23's std::expected
// would do, but the project builds as C++20.

#include <cassert>
#include <new>
#include <string>
#include <type_traits>
#include <utility>

namespace shell {

// A failure described in words: lowercase, no final period, saying where,
// what was expected and what was found.
struct Error {
    std::string message;
};

template <typename T> class [[nodiscard]] Expected {
public:
    Expected(T value) : hasValue_(true) { new (&value_) T(std::move(value)); }
    Expected(Error error) : hasValue_(false) { new (&error_) Error(std::move(error)); }

    Expected(const Expected& other) : hasValue_(other.hasValue_) {
        if (hasValue_)
            new (&value_) T(other.value_);
        else
            new (&error_) Error(other.error_);
    }
    Expected(Expected&& other) noexcept(std::is_nothrow_move_constructible_v<T>)
        : hasValue_(other.hasValue_) {
        if (hasValue_)
            new (&value_) T(std::move(other.value_));
        else
            new (&error_) Error(std::move(other.error_));
    }
    Expected& operator=(Expected other) {
        destroy();
        hasValue_ = other.hasValue_;
        if (hasValue_)
            new (&value_) T(std::move(other.value_));
        else
            new (&error_) Error(std::move(other.error_));
        return *this;
    }
    // Inline, unlike std::variant's: the decoder checks a result for every
    // byte field it reads.
    ~Expected() { destroy(); }

    bool hasValue() const { return hasValue_; }
    explicit operator bool() const { return hasValue_; }

    T& value() & {
        assert(hasValue_);
        return value_;
    }
    const T& value() const& {
        assert(hasValue_);
        return value_;
    }
    T&& value() && {
        assert(hasValue_);
        return std::move(value_);
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const {
        assert(!hasValue_);
        return error_;
    }

private:
    void destroy() {
        if (hasValue_)
            value_.~T();
        else
            error_.~Error();
    }

    bool hasValue_;
    union {
        T value_;
        Error error_;
    };
};

} // namespace shell
