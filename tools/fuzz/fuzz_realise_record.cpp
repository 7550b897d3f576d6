// libFuzzer target for what a decoded record becomes: every description the
// decoder accepts is realised as a window on Qt's offscreen platform, shown
// and closed again. Beyond the sanitizers' part, the window must be built
// (the decoder lets through only pictures that are drawn as stored), be
// visible once shown, and have the described client size.

#include "shell/model/units.h"
#include "shell/qt/application.h"
#include "shell/qt/live_window.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/record/record.h"

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace {

struct NoEvents : shell::runtime::WindowEvents {
    void clicked(std::string_view) override {}
    void closed() override {}
};

// How many inputs became windows, printed at exit: most inputs do not decode.
std::size_t gRealised = 0;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// libFuzzer's own mutations, with the header's length field kept true: bytes
// inserted or removed then reach the blocks instead of failing at the header.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (size >= shell::record::format::kHeaderSize) {
        const auto length = static_cast<std::uint32_t>(size - shell::record::format::kLengthOffset);
        for (std::size_t i = 0; i < 4; ++i)
            data[shell::record::format::kLengthOffset + i] =
                static_cast<std::uint8_t>(length >> (8 * i));
    }
    return size;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static char name[] = "fuzz_realise_record";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    new QApplication(argc, argv); // lives until the fuzzer exits
    std::atexit([] { std::fprintf(stderr, "realised windows: %zu\n", gRealised); });
    shell::qt::configureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto description = shell::record::decodeRecord(std::span<const std::uint8_t>(data, size));
    if (!description)
        return 0;
    shell::qt::QtToolkit toolkit;
    NoEvents events;
    auto live = toolkit.realise(*description, events);
    if (!live)
        fail("a decoded description was not built");
    if (live->show() != shell::runtime::kOk || !live->isVisible())
        fail("a built window is not visible once shown");
    const QSize described(shell::model::twipsToPixels(description->client.width),
                          shell::model::twipsToPixels(description->client.height));
    if (static_cast<shell::qt::LiveWindow*>(live.get())->window()->size() != described)
        fail("a window's client area is not the described size");
    ++gRealised;
    live.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
