// Both windows and the message box as realised on Qt, headless: as drawn
// (sizes, stacking, pictures, fonts, wrapped text), as clicked and keyed, and
// as assistive technologies see them (roles, names, states, rectangles,
// text), with text contrast on any desktop palette. What the pictures show
// is in the damaged-records test; smoothing, focus mark and edges at each
// display scale in the scaled-drawing test.

#include "main_window/form1_accessible_names.h"
#include "main_window/form1_description.h"
#include "shell/model/contrast.h"
#include "shell/model/ordering.h"
#include "shell/qt/application.h"
#include "shell/qt/conversions.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/qt/window_builder.h"
#include "troubleshooting_window/form2_accessible_names.h"
#include "troubleshooting_window/form2_description.h"
#include "window_probe.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QtTest>
#include <map>
#include <memory>

using testing_support::control;

namespace {

shell::WindowDescription named(shell::WindowDescription window,
                               std::span<const shell::AccessibleName> names) {
    return std::move(shell::withAccessibleNames(std::move(window), names).value());
}

QAccessible::Role roleOf(shell::ControlKind kind) {
    using K = shell::ControlKind;
    static const std::map<K, QAccessible::Role> roles = {
        {K::PictureBox, QAccessible::Graphic},       {K::Label, QAccessible::StaticText},
        {K::TextBox, QAccessible::EditableText},     {K::Frame, QAccessible::Grouping},
        {K::CommandButton, QAccessible::Button},     {K::CheckBox, QAccessible::CheckBox},
        {K::OptionButton, QAccessible::RadioButton}, {K::HScrollBar, QAccessible::ScrollBar},
        {K::VScrollBar, QAccessible::ScrollBar}};
    return roles.at(kind);
}

// Where a control lies in its window's client area, in pixels.
std::optional<QRect> rectIn(const std::vector<shell::ControlDescription>& controls,
                            const std::string& name, QPoint origin) {
    for (const auto& c : controls) {
        const QRect rect = qtshell::toPixels(c.rect).translated(origin);
        if (c.name == name)
            return rect;
        if (auto inner = rectIn(c.children, name, rect.topLeft()))
            return inner;
    }
    return std::nullopt;
}

QRect windowRect(const shell::WindowDescription& window, const std::string& name) {
    return rectIn(window.controls, name, QPoint()).value_or(QRect());
}

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

QString spokenName(const shell::ControlDescription& c) {
    if (c.accessibleName)
        return qtshell::toQString(*c.accessibleName);
    return qtshell::normaliseLineBreaks(qtshell::toQString(c.caption.value_or("")))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .trimmed();
}

shell::Colour fromRgb(QRgb rgb) {
    return shell::Colour::rgb(static_cast<std::uint8_t>(qRed(rgb)),
                              static_cast<std::uint8_t>(qGreen(rgb)),
                              static_cast<std::uint8_t>(qBlue(rgb)));
}

// The contrast of a label's text as drawn: its commonest pixel is the
// background, and the pixel that differs most from it is the text's core.
double drawnContrast(const QImage& shot, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb background = counts.begin()->first;
    for (const auto& [rgb, count] : counts)
        if (count > counts[background])
            background = rgb;
    double best = 1.0;
    for (const auto& [rgb, count] : counts)
        best = std::max(best, shell::contrastRatio(fromRgb(rgb), fromRgb(background)));
    return best;
}

// Rows that hold dark (navy) text on the light background, grouped into
// bands, one per drawn line.
int inkBands(const QImage& image, QRect area) {
    int bands = 0;
    bool inBand = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool hasInk = false;
        for (int x = area.left(); x <= area.right() && !hasInk; ++x)
            hasInk = qGray(image.pixel(x, y)) < 110;
        bands += hasInk && !inBand;
        inBand = hasInk;
    }
    return bands;
}

