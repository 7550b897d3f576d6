// Both windows and the message box as realised on Qt, headless: as drawn
// (stacking, wrapped text, readable colours on any desktop palette), as
// clicked and keyed, and as assistive technologies see them (roles, names,
// states, rectangles, text). Sizes, smoothing, focus mark and edges at each
// display scale are in the scaled-drawing test; what the pictures show in
// the damaged-records test; what the buttons do in the program test.

#include "area_colours.h"
#include "main_window/form1_accessible_names.h"
#include "main_window/form1_description.h"
#include "shell/model/contrast.h"
#include "shell/model/ordering.h"
#include "shell/qt/application.h"
#include "shell/qt/conversions.h"
#include "shell/qt/label_widget.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/qt/window_builder.h"
#include "shown_windows.h"
#include "troubleshooting_window/form2_accessible_names.h"
#include "troubleshooting_window/form2_description.h"
#include "window_probe.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QtTest>
#include <map>
#include <memory>

using testing_support::control;
using testing_support::throughBox;

namespace {

shell::model::WindowDescription named(shell::model::WindowDescription window,
                                      std::span<const shell::model::AccessibleName> names) {
    return std::move(shell::model::withAccessibleNames(std::move(window), names).value());
}

QAccessible::Role roleOf(shell::model::ControlKind kind) {
    using K = shell::model::ControlKind;
    static const std::map<K, QAccessible::Role> roles = {
        {K::PictureBox, QAccessible::Graphic},       {K::Label, QAccessible::StaticText},
        {K::TextBox, QAccessible::EditableText},     {K::Frame, QAccessible::Grouping},
        {K::CommandButton, QAccessible::Button},     {K::CheckBox, QAccessible::CheckBox},
        {K::OptionButton, QAccessible::RadioButton}, {K::HScrollBar, QAccessible::ScrollBar},
        {K::VScrollBar, QAccessible::ScrollBar}};
    return roles.at(kind);
}

// Where a control lies in its window's client area, in pixels.
std::optional<QRect> rectIn(const std::vector<shell::model::ControlDescription>& controls,
                            const std::string& name, QPoint origin) {
    for (const auto& c : controls) {
        const QRect rect = shell::qt::toPixels(c.rect).translated(origin);
        if (c.name == name)
            return rect;
        if (auto inner = rectIn(c.children, name, rect.topLeft()))
            return inner;
    }
    return std::nullopt;
}

QRect windowRect(const shell::model::WindowDescription& window, const std::string& name) {
    return rectIn(window.controls, name, QPoint()).value_or(QRect());
}

QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

QString spokenName(const shell::model::ControlDescription& c) {
    if (c.accessibleName)
        return shell::qt::toQString(*c.accessibleName);
    return shell::qt::normaliseLineBreaks(shell::qt::toQString(c.caption.value_or("")))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .trimmed();
}

shell::model::Colour fromRgb(QRgb rgb) {
    return shell::model::Colour::rgb(static_cast<std::uint8_t>(qRed(rgb)),
                                     static_cast<std::uint8_t>(qGreen(rgb)),
                                     static_cast<std::uint8_t>(qBlue(rgb)));
}

// A label's text as drawn: its commonest pixel is the background, and the
// pixel that differs most from it is the text's core.
struct DrawnText {
    shell::model::Colour background;
    double contrast = 1.0;
    std::map<QRgb, int> counts;
};

DrawnText drawnText(const QImage& shot, const QRect& area) {
    auto [counts, background] = testing_support::areaColours(shot, area);
    DrawnText drawn{fromRgb(background), 1.0, std::move(counts)};
    for (const auto& [rgb, count] : drawn.counts)
        drawn.contrast =
            std::max(drawn.contrast, shell::model::contrastRatio(fromRgb(rgb), drawn.background));
    return drawn;
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

struct Piece {
    QString text;
    int start = -1;
    int end = -1;
    bool operator==(const Piece&) const = default;
};

QDebug operator<<(QDebug debug, const Piece& piece) {
    return debug << piece.text << piece.start << piece.end;
}

enum class Side { Before, At, After };

Piece ask(QAccessibleTextInterface* text, Side side, int offset,
          QAccessible::TextBoundaryType type) {
    Piece piece;
    piece.text = side == Side::Before
                     ? text->textBeforeOffset(offset, type, &piece.start, &piece.end)
                 : side == Side::At ? text->textAtOffset(offset, type, &piece.start, &piece.end)
                                    : text->textAfterOffset(offset, type, &piece.start, &piece.end);
    return piece;
}

bool isHan(QChar c) {
    return c.script() == QChar::Script_Han;
}

// Asks a text interface for every kind of piece before, at and after every
// offset, and for offsets outside the text; returns the first wrong answer,
// or nothing. The pieces of each kind must tile the text: each "at" answer
// holds its offset, "before" and "after" are its neighbours, nothing lies
// outside, and offset -1 is the end. Words: a Han character is a word of its
// own, and no Latin or digit run is cut.
QString firstWrongPiece(QAccessibleTextInterface* text, const QString& what) {
    const QString all = text->text(0, text->characterCount());
    const int length = static_cast<int>(all.size());
    const Piece none;
    const auto wrong = [&](const char* type, int offset, const char* side, const Piece& got) {
        QString said;
        QDebug(&said) << got;
        return QString("%1: %2 %3 offset %4: got %5").arg(what, side, type).arg(offset).arg(said);
    };
    const std::pair<QAccessible::TextBoundaryType, const char*> types[] = {
        {QAccessible::CharBoundary, "character"},
        {QAccessible::WordBoundary, "word"},
        {QAccessible::SentenceBoundary, "sentence"},
        {QAccessible::LineBoundary, "line"},
        {QAccessible::ParagraphBoundary, "paragraph"}};
    for (const auto& [type, name] : types) {
        for (int outside : {-3, length + 1})
            for (Side side : {Side::Before, Side::At, Side::After})
                if (const Piece got = ask(text, side, outside, type); got != none)
                    return wrong(name, outside, "outside", got);
        for (Side side : {Side::Before, Side::At, Side::After})
            if (const Piece got = ask(text, side, -1, type); got != ask(text, side, length, type))
                return wrong(name, -1, "the end", got);
        for (int offset = 0; offset <= length; ++offset) {
            const Piece at = ask(text, Side::At, offset, type);
            const bool caretAtEnd = offset == length;
            const bool noPiece = caretAtEnd && type == QAccessible::CharBoundary;
            if (noPiece ? at != none
                        : at.text.isEmpty() || at.text != all.mid(at.start, at.end - at.start) ||
                              at.start > offset || (at.end <= offset && !caretAtEnd) ||
                              (caretAtEnd && at.end != length))
                return wrong(name, offset, "at", at);
            const int from = noPiece ? length : at.start;
            const int to = noPiece ? length : at.end;
            const Piece before = ask(text, Side::Before, offset, type);
            if (from == 0 ? before != none
                          : before.end != from || before.text.isEmpty() ||
                                before.text != all.mid(before.start, before.end - before.start))
                return wrong(name, offset, "before", before);
            const Piece after = ask(text, Side::After, offset, type);
            if (to == length ? after != none
                             : after.start != to || after.text.isEmpty() ||
                                   after.text != all.mid(after.start, after.end - after.start))
                return wrong(name, offset, "after", after);
            if (type == QAccessible::WordBoundary) {
                const bool hanCut =
                    at.text.size() > 1 && std::any_of(at.text.begin(), at.text.end(), isHan);
                const auto runCut = [&](int edge) {
                    return edge > 0 && edge < length && all[edge - 1].isLetterOrNumber() &&
                           all[edge].isLetterOrNumber() && !isHan(all[edge - 1]) &&
                           !isHan(all[edge]);
                };
                if (hanCut || runCut(at.start) || runCut(at.end))
                    return wrong(name, offset, "at", at);
            }
        }
    }
    const Piece whole = ask(text, Side::At, 0, QAccessible::NoBoundary);
    if (whole != Piece{all, 0, length})
        return wrong("whole text", 0, "at", whole);
    return {};
}

// Every accessible below `root` that answers text questions.
void collectTexts(QAccessibleInterface* root, QList<QAccessibleInterface*>& found) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child->textInterface())
            found << child;
        collectTexts(child, found);
    }
}

