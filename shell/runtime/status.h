#pragma once

#include <cstdint>

namespace shell::runtime {

// Every call on a window or control object returns a status: zero or
// positive for success, negative for failure, as COM's HRESULT.
using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFail = static_cast<Status>(0x80004005u);          // unspecified failure
inline constexpr Status kInvalidArg = static_cast<Status>(0x80070057u);    // bad argument
inline constexpr Status kNotLoaded = static_cast<Status>(0x8000FFFFu);     // window not loaded
inline constexpr Status kNoSuchControl = static_cast<Status>(0x800A01A8u); // object required

constexpr bool failed(Status status) {
    return status < 0;
}

} // namespace shell::runtime
