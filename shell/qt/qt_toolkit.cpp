#include "shell/qt/qt_toolkit.h"

#include "shell/qt/accessibility.h"
#include "shell/qt/conversions.h"
#include "shell/qt/live_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace shell::qt {

std::unique_ptr<shell::runtime::LiveWindow>
QtToolkit::realise(const shell::model::WindowDescription& description,
                   shell::runtime::WindowEvents& events) {
    auto live = std::make_unique<LiveWindow>(description, events);
    // A window that could not be built as described is not loaded.
    return live->window() ? std::move(live) : nullptr;
}

void QtToolkit::messageBox(const shell::runtime::MessageBoxRequest& request) {
    QMessageBox box;
    box.setObjectName(QStringLiteral("rtcMsgBox"));
    box.setWindowTitle(toQString(request.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(normaliseLineBreaks(toQString(request.prompt)));
    describePromptAfresh(box);
    // No window of the program takes input until the box is dismissed.
    box.setWindowModality(Qt::ApplicationModal);
    auto* ok = static_cast<QPushButton*>(box.addButton(QMessageBox::Ok));
    // A plain button with its word alone: some desktop themes add an icon
    // to each standard button.
    ok->setIcon(QIcon());
    box.setDefaultButton(ok);
    // Escape and the close box answer with the only button.
    box.exec();
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

} // namespace shell::qt