// State changes as the AT-SPI bridge passes them on: a change of "checked"
// or, failing that, of "disabled", with the value read when it is told.
struct ToldChange {
    QObject* object;
    QString what;
    bool value;
    bool mixed; // a check box's grayed state, as read with the change
};
std::vector<ToldChange> gTold;

void recordChange(QAccessibleEvent* event) {
    if (event->type() != QAccessible::StateChanged)
        return;
    const auto changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    const QAccessible::State now = event->accessibleInterface()->state();
    if (changed.checked)
        gTold.push_back({event->object(), "checked", bool(now.checked), bool(now.checkStateMixed)});
    else if (changed.disabled)
        gTold.push_back({event->object(), "enabled", !now.disabled, false});
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

    testing_support::ShownWindows shown_;

    QWidget* window(const QString& name) { return shown_.window(name); }

    // Form1 as the user meets it: shown, with its scroll bars greyed by Load.
    QWidget* freshForm1() {
        shown_.forget("Form1");
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
        shell::qt::configureApplication();
        // As with a screen reader running: accessibility events are made
        // (Qt makes them only while its platform's accessibility is active)
        // and recorded where the bridge to the screen reader would get them.
        QAccessible::installUpdateHandler(recordChange);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        shown_.descriptions["Form1"] =
            named(main_window::form1Description(), main_window::form1AccessibleNames());
        shown_.descriptions["Form2"] = named(troubleshooting_window::form2Description(),
                                             troubleshooting_window::form2AccessibleNames());
    }
    void cleanupTestCase() { shown_.clear(); }

    void everyControlHasRoleNameAndRectangle_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        for (const auto& [form, description] : shown_.descriptions)
            for (const auto* c : shell::model::allControls(description))
                QTest::newRow(qPrintable(form + "/" + shell::qt::toQString(c->name)))
                    << form << shell::qt::toQString(c->name);
    }
    void everyControlHasRoleNameAndRectangle() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        const auto& description = shown_.descriptions.at(form);
        const auto* c = shell::model::findControl(description, name.toStdString());
        QWidget* w = window(form);
        auto* iface = accessible(control(w, qPrintable(name)));
        QVERIFY(iface);
        QCOMPARE(iface->role(), roleOf(c->kind));
        QCOMPARE(iface->text(QAccessible::Name), spokenName(*c));
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
        QCOMPARE(iface->rect(),
                 windowRect(description, c->name).translated(w->mapToGlobal(QPoint(0, 0))));
        QCOMPARE(iface->state().focusable, shell::model::isFocusable(c->kind));
        // Inside its frame's grouping, or the window's.
        QCOMPARE(iface->parent()->object(), control(w, qPrintable(name))->parentWidget());
        QVERIFY(iface->parent()->indexOfChild(iface) >= 0);
    }

    void windowsAreFixedFramesNamedByTheirCaption() {
        // Their sizes are checked at every display scale in scaled_drawing_test.
        for (const auto& [form, description] : shown_.descriptions) {
            QWidget* w = window(form);
            QCOMPARE(w->minimumSize(), w->maximumSize());
            QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
            QVERIFY(!(w->windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(w->windowIcon().availableSizes().value(0), QSize(32, 32));
            auto* iface = accessible(w);
            QCOMPARE(iface->role(), QAccessible::Window);
            QCOMPARE(iface->text(QAccessible::Name), shell::qt::toQString(description.caption));
        }
    }

    // Every text a screen reader can read, by character, word, sentence,
    // line and paragraph, from every offset: frames' captions, labels and
    // the text boxes of both windows.
    void textQuestionsAreAnsweredEverywhere_data() {
        QTest::addColumn<QString>("form");
        QTest::newRow("Form1") << "Form1";
        QTest::newRow("Form2") << "Form2";
    }
    void textQuestionsAreAnsweredEverywhere() {
        QFETCH(QString, form);
        QList<QAccessibleInterface*> texts;
        collectTexts(accessible(window(form)), texts);
        // Form1: 7 labels, 3 frame captions, 2 text boxes; Form2: 10 labels.
        QCOMPARE(texts.size(), form == "Form1" ? 12 : 10);
        for (QAccessibleInterface* text : texts) {
            const QString what = form + "/" + text->text(QAccessible::Name);
            const QString wrong = firstWrongPiece(text->textInterface(), what);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            // A label's lines are the lines it draws (the empty ones its
            // trailing breaks leave hold no text to read).
            if (auto* label = dynamic_cast<shell::qt::LabelWidget*>(text->object())) {
                QStringList drawn = label->wrappedLines();
                while (drawn.size() > 1 && drawn.last().isEmpty())
                    drawn.removeLast();
                QStringList lines;
                auto* asked = text->textInterface();
                for (int start = 0, end = 0; end < asked->characterCount(); start = end) {
                    lines << asked->textAtOffset(start, QAccessible::LineBoundary, &start, &end);
                    lines.last().remove(QLatin1Char('\n'));
                }
                while (lines.size() > 1 && lines.last().isEmpty())
                    lines.removeLast();
                QCOMPARE(lines, drawn);
            }
        }
    }

    // Words as a screen reader moves by them: each Han character one, a
    // Latin or digit run one.
    void wordsOfMixedText() {
        auto* text = accessible(control(window("Form1"), "Label1"))->textInterface();
        QStringList words;
        for (int start = 0, end = 0; end < text->characterCount(); start = end)
            words << text->textAtOffset(start, QAccessible::WordBoundary, &start, &end);
        QCOMPARE(words, (QStringList{"V2020", " ", "下", "半", "年", " ", "10.24AA"}));
    }

    // The bridge to screen readers passes on a change of "checked" or of
    // "enabled"; each change of a control is told exactly once, with the
    // state as it now is.
    void everyStateChangeIsToldOnce() {
        QWidget* form1 = freshForm1();
        auto* check7 = control<QCheckBox>(form1, "Check7");
        auto* option1 = control(form1, "Option1");
        auto* option2 = control(form1, "Option2");
        auto* bar = control(form1, "VScroll1");
        struct Step {
            const char* what;
            std::function<void()> act;
            QList<std::pair<QWidget*, bool>> told; // each control told, and its new value
        };
        const auto click = [](QWidget* w) { return [=] { QTest::mouseClick(w, Qt::LeftButton); }; };
        const auto space = [=] {
            check7->setFocus();
            QTest::keyClick(check7, Qt::Key_Space);
        };
        const auto setTo = [=](Qt::CheckState state) {
            return [=] { check7->setCheckState(state); };
        };
        const auto toggle = [=] {
            accessible(check7)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        };
        const auto enable = [=](bool on) { return [=] { bar->setEnabled(on); }; };
        const Step steps[] = {
            {"grayed, clicked: ticked", click(check7), {{check7, true}}},
            {"ticked, Space: clear", space, {{check7, false}}},
            {"clear, Space: ticked", space, {{check7, true}}},
            {"ticked to grayed", setTo(Qt::PartiallyChecked), {{check7, false}}},
            {"grayed, toggled by a screen reader: ticked", toggle, {{check7, true}}},
            {"ticked to grayed again", setTo(Qt::PartiallyChecked), {{check7, false}}},
            {"grayed to clear", setTo(Qt::Unchecked), {{check7, false}}},
            {"clear to grayed", setTo(Qt::PartiallyChecked), {{check7, false}}},
            {"grayed to ticked", setTo(Qt::Checked), {{check7, true}}},
            {"option chosen", click(option1), {{option2, false}, {option1, true}}},
            {"scroll bar enabled", enable(true), {{bar, true}}},
            {"scroll bar greyed", enable(false), {{bar, false}}},
        };
        for (const Step& step : steps) {
            gTold.clear();
            step.act();
            QList<std::pair<QWidget*, bool>> told;
            QString heard;
            for (const ToldChange& change : gTold) {
                heard += QString(" %1 %2=%3")
                             .arg(change.object->objectName(), change.what)
                             .arg(change.value);
                told.append({static_cast<QWidget*>(change.object), change.value});
                // What a screen reader reads back with the change is the truth.
                if (change.object == check7)
                    QVERIFY2(change.mixed == (check7->checkState() == Qt::PartiallyChecked),
                             step.what);
            }
            QVERIFY2(told == step.told, qPrintable(step.what + QString(":") + heard));
        }
    }

    // A frame's caption is a label of its own inside the frame's grouping, so
    // a review of the screen reads it; it labels the grouping. (The frame's
    // name is its caption: the role-and-name test.)
    void frameCaptionsAreText() {
        for (const char* name : {"Frame1", "Frame2", "Frame3"}) {
            auto* frame = accessible(control(window("Form1"), name));
            QAccessibleInterface* label = frame->child(0);
            QCOMPARE(label->role(), QAccessible::StaticText);
            QCOMPARE(label->text(QAccessible::Name), frame->text(QAccessible::Name));
            QVERIFY(frame->rect().contains(label->rect()));
            const auto labelledBy = frame->relations(QAccessible::Label);
            QCOMPARE(labelledBy.size(), 1);
            QCOMPARE(labelledBy.front().first->object(), label->object());
            const auto labels = label->relations(QAccessible::Labelled);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.front().first->object(), frame->object());
        }
    }

    // Characters are where they are drawn, and found again there, also
    // after a line break.
    void charactersAreFoundWhereDrawn() {
        auto* label = accessible(control(window("Form2"), "Label8"));
        auto* text = label->textInterface();
        const QString all = text->text(0, text->characterCount());
        for (int offset : {0, 5, static_cast<int>(all.indexOf("Android"))}) {
            const QRect box = text->characterRect(offset);
            QVERIFY2(label->rect().contains(box), qPrintable(QString::number(offset)));
            QCOMPARE(text->offsetAtPoint(box.center()), offset);
        }
    }

    void messageBoxIsAnAlertWithOnePlainButton() {
        shell::qt::QtToolkit toolkit;
        shell::runtime::MessageBoxRequest request;
        request.title = "岚溯穹岳（";
        // Chinese with a Latin word: as the driver box's prompt, and what
        // froze a screen reader's question about its first word.
        request.prompt = "未检测到驱动程序。 OK";
        // The box as a screen reader meets it: an alert named by its title,
        // its prompt given once, by the one label that carries it, and one
        // plain button.
        const auto inspect = [](QMessageBox* box) {
            auto* iface = accessible(box);
            QList<QAccessibleInterface*> texts;
            collectTexts(iface, texts);
            QCOMPARE(iface->role(), QAccessible::AlertMessage);
            QCOMPARE(iface->text(QAccessible::Name), QString("岚溯穹岳（"));
            QVERIFY(iface->text(QAccessible::Description).isEmpty());
            QCOMPARE(texts.size(), 1);
            QCOMPARE(texts.front()->text(QAccessible::Name), QString("未检测到驱动程序。 OK"));
            const QString wrong = firstWrongPiece(texts.front()->textInterface(), "prompt");
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            QCOMPARE(box->buttons().size(), 1);
            QVERIFY(box->buttons().front()->icon().isNull());
        };
        QVERIFY(throughBox([&] { toolkit.messageBox(request); }, inspect));
    }

    void tabGoesRoundBothWays() {
        QWidget* form1 = freshForm1();
        QCOMPARE(focused(), QString("Picture1"));
        // The described order less the greyed scroll bars and the options
        // that are not selected.
        QStringList expected;
        for (const auto* c : shell::model::focusOrder(shown_.descriptions.at("Form1"))) {
            const bool bar = c->kind == shell::model::ControlKind::HScrollBar ||
                             c->kind == shell::model::ControlKind::VScrollBar;
            const bool unselected =
                c->kind == shell::model::ControlKind::OptionButton && c->value.value_or(0) == 0;
            if (!bar && !unselected)
                expected << shell::qt::toQString(c->name);
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
    // grayed, and a selected option stays selected (alone in its group: the
    // state-change test).
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
        auto* button = control<QAbstractButton>(freshForm1(), qPrintable(name));
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
        for (const auto& [form, description] : shown_.descriptions) {
            std::unique_ptr<QWidget> w(
                shell::qt::buildWindow(description, &shown_.context, [](auto) {}));
            const QImage shot = grab(w.get());
            for (const auto* c : shell::model::allControls(description)) {
                if (c->kind != shell::model::ControlKind::Label || !c->foreColour)
                    continue;
                const QRect area = windowRect(description, c->name).intersected(shot.rect());
                const DrawnText drawn = drawnText(shot, area);
                const QString what = form + " " + c->name.c_str();
                QVERIFY2(drawn.contrast >= shell::model::kReadableContrast,
                         qPrintable(QString("%1: %2:1").arg(what).arg(drawn.contrast)));
                // A described colour that already reads is drawn as described.
                const shell::model::Colour fore = *c->foreColour;
                if (shell::model::contrastRatio(fore, drawn.background) >=
                    shell::model::kReadableContrast)
                    QVERIFY2(drawn.counts.contains(qRgb(fore.red(), fore.green(), fore.blue())),
                             qPrintable(what));
            }
        }
        QApplication::setPalette(saved);
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

    // The three rows under the side picture (506 rows high), inside its
    // 2-pixel sunken border, are the back colour. The picture's own pixels
    // are the damaged-records test's, the border's the scaled-drawing test's.
    void sidePictureLeavesABandOfBackColour() {
        QWidget* form1 = freshForm1();
        const QImage shot = grab(form1);
        const QPoint inner(848 + 2, 160 + 2);
        const QRgb back = form1->palette().color(QPalette::Button).rgb();
        for (int y = 506; y < 509; ++y)
            for (int x = 0; x < 141; x += 20)
                QCOMPARE(shot.pixel(inner + QPoint(x, y)), back);
        QVERIFY(shot.pixel(inner + QPoint(70, 505)) != back);
    }

    // Each label's lines fit its width and keep its leading spaces and breaks.
    void wrappedLinesFitTheirLabel_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minLines");
        QTest::addColumn<QString>("first");      // what the first line starts with
        QTest::addColumn<QString>("last");       // and the last
        QTest::addColumn<int>("trailingBreaks"); // empty lines at the end
        QTest::newRow("long paragraph") << "Form1"
                                        << "Label3" << 5 << "        "
                                        << "" << 0;
        QTest::newRow("support list") << "Form2"
                                      << "Label8" << 5 << "iPhone"
                                      << "Android" << 0;
        QTest::newRow("note ending in two breaks") << "Form2"
                                                   << "Label9" << 3 << ""
                                                   << "" << 2;
    }
    void wrappedLinesFitTheirLabel() {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(int, minLines);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(int, trailingBreaks);
        auto* label = control<shell::qt::LabelWidget>(window(form), qPrintable(name));
        const QStringList lines = label->wrappedLines();
        QVERIFY(lines.size() >= minLines);
        const QFontMetrics metrics(label->font());
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= label->width(), qPrintable(line));
        QVERIFY(!lines.first().isEmpty() && lines.first().startsWith(first));
        const auto text = lines.mid(0, lines.size() - trailingBreaks);
        QVERIFY(!text.last().isEmpty() && text.last().startsWith(last));
        QCOMPARE(lines.mid(text.size()), QStringList(trailingBreaks, QString()));
    }

    void narrowLabelWrapsAndClips() {
        // The same caption in a label too small for it.
        shell::qt::LabelWidget label(
            QString::fromStdString(
                *shell::model::findControl(shown_.descriptions.at("Form2"), "Label8")->caption),
            shell::model::Colour::rgb(255, 255, 255), shell::model::Colour::rgb(0, 0, 128),
            nullptr);
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
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
