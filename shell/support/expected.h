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

// Success that carries nothing, or an error.
template <> class [[nodiscard]] Expected<void> {
public:
    Expected() = default;
    Expected(Error error) : error_(std::move(error)), failed_(true) {}

    bool hasValue() const { return !failed_; }
    explicit operator bool() const { return !failed_; }

    const Error& error() const {
        assert(failed_);
        return error_;
    }

private:
    Error error_;
    bool failed_ = false;
};

} // namespace shell

// Returns the error of `expr`, an Expected, from the enclosing function.
#define LANSU_TRY(expr)                                                                            \
    do {                                                                                           \
        if (auto lansu_try_result = (expr); !lansu_try_result)                                     \
            return lansu_try_result.error();                                                       \
    } while (0)

// `LANSU_TRY_ASSIGN(auto x, expr);` declares x as the value of `expr`, or
// returns the error of `expr` from the enclosing function.
#define LANSU_TRY_ASSIGN(declaration, expr)                                                        \
    LANSU_TRY_ASSIGN_IMPL(declaration, expr, LANSU_TRY_NAME(lansu_try_, __LINE__))
#define LANSU_TRY_NAME(a, b) LANSU_TRY_NAME_IMPL(a, b)
#define LANSU_TRY_NAME_IMPL(a, b) a##b
#define LANSU_TRY_ASSIGN_IMPL(declaration, expr, result)                                           \
    auto result = (expr);                                                                          \
    if (!result)                                                                                   \
        return result.error();                                                                     \
    declaration = std::move(*result)
