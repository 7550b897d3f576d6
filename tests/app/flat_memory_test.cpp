// The program in process, driven as a user would: after a warm-up, opening
// and closing the troubleshooting window 1,000 times and dismissing the
// message box 300 times leave the resident memory where it was.

#include "app/project_descriptor.h"
#include "shell/qt/application.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/runtime/runtime.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr long kMiB = 1024 * 1024;

// Resident bytes, after handing freed heap pages back so that only memory
// still in use counts.
long residentBytes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

QWidget* topLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

void click(const char* window, const char* button) {
    QWidget* w = topLevel(window);
    QVERIFY2(w, window);
    auto* b = w->findChild<QAbstractButton*>(QLatin1String(button));
    QVERIFY2(b, button);
    b->click();
}

} // namespace

class FlatMemoryTest : public QObject {
    Q_OBJECT

    const runtime::ProjectDescriptor& project_ = app::projectDescriptor();
    qtshell::QtToolkit toolkit_;
    std::unique_ptr<runtime::Runtime> runtime_;

    void openAndCloseForm2() {
        click("Form1", "Command13");
        QWidget* form2 = topLevel("Form2");
        QVERIFY(form2);
        // What an X11 window system does with the icon of a window it maps
        // (the offscreen platform does not): ask for its pixmap at each size.
        for (const QSize& size : form2->windowIcon().availableSizes())
            QVERIFY(!form2->windowIcon().pixmap(size).isNull());
        QCoreApplication::processEvents();
        QVERIFY(form2->close());
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void dismissMessageBox() {
        bool dismissed = false;
        QTimer::singleShot(0, [&dismissed] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->accept();
                dismissed = true;
            }
        });
        click("Form1", "Command12"); // returns once the box is dismissed
        QVERIFY(dismissed);
    }

    // Runs `step` `times` times after a warm-up of `warmUp`; the change of
    // resident memory it caused, printed and returned.
    template <typename Step>
    long residentChange(const char* what, int warmUp, int times, Step step) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < warmUp; ++i)
            step();
        const long before = residentBytes();
        for (int i = 0; i < times; ++i)
            step();
        const long change = residentBytes() - before;
        std::printf("%s %d times: resident %+.1f KiB (from %.1f MiB), %.1f s\n", what, times,
                    static_cast<double>(change) / 1024, static_cast<double>(before) / kMiB,
                    static_cast<double>(timer.elapsed()) / 1000);
        std::fflush(stdout);
        return change;
    }

private slots:
    void initTestCase() {
        // The offscreen platform says, each time, that it cannot raise a
        // window; thousands of those would only bury the figures.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.startsWith(QLatin1String("This plugin does not support")))
                    previous(type, context, message);
            });
        qtshell::configureApplication(project_);
        runtime_ = std::make_unique<runtime::Runtime>(project_, toolkit_);
        QVERIFY(runtime_->start());
    }
    void cleanupTestCase() { runtime_.reset(); }

    void troubleshootingWindowCycles() {
        const long change =
            residentChange("Form2 opened and closed", 100, 1000, [this] { openAndCloseForm2(); });
        QVERIFY2(std::labs(change) < kMiB, "resident memory changed by 1 MiB or more");
    }

    void messageBoxes() {
        const long change = residentChange("message box shown and dismissed", 30, 300,
                                           [this] { dismissMessageBox(); });
        QVERIFY2(std::labs(change) < kMiB, "resident memory changed by 1 MiB or more");
    }
};

QTEST_MAIN(FlatMemoryTest)
#include "flat_memory_test.moc"
