#include "shell/qt/qt_toolkit.h"

#include "shell/qt/accessibility.h"
#include "shell/qt/conversions.h"
#include "shell/qt/live_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qtshell {

namespace {

using Request = runtime::MessageBoxRequest;
using Result = runtime::MessageBoxResult;

struct OfferedButton {
    QMessageBox::StandardButton button;
    Result result;
};

std::vector<OfferedButton> buttonsFor(Request::Buttons set) {
    switch (set) {
    case Request::Buttons::Ok:
        return {{QMessageBox::Ok, Result::Ok}};
    case Request::Buttons::OkCancel:
        return {{QMessageBox::Ok, Result::Ok}, {QMessageBox::Cancel, Result::Cancel}};
    case Request::Buttons::AbortRetryIgnore:
        return {{QMessageBox::Abort, Result::Abort},
                {QMessageBox::Retry, Result::Retry},
                {QMessageBox::Ignore, Result::Ignore}};
    case Request::Buttons::YesNoCancel:
        return {{QMessageBox::Yes, Result::Yes},
                {QMessageBox::No, Result::No},
                {QMessageBox::Cancel, Result::Cancel}};
    case Request::Buttons::YesNo:
        return {{QMessageBox::Yes, Result::Yes}, {QMessageBox::No, Result::No}};
    case Request::Buttons::RetryCancel:
        return {{QMessageBox::Retry, Result::Retry}, {QMessageBox::Cancel, Result::Cancel}};
    }
    return {{QMessageBox::Ok, Result::Ok}};
}

QMessageBox::Icon iconFor(Request::Icon icon) {
    switch (icon) {
    case Request::Icon::None:
        return QMessageBox::NoIcon;
    case Request::Icon::Critical:
        return QMessageBox::Critical;
    case Request::Icon::Question:
        return QMessageBox::Question;
    case Request::Icon::Exclamation:
        return QMessageBox::Warning;
    case Request::Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<runtime::LiveWindow> QtToolkit::realise(const shell::WindowDescription& description,
                                                        runtime::WindowEvents& events) {
    auto live = std::make_unique<QtLiveWindow>(description, events);
    // A window that could not be built as described is not loaded.
    return live->window() ? std::move(live) : nullptr;
}

runtime::MessageBoxResult QtToolkit::messageBox(const runtime::MessageBoxRequest& request) {
    QMessageBox box;
    box.setObjectName(QStringLiteral("rtcMsgBox"));
    box.setWindowTitle(toQString(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(normaliseLineBreaks(toQString(request.prompt)));
    describePromptAfresh(box);
    box.setIcon(iconFor(request.icon));
    // No window of the program takes input until the box is dismissed.
    box.setWindowModality(Qt::ApplicationModal);

    const auto offered = buttonsFor(request.buttons);
    std::vector<std::pair<QAbstractButton*, Result>> buttons;
    for (const auto& choice : offered)
        buttons.emplace_back(box.addButton(choice.button), choice.result);
    if (request.helpButton)
        box.addButton(QMessageBox::Help);
    // Plain buttons with their words alone: some desktop themes add an icon
    // to each standard button.
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    const auto defaultIndex =
        std::min<std::size_t>(static_cast<std::size_t>(request.defaultButton), buttons.size() - 1);
    box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex].first));

    box.exec();
    // Escape and the close box answer with the escape button (Cancel, or
    // the only button).
    for (const auto& [button, result] : buttons)
        if (box.clickedButton() == button)
            return result;
    return offered.size() == 1 ? offered.front().result : Result::Cancel;
}

void QtToolkit::errorBox(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Critical, toQString(title), toQString(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("runtimeErrorBox"));
    box.setTextFormat(Qt::PlainText);
    describePromptAfresh(box);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

int QtToolkit::runMessageLoop() {
    return QApplication::exec();
}

void QtToolkit::quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}

} // namespace qtshell
