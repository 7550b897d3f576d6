// The whole program in process: the real project, runtime and Qt toolkit,
// driven as a user would. Only what the real toolkit shows is asserted here
// (boxes, modality, geometry, focus, widgets, memory); the runtime's own
// logic, failures included, is in tests/shell/runtime.

#include "app/project_descriptor.h"
#include "main_window/form1_procedures.h"
#include "shell/qt/application.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/runtime/runtime.h"
#include "window_probe.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <memory>
#include <unistd.h>

using testing_support::control;
using testing_support::throughBox;

namespace {

QWidgetList visibleNamed(const char* name) {
    QWidgetList found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            found << widget;
    return found;
}

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

// Runs `step` `times` times after `warmUp` runs; fails when resident memory
// changed by a MiB or more.
void expectFlatMemory(const char* what, int warmUp, int times, const std::function<void()>& step) {
#ifdef LANSU_SANITIZED_BUILD
    QSKIP("the sanitizers keep freed memory resident on purpose");
#endif
    long before = 0;
    for (int i = 0; i < warmUp + times && !QTest::currentTestFailed(); ++i) {
        if (i == warmUp)
            before = residentBytes();
        step();
    }
    if (QTest::currentTestFailed())
        return;
    const long change = residentBytes() - before;
    qInfo("%s %d times: resident %+.1f KiB (from %.1f MiB)", what, times,
          static_cast<double>(change) / 1024, static_cast<double>(before) / (1024 * 1024));
    QVERIFY2(std::labs(change) < 1024 * 1024, "resident memory changed by 1 MiB or more");
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<shell::qt::QtToolkit> toolkit_;
    std::unique_ptr<shell::runtime::Runtime> runtime_;

    // The one visible window of that name; none when there are two.
    QWidget* only(const char* name) const {
        const QWidgetList found = visibleNamed(name);
        return found.size() == 1 ? found[0] : nullptr;
    }
    QWidget* form1() const { return only("Form1"); }
    QWidget* form2() const { return only("Form2"); }

    void click(QWidget* window, const char* name) {
        QTest::mouseClick(control(window, name), Qt::LeftButton);
    }

    void openAndCloseForm2() {
        click(form1(), "Command13");
        QWidget* form2 = this->form2();
        QVERIFY(form2);
        // What an X11 window system does with the icon of a window it maps
        // (the offscreen platform does not): ask for its pixmap at each size.
        for (const QSize& size : form2->windowIcon().availableSizes())
            QVERIFY(!form2->windowIcon().pixmap(size).isNull());
        QCoreApplication::processEvents();
        QVERIFY(form2->close());
        QCoreApplication::processEvents();
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
        shell::qt::configureApplication();
    }

    void init() {
        toolkit_ = std::make_unique<shell::qt::QtToolkit>();
        runtime_ = std::make_unique<shell::runtime::Runtime>(app::projectDescriptor(), *toolkit_);
        QVERIFY(runtime_->start());
        QVERIFY(QTest::qWaitForWindowExposed(form1()));
    }
    void cleanup() {
        runtime_.reset();
        toolkit_.reset();
        QTest::qWait(1); // let deferred deletions run
        QVERIFY(visibleNamed("Form1").isEmpty() && visibleNamed("Form2").isEmpty());
    }

    // The second time with the troubleshooting window open: the title stays
    // the application's.
    void driverMessageShowsTheSameModalBoxEachTime() {
        for (int round = 0; round < 2; ++round) {
            const auto inspect = [&](QMessageBox* box) {
                QCOMPARE(box->windowTitle(), QString("岚溯穹岳（"));
                QCOMPARE(box->text(), QString(main_window::kDriverPrompt));
                QCOMPARE(box->buttons().size(), qsizetype(1));
                QCOMPARE(box->buttons().front()->text(), QString("确定"));
                QCOMPARE(box->icon(), QMessageBox::NoIcon);
                QCOMPARE(box->windowModality(), Qt::ApplicationModal);
                // A click on the other button, delivered as the window system
                // would, opens nothing.
                QWidget* other = control(form1(), "Command13");
                QTest::mouseClick(form1()->windowHandle(), Qt::LeftButton, {},
                                  other->mapTo(form1(), other->rect().center()));
                QCOMPARE(visibleNamed("Form2").size(), qsizetype(round));
            };
            QVERIFY(throughBox([&] { click(form1(), "Command12"); }, inspect));
            click(form1(), "Command13");
            QVERIFY(form2());
        }
    }

    // The runtime's error box, which ends the program once dismissed.
    void runTimeErrorBoxShowsTheRuntimesWordsAndOneButton() {
        const char* text = "实时错误 '-2147467259 (80004005)':\n\n对象 '_Form2' 的方法 'Show' 失败";
        const auto inspect = [&](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), QString("岚溯穹岳（"));
            QCOMPARE(box->text(), QString(text));
            QCOMPARE(box->buttons().size(), qsizetype(1));
        };
        QVERIFY(throughBox([&] { toolkit_->errorBox("岚溯穹岳（", text); }, inspect));
    }

    void troubleshootingWindowOpensOnceStaysWhereMovedAndReopensCentred() {
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        click(form1(), "Command13");
        QWidget* first = form2();
        QVERIFY(first && QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->geometry().center(), screenCentre);

        first->move(first->pos() + QPoint(-37, 21));
        const QPoint moved = first->pos();
        click(form1(), "Command13");
        QCOMPARE(form2(), first);
        QCOMPARE(form2()->pos(), moved);

        first->close();
        QTest::qWait(1);
        click(form1(), "Command13");
        QVERIFY(form2() && QTest::qWaitForWindowExposed(form2()));
        QCOMPARE(form2()->geometry().center(), screenCentre);
    }

    // Load greys the scroll bars at start-up and again when the main window
    // is reopened, realised afresh with the described states.
    void mainWindowReopensWithItsDescribedStates() {
        const auto scrollBarsDisabled = [this] {
            for (const char* name : main_window::kScrollBarsDisabledAtLoad)
                QVERIFY2(!control<QScrollBar>(form1(), name)->isEnabled(), name);
        };
        scrollBarsDisabled();
        control<QCheckBox>(form1(), "Check4")->click();
        control<QRadioButton>(form1(), "Option4")->click();
        control<QLineEdit>(form1(), "Text1")->setText("typed");
        click(form1(), "Command13"); // keeps the program alive
        form1()->close();
        QTest::qWait(1);

        QCOMPARE(runtime_->defaultInstance("Form1")->show(), shell::runtime::kOk);
        QVERIFY(form1());
        QCOMPARE(control<QCheckBox>(form1(), "Check4")->checkState(), Qt::Unchecked);
        QVERIFY(control<QRadioButton>(form1(), "Option2")->isChecked());
        QCOMPARE(control<QLineEdit>(form1(), "Text1")->text(), QString("等待数据读取……"));
        scrollBarsDisabled();
    }

    // That they do nothing else is the runtime test's.
    void otherButtonsTakeTheFocus() {
        for (const char* name : {"Command1", "Command5", "Command10", "Command11"}) {
            click(form1(), name);
            QCOMPARE(QApplication::focusWidget(), control(form1(), name));
        }
    }

    void withoutAChineseFontTheProgramRunsAndNamesThePackage() {
        // A font configuration that knows only the Latin DejaVu faces.
        QTemporaryDir dir;
        QFile config(dir.filePath("fonts.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">"
                     "<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir><cachedir>" +
                     dir.filePath("cache").toUtf8() + "</cachedir></fontconfig>");
        config.close();

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("FONTCONFIG_FILE", config.fileName());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(LANSU_PROGRAM), {});
        QVERIFY(process.waitForStarted());
        QVERIFY2(!process.waitForFinished(3000), "the program keeps running");
        const QStringList lines =
            QString::fromUtf8(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        process.kill();
        process.waitForFinished();
        const QStringList mentions = lines.filter("fonts-arphic-uming");
        QCOMPARE(mentions.size(), 1);
    }

    void troubleshootingWindowCyclesLeaveMemoryFlat() {
        expectFlatMemory("Form2 opened and closed", 100, 1000, [this] { openAndCloseForm2(); });
    }

    void messageBoxesLeaveMemoryFlat() {
        expectFlatMemory("message box shown and dismissed", 30, 300,
                         [this] { QVERIFY(throughBox([this] { click(form1(), "Command12"); })); });
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
