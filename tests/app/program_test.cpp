// The whole program in process: the real project, runtime and Qt toolkit,
// driven as a user would.

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
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>
#include <functional>
#include <memory>

using testing_support::control;

namespace {

QWidget* topLevelNamed(const char* name) {
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name) && widget->isVisible()) {
            if (found)
                return nullptr; // more than one
            found = widget;
        }
    return found;
}

int visibleCount(const char* name) {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->objectName() == QLatin1String(name) && widget->isVisible();
    return count;
}

struct SeenBox {
    QString title, text;
    int buttons = 0;
    QString buttonText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    bool otherWindowTookClick = false;
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<qtshell::QtToolkit> toolkit_;
    std::unique_ptr<runtime::Runtime> runtime_;

    QWidget* form1() const { return topLevelNamed("Form1"); }
    QWidget* form2() const { return topLevelNamed("Form2"); }

    void click(QWidget* window, const char* name) {
        QTest::mouseClick(control(window, name), Qt::LeftButton);
    }

    // Clicks a button that opens a modal box; `inspect` runs while the box is up,
    // then Escape dismisses it.
    SeenBox clickThroughBox(const char* button, std::function<void(SeenBox&)> inspect = {}) {
        SeenBox seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.buttons = static_cast<int>(box->buttons().size());
            seen.buttonText = box->buttons().value(0) ? box->buttons().value(0)->text() : QString();
            seen.icon = box->icon();
            seen.modality = box->windowModality();
            if (inspect)
                inspect(seen);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        click(form1(), button);
        return seen;
    }

private slots:
    void initTestCase() { qtshell::configureApplication(app::projectDescriptor()); }

    void init() {
        toolkit_ = std::make_unique<qtshell::QtToolkit>();
        runtime_ = std::make_unique<runtime::Runtime>(app::projectDescriptor(), *toolkit_);
        QVERIFY(runtime_->start());
        QVERIFY(QTest::qWaitForWindowExposed(form1()));
    }
    void cleanup() {
        runtime_.reset();
        toolkit_.reset();
        QTest::qWait(1); // let deferred deletions run
        QCOMPARE(visibleCount("Form1") + visibleCount("Form2"), 0);
    }

    void scrollBarsAreDisabledAfterStartUp() {
        for (const char* name : main_window::kScrollBarsDisabledAtLoad) {
            auto* bar = control<QScrollBar>(form1(), name);
            QVERIFY2(!bar->isEnabled(), name);
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, 5)); // an arrow
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 5, bar->height() - 5));
            QCOMPARE(bar->value(), 0);
        }
    }

    void driverMessageShowsTheSameModalBoxEachTime() {
        for (int round = 0; round < 2; ++round) {
            const SeenBox seen = clickThroughBox("Command12", [&](SeenBox& box) {
                // Application-modal: a click on the other button, delivered as
                // the window system would, opens nothing.
                QWidget* other = control(form1(), "Command13");
                QTest::mouseClick(form1()->windowHandle(), Qt::LeftButton, {},
                                  other->mapTo(form1(), other->rect().center()));
                box.otherWindowTookClick = visibleCount("Form2") > 0;
            });
            QCOMPARE(seen.title, QString("岚溯穹岳（"));
            QCOMPARE(seen.text, QString(main_window::kDriverPrompt));
            QVERIFY(!seen.text.contains(QLatin1Char('\n')));
            QCOMPARE(seen.buttons, 1);
            QCOMPARE(seen.buttonText, QString("确定"));
            QCOMPARE(seen.icon, QMessageBox::NoIcon);
            QCOMPARE(seen.modality, Qt::ApplicationModal);
            QVERIFY(!seen.otherWindowTookClick);
        }
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(visibleCount("Form2"), 0);
    }

    void boxRaisedWhileTroubleshootingIsOpenKeepsTheApplicationTitle() {
        click(form1(), "Command13");
        QVERIFY(form2());
        QCOMPARE(clickThroughBox("Command12").title, QString("岚溯穹岳（"));
    }

    void troubleshootingWindowOpensOnceStaysWhereMovedAndReopensCentred() {
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        click(form1(), "Command13");
        QWidget* first = form2();
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->geometry().center(), screenCentre);

        first->move(first->pos() + QPoint(-37, 21));
        const QPoint moved = first->pos();
        click(form1(), "Command13");
        QCOMPARE(visibleCount("Form2"), 1);
        QCOMPARE(form2(), first);
        QCOMPARE(form2()->pos(), moved);

        first->close();
        QTest::qWait(1);
        QCOMPARE(visibleCount("Form2"), 0);
        QVERIFY2(form1(), "closing Form2 leaves the main window");
        click(form1(), "Command13");
        QVERIFY(form2());
        QVERIFY(QTest::qWaitForWindowExposed(form2()));
        QCOMPARE(form2()->geometry().center(), screenCentre);
    }

    void mainWindowReopensWithItsDescribedStates() {
        control<QCheckBox>(form1(), "Check4")->click();
        control<QRadioButton>(form1(), "Option4")->click();
        control<QLineEdit>(form1(), "Text1")->setText("typed");
        click(form1(), "Command13"); // keeps the program alive
        form1()->close();
        QTest::qWait(1);
        QCOMPARE(visibleCount("Form1"), 0);
        QCOMPARE(runtime_->loadedWindowCount(), 1);

        QCOMPARE(runtime_->defaultInstance("Form1")->show(), runtime::kOk);
        QVERIFY(form1());
        QCOMPARE(control<QCheckBox>(form1(), "Check4")->checkState(), Qt::Unchecked);
        QVERIFY(control<QRadioButton>(form1(), "Option2")->isChecked());
        QCOMPARE(control<QLineEdit>(form1(), "Text1")->text(), QString("等待数据读取……"));
        QVERIFY2(!control<QScrollBar>(form1(), "HScroll2")->isEnabled(), "Load ran again");
    }

    void otherButtonsChangeNothingButTheFocus() {
        for (const char* name : {"Command1", "Command5", "Command10", "Command11"}) {
            click(form1(), name);
            QCOMPARE(QApplication::focusWidget(), control(form1(), name));
        }
        QCOMPARE(visibleCount("Form2"), 0);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(runtime_->loadedWindowCount(), 1);
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

    void injectedFailuresShowTheErrorBoxAndEndWithStatusOne_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("put_Enabled") << "enabled"
                                     << "实时错误 '-2147467259 (80004005)':\n\n对象 '_VScrollBar' "
                                        "的方法 'Enabled' 失败";
        QTest::newRow("show") << "show"
                              << "实时错误 '-2147467259 (80004005)':\n\n对象 '_Form2' 的方法 "
                                 "'Show' 失败";
    }
    void injectedFailuresShowTheErrorBoxAndEndWithStatusOne() {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QProcess process;
        process.start(QStringLiteral(LANSU_FAULT_INJECTED_PROGRAM), {fault});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        QCOMPARE(out, QString("error box: 岚溯穹岳（\n") + expected + "\n");
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