QImage grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The named control on top at a point of the window: the innermost widget
// there, or the nearest of its parents that carries a control name.
QString controlAt(QWidget* window, QPoint point) {
    for (QWidget* widget = window->childAt(point); widget && widget != window;
         widget = widget->parentWidget())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_"))
            return widget->objectName();
    return {};
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    std::map<QString, shell::WindowDescription> descriptions_;
    QObject context_;
    std::map<QString, std::unique_ptr<QWidget>> windows_;
    QStringList clicks_;

    QWidget* window(const QString& name) {
        auto& slot = windows_[name];
        if (!slot) {
            slot.reset(
                qtshell::buildWindow(descriptions_.at(name), &context_, [this](auto clicked) {
                    clicks_ << QString::fromUtf8(clicked.data(), std::ssize(clicked));
                }));
            slot->show();
            if (!QTest::qWaitForWindowActive(slot.get()))
                qWarning("window %s not active", qPrintable(name));
        }
        return slot.get();
    }

    // Form1 as the user meets it: shown, with its scroll bars greyed by Load.
    QWidget* freshForm1() {
        windows_.erase("Form1");
        QWidget* form1 = window("Form1");
        for (const char* bar : {"VScroll1", "VScroll2", "HScroll1", "HScroll2", "VScroll3"})
            control(form1, bar)->setEnabled(false);
        return form1;
    }

    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    // One Tab (or Shift+Tab) round from the current focus back to it.
    QStringList round(QWidget* form, bool forward) {
        QStringList seen;
        const QString start = focused();
        do {
            QTest::keyClick(form, Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
            seen << focused();
        } while (seen.last() != start && seen.size() < 100);
        return seen;
    }

private slots:
    void initTestCase() {
        qtshell::configureApplication();
        descriptions_["Form1"] =
            named(main_window::form1Description(), main_window::form1AccessibleNames());
        descriptions_["Form2"] = named(troubleshooting_window::form2Description(),
                                       troubleshooting_window::form2AccessibleNames());
    }
    void cleanupTestCase() { windows_.clear(); }

    void everyControlHasRoleNameAndRectangle_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        for (const auto& [form, description] : descriptions_)
            for (const auto* c : shell::allControls(description))
                QTest::newRow(qPrintable(form + "/" + qtshell::toQString(c->name)))
                    << form << qtshell::toQString(c->name);
    }
    void everyControlHasRoleNameAndRectangle() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        const auto& description = descriptions_.at(form);
        const auto* c = shell::findControl(description, name.toStdString());
        QWidget* w = window(form);
        auto* iface = accessible(control(w, qPrintable(name)));
        QVERIFY(iface);
        QCOMPARE(iface->role(), roleOf(c->kind));
        QCOMPARE(iface->text(QAccessible::Name), spokenName(*c));
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
        QCOMPARE(iface->rect(),
                 windowRect(description, c->name).translated(w->mapToGlobal(QPoint(0, 0))));
        QCOMPARE(iface->state().focusable, shell::isFocusable(c->kind));
    }

    void windowsAreFixedFramesNamedByTheirCaptionAndHoldTheirControls() {
        const std::map<QString, QSize> sizes = {{"Form1", {1008, 813}}, {"Form2", {769, 565}}};
        for (const auto& [form, description] : descriptions_) {
            QWidget* w = window(form);
            QCOMPARE(w->size(), sizes.at(form));
            QCOMPARE(w->minimumSize(), w->maximumSize());
            QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
            QVERIFY(!(w->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(w->windowIcon().availableSizes().value(0), QSize(32, 32));
            auto* iface = accessible(w);
            QCOMPARE(iface->role(), QAccessible::Window);
            QCOMPARE(iface->text(QAccessible::Name), qtshell::toQString(description.caption));
        }
        // Option buttons are inside their frame's grouping.
        auto* option = accessible(control(window("Form1"), "Option3"));
        QCOMPARE(option->parent()->role(), QAccessible::Grouping);
        QCOMPARE(option->parent()->text(QAccessible::Name), QString("微信数据内容预览窗口"));
        QVERIFY(option->parent()->indexOfChild(option) >= 0);
    }

    void labelTextKeepsItsLineBreaks() {
        auto* label = accessible(control(window("Form2"), "Label8"));
        auto* text = label->textInterface();
        QVERIFY(text);
        const QString all = text->text(0, text->characterCount());
        QCOMPARE(all.count(QLatin1Char('\n')), 4);
        QVERIFY(all.startsWith("iPhone手机上的微信聊天记录"));
        QVERIFY(!label->text(QAccessible::Name).contains(QLatin1Char('\n')));
        // Characters are where they are drawn, and found again there.
        for (int offset : {0, 5, static_cast<int>(all.indexOf("Android"))}) {
            const QRect box = text->characterRect(offset);
            QVERIFY2(label->rect().contains(box), qPrintable(QString::number(offset)));
            QCOMPARE(text->offsetAtPoint(box.center()), offset);
        }
    }

    void statesFollowTheControls() {
        QWidget* form1 = freshForm1();
        const auto state = [&](const char* name) {
            return accessible(control(form1, name))->state();
        };
        QVERIFY(state("Check7").checkStateMixed);
        QVERIFY(state("Check3").checked && !state("Check3").checkStateMixed);
        QVERIFY(!state("Check4").checked);
        QVERIFY(state("Option2").checked && !state("Option1").checked);
        QVERIFY(state("VScroll1").disabled);
        QVERIFY(state("Picture1").focused);
        accessible(control(form1, "Check7"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(state("Check7").checked && !state("Check7").checkStateMixed);
    }

    void messageBoxIsAnAlertWithOnePlainButton() {
        qtshell::QtToolkit toolkit;
        runtime::MessageBoxRequest request;
        request.title = "岚溯穹岳（";
        request.prompt = "未检测到驱动程序。";
        bool inspected = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            auto* iface = accessible(box);
            QCOMPARE(iface->role(), QAccessible::AlertMessage);
            QCOMPARE(iface->text(QAccessible::Name), QString("岚溯穹岳（"));
            QCOMPARE(iface->text(QAccessible::Description), QString("未检测到驱动程序。"));
            QCOMPARE(box->buttons().size(), 1);
            QVERIFY(box->buttons().front()->icon().isNull());
            inspected = true;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(toolkit.messageBox(request), runtime::MessageBoxResult::Ok);
        QVERIFY(inspected);
    }

    void tabGoesRoundBothWays() {
        QWidget* form1 = freshForm1();
        QCOMPARE(focused(), QString("Picture1"));
        // The described order less the greyed scroll bars and the options
        // that are not selected.
        QStringList expected;
        for (const auto* c : shell::focusOrder(descriptions_.at("Form1"))) {
            const bool bar = c->kind == shell::ControlKind::HScrollBar ||
                             c->kind == shell::ControlKind::VScrollBar;
            const bool unselected =
                c->kind == shell::ControlKind::OptionButton && c->value.value_or(0) == 0;
            if (!bar && !unselected)
                expected << qtshell::toQString(c->name);
        }
        expected.move(0, expected.size() - 1); // the round ends where it began
        QCOMPARE(round(form1, true), expected);
        QStringList backwards = expected;
        std::reverse(backwards.begin(), backwards.end());
        backwards.move(0, backwards.size() - 1);
        QCOMPARE(round(form1, false), backwards);
        // Form2's only focusable control keeps the focus.
        QWidget* form2 = window("Form2");
        QCOMPARE(round(form2, true), QStringList{"Picture1"});
    }

    void optionGroupIsOneStopWhereArrowsMoveAndSelect() {
        QWidget* form1 = freshForm1();
        control(form1, "Option2")->setFocus();
        const QList<std::pair<Qt::Key, QString>> moves = {{Qt::Key_Down, "Option3"},
                                                          {Qt::Key_Right, "Option4"},
                                                          {Qt::Key_Down, "Option1"},
                                                          {Qt::Key_Up, "Option4"}};
        for (const auto& [key, expected] : moves) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(focused(), expected);
            for (const char* name : {"Option1", "Option2", "Option3", "Option4"})
                QCOMPARE(control<QRadioButton>(form1, name)->isChecked(), expected == name);
        }
        // The group's stop has moved to Option4: Tab reaches it after Check8
        // and no other option on the way round.
        const QStringList seen = round(form1, true);
        QCOMPARE(seen.filter("Option"), QStringList{"Option4"});
        QCOMPARE(seen.indexOf("Option4"), seen.indexOf("Check8") + 1);
    }

    // Four clicks in each one's far corner: a grayed box never returns to
    // grayed, and a selected option stays selected, alone in its group.
    void clickAnywhereInTheRectangleActs_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("states"); // after each click: Checked or Unchecked
        QTest::newRow("check box") << "Check3"
                                   << "UCUC";
        QTest::newRow("grayed check box") << "Check7"
                                          << "CUCU";
        QTest::newRow("option button") << "Option4"
                                       << "CCCC";
    }
    void clickAnywhereInTheRectangleActs() {
        QFETCH(QString, name);
        QFETCH(QString, states);
        QWidget* form1 = freshForm1();
        auto* button = control<QAbstractButton>(form1, qPrintable(name));
        QString seen;
        for (qsizetype i = 0; i < states.size(); ++i) {
            QTest::mouseClick(button, Qt::LeftButton, {},
                              QPoint(button->width() - 2, button->height() - 2));
            const auto state = accessible(button)->state();
            QVERIFY(!state.checkStateMixed);
            QCOMPARE(state.checked, button->isChecked());
            seen += button->isChecked() ? 'C' : 'U';
        }
        QCOMPARE(seen, states);
        for (const char* option : {"Option1", "Option2", "Option3", "Option4"})
            if (name.startsWith("Option"))
                QCOMPARE(control<QAbstractButton>(form1, option)->isChecked(), name == option);
    }

    void explicitColoursReadOnEveryPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2d, 0x2d, 0x2d));
        dark.setColor(QPalette::ButtonText, Qt::white);
        dark.setColor(QPalette::WindowText, Qt::white);
        QTest::newRow("dark") << dark;
        QPalette black(Qt::white, Qt::black);
        black.setColor(QPalette::Button, Qt::black);
        black.setColor(QPalette::ButtonText, Qt::white);
        QTest::newRow("high contrast black") << black;
        QPalette white(Qt::black, Qt::white);
        white.setColor(QPalette::Button, Qt::white);
        white.setColor(QPalette::ButtonText, Qt::black);
        QTest::newRow("high contrast white") << white;
    }
    void explicitColoursReadOnEveryPalette() {
        QFETCH(QPalette, palette);
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(palette);
        for (const auto& [form, description] : descriptions_) {
            std::unique_ptr<QWidget> w(qtshell::buildWindow(description, &context_, [](auto) {}));
            const QImage shot = grab(w.get());
            for (const auto* c : shell::allControls(description)) {
                if (c->kind != shell::ControlKind::Label || !c->foreColour)
                    continue;
                const QRect area = windowRect(description, c->name).intersected(shot.rect());
                const double contrast = drawnContrast(shot, area);
                QVERIFY2(contrast >= shell::kReadableContrast,
                         qPrintable(
                             QString("%1 %2: %3:1").arg(form).arg(c->name.c_str()).arg(contrast)));
            }
        }
        QApplication::setPalette(saved);
    }

    void describedColoursStayOnALightDesktop() {
        // Navy on the light face already reads: drawn as described.
        const QImage shot = grab(window("Form2"));
        const QRect label1 = windowRect(descriptions_.at("Form2"), "Label1");
        bool navy = false;
        for (int y = label1.top(); y <= label1.bottom() && !navy; ++y)
            for (int x = label1.left(); x <= label1.right() && !navy; ++x)
                navy = shot.pixel(x, y) == qRgb(0, 0, 128);
        QVERIFY(navy);
    }

    void boldEllipsisKeepsItsDots() {
        auto* label = control(window("Form1"), "Label2");
        const QImage shot = grab(label);
        const QString caption = "正在等待连接您的设备 … … ";
        const QFontMetrics metrics(label->font());
        const QRgb back = shot.pixel(shot.width() - 1, 0);
        for (qsizetype at = caption.indexOf(QChar(0x2026)); at >= 0;
             at = caption.indexOf(QChar(0x2026), at + 1)) {
            const int left = metrics.horizontalAdvance(caption.left(at));
            const int right = left + metrics.horizontalAdvance(QChar(0x2026));
            int mostRuns = 0;
            for (int y = 0; y < shot.height(); ++y) {
                int runs = 0;
                bool ink = false;
                for (int x = left; x < right; ++x) {
                    const bool here = shot.pixel(x, y) != back;
                    runs += here && !ink;
                    ink = here;
                }
                mostRuns = std::max(mostRuns, runs);
            }
            QVERIFY2(
                mostRuns == 3,
                qPrintable(QString("%1 ink runs in the ellipsis at %2").arg(mostRuns).arg(at)));
        }
    }

    void stacking_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("expected");
        // Window-level buttons lying over Frame2 are in front of it.
        const QPoint buttons[] = {{80, 424},  {200, 424}, {80, 464},
                                  {200, 464}, {80, 504},  {200, 504}};
        for (int i = 0; i < 6; ++i)
            QTest::addRow("Command%d over Frame2", i + 5)
                << buttons[i] << QString("Command%1").arg(i + 5);
        // Scroll bars are in front of the panes they overlap.
        QTest::newRow("VScroll3 over Text1") << QPoint(16 + 470, 248 + 100) << "VScroll3";
        QTest::newRow("HScroll2 over Text1") << QPoint(16 + 300, 248 + 412) << "HScroll2";
        QTest::newRow("HScroll1 over Text2") << QPoint(16 + 600, 248 + 412) << "HScroll1";
        QTest::newRow("VScroll2 over Text2's edge") << QPoint(16 + 808, 248 + 100) << "VScroll2";
        QTest::newRow("Text1 itself") << QPoint(16 + 300, 248 + 100) << "Text1";
        // Footer labels: the first listed in front.
        QTest::newRow("Label7 over Label6") << QPoint(300, 790) << "Label7";
        QTest::newRow("Label6 below Label7") << QPoint(300, 811) << "Label6";
        QTest::newRow("Label5 behind both") << QPoint(100, 800) << "Label5";
    }
    void stacking() {
        QFETCH(QPoint, point);
        QFETCH(QString, expected);
        QCOMPARE(controlAt(window("Form1"), point), expected);
    }

    void sidePictureShowsItsInnerAreaAndABandOfBackColour() {
        const auto& bytes =
            shell::findControl(descriptions_.at("Form1"), "Picture2")->picture->fileBytes;
        const QImage side = QImage::fromData(QByteArrayView(bytes.data(), std::ssize(bytes)), "BMP")
                                .convertToFormat(QImage::Format_RGB32);
        QWidget* form1 = freshForm1();
        const QImage shot = grab(form1);
        const QPoint inner(848 + 2, 160 + 2); // 2-pixel sunken border
        for (int y : {0, 250, 505})
            for (int x : {0, 70, 140})
                QVERIFY2(shot.pixel(inner + QPoint(x, y)) == side.pixel(x, y),
                         qPrintable(QString("at %1,%2").arg(x).arg(y)));
        // The three rows under the picture, inside the border, are the back colour.
        const QRgb back = form1->palette().color(QPalette::Button).rgb();
        for (int y = 506; y < 509; ++y)
            for (int x = 0; x < 141; x += 20)
                QCOMPARE(shot.pixel(inner + QPoint(x, y)), back);
        // The sunken border's outer edge is darker than the face.
        QVERIFY(qGray(shot.pixel(848, 300)) < qGray(back));
    }

    // Each label's lines fit its width and keep its leading spaces and breaks;
    // navy text on the light face is read back from the pixels.
    void wrappedLinesFitTheirLabel_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minLines");
        QTest::addColumn<QString>("first");      // what the first line starts with
        QTest::addColumn<QString>("last");       // and the last
        QTest::addColumn<int>("trailingBreaks"); // empty lines at the end
        QTest::addColumn<bool>("navy");
        QTest::newRow("long paragraph") << "Form1"
                                        << "Label3" << 5 << "        "
                                        << "" << 0 << false;
        QTest::newRow("support list") << "Form2"
                                      << "Label8" << 5 << "iPhone"
                                      << "Android" << 0 << true;
        QTest::newRow("note ending in two breaks") << "Form2"
                                                   << "Label9" << 3 << ""
                                                   << "" << 2 << false;
    }
    void wrappedLinesFitTheirLabel() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(int, minLines);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, trailingBreaks);
        QFETCH(bool, navy);
        QWidget* w = window(form);
        auto* label = control<qtshell::LabelWidget>(w, qPrintable(name));
        const QStringList lines = label->wrappedLines();
        QVERIFY(lines.size() >= minLines);
        const QFontMetrics metrics(label->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= label->width(), qPrintable(line));
        QVERIFY(!lines.first().isEmpty() && lines.first().startsWith(first));
        const auto text = lines.mid(0, lines.size() - trailingBreaks);
        QVERIFY(!text.last().isEmpty() && text.last().startsWith(last));
        QCOMPARE(lines.mid(text.size()), QStringList(trailingBreaks, QString()));
        if (navy) {
            const int fitting =
                (label->height() + metrics.lineSpacing() - 1) / metrics.lineSpacing();
            QCOMPARE(inkBands(grab(w), label->geometry()),
                     std::min(fitting, static_cast<int>(lines.size())));
        }
    }

    void narrowLabelWrapsAndClips() {
        // The same caption in a label too small for it.
        qtshell::LabelWidget label(
            QString::fromStdString(
                *shell::findControl(descriptions_.at("Form2"), "Label8")->caption),
            shell::Colour::rgb(255, 255, 255), shell::Colour::rgb(0, 0, 128), nullptr);
        label.setFont(window("Form2")->font());
        // Laid out wide first: the label must lay itself out again when it
        // is narrowed, and again when its font grows.
        label.resize(600, 60);
        const qsizetype wideLines = label.wrappedLines().size();
        label.resize(150, 60);
        const QStringList lines = label.wrappedLines();
        QVERIFY(lines.size() > 10);
        QVERIFY(lines.size() > wideLines);
        QFont larger = label.font();
        larger.setPixelSize(2 * larger.pixelSize());
        label.setFont(larger);
        QVERIFY(label.wrappedLines().size() > lines.size());
        label.setFont(window("Form2")->font());
        const QFontMetrics metrics(label.font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= 150, qPrintable(line));
        const QImage shot = grab(&label);
        const int fitting = (60 + metrics.lineSpacing() - 1) / metrics.lineSpacing();
        QCOMPARE(inkBands(shot, shot.rect()), fitting);
    }

    void buttonsReportTheirClicks() {
        QWidget* form1 = freshForm1();
        clicks_.clear();
        QTest::mouseClick(control(form1, "Command3"), Qt::LeftButton);
        control(form1, "Command13")->setFocus();
        QTest::keyClick(control(form1, "Command13"), Qt::Key_Return);
        QTest::keyClick(control(form1, "Command13"), Qt::Key_Space);
        QCOMPARE(clicks_, (QStringList{"Command3", "Command13", "Command13"}));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
