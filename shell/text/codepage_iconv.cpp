// The converter behind codepage.cpp on Linux: the C library's iconv (part of
// glibc).

#include "shell/text/codepage_platform.h"

#include <cerrno>
#include <iconv.h>

namespace shell::text::platform {

namespace {

// glibc knows code page 936 under this name; it differs from "GBK" only in
// also mapping the single byte 0x80 to the euro sign, as Windows does.
constexpr const char kCodePage936[] = "CP936";

// An iconv descriptor, closed when it goes.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

static_assert(sizeof(wchar_t) == 4, "code points come back from iconv as 32-bit wchar_t");

} // namespace

// Decoding goes to wchar_t (UCS-4 with glibc) rather than straight to UTF-8:
// glibc's UTF-8 output goes through its internal form, three times the cost.
WideDecoder::WideDecoder() : handle_(iconv_open("WCHAR_T", kCodePage936)) {}

WideDecoder::~WideDecoder() {
    if (handle_ != reinterpret_cast<iconv_t>(-1))
        iconv_close(handle_);
}

Expected<StopOffset> WideDecoder::decode(std::span<const char> bytes, std::vector<wchar_t>& wide,
                                         std::size_t& count) {
    const iconv_t cd = handle_;
    if (cd == reinterpret_cast<iconv_t>(-1))
        return Error{"expected iconv to convert from " + std::string(kCodePage936) +
                     ", got no converter"};
    // Every character takes at least one byte, so as many code points as
    // bytes always suffice.
    if (wide.size() < bytes.size())
        wide.resize(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = reinterpret_cast<char*>(wide.data());
    std::size_t outLeft = wide.size() * sizeof(wchar_t);
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        return StopOffset{bytes.size() - inLeft};
    }
    count = static_cast<std::size_t>(reinterpret_cast<wchar_t*>(out) - wide.data());
    return StopOffset{};
}

Expected<StopOffset> encodeCodePage936(std::string_view utf8, std::string& out) {
    // Opened per call: only the encoder, at build time, converts this way.
    const Converter converter(kCodePage936, "UTF-8");
    if (!converter.ok())
        return Error{"code page 936: iconv cannot convert to " + std::string(kCodePage936)};
    const iconv_t cd = converter.get();
    // Code page 936 takes at most two bytes per character, and a character
    // it holds takes at least two bytes in UTF-8 unless it is ASCII: the
    // input's size always suffices, with a margin for the shift-state flush.
    out.resize(utf8.size() + 4);
    char* inPtr = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    for (;;) {
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            out.resize(static_cast<std::size_t>(outPtr - out.data()));
            return StopOffset{};
        }
        if (errno == E2BIG) { // not expected; grow and go on
            const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() + inLeft * 2 + 16);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        out.clear();
        return StopOffset{static_cast<std::size_t>(inPtr - utf8.data())};
    }
}

} // namespace shell::text::platform
