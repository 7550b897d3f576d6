// The program with a toolkit that fails one call, for the run-time error
// tests. It prints what the error box shows and dismisses it. Test-only: the
// real executable has no way to inject a failure.

#include "app/project_descriptor.h"
#include "shell/qt/application.h"
#include "shell/qt/qt_toolkit.h"
#include "shell/runtime/runtime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

// Wraps a live window so that one operation fails.
class FailingWindow : public runtime::LiveWindow {
public:
    FailingWindow(std::unique_ptr<runtime::LiveWindow> inner, bool failEnabled, bool failShow)
        : inner_(std::move(inner)), failEnabled_(failEnabled), failShow_(failShow) {}
    runtime::Status show() override { return failShow_ ? runtime::kFail : inner_->show(); }
    bool isVisible() const override { return inner_->isVisible(); }
    runtime::Status setEnabled(std::string_view name, bool enabled) override {
        return failEnabled_ ? runtime::kFail : inner_->setEnabled(name, enabled);
    }

private:
    std::unique_ptr<runtime::LiveWindow> inner_;
    bool failEnabled_, failShow_;
};

class FaultyToolkit : public qtshell::QtToolkit {
public:
    explicit FaultyToolkit(std::string fault) : fault_(std::move(fault)) {}
    std::unique_ptr<runtime::LiveWindow> realise(const shell::WindowDescription& description,
                                                 runtime::WindowEvents& events) override {
        const bool isForm2 = description.name == "Form2";
        return std::make_unique<FailingWindow>(QtToolkit::realise(description, events),
                                               fault_ == "enabled", fault_ == "show" && isForm2);
    }
    void errorBox(std::string_view title, std::string_view text) override {
        std::printf("error box: %.*s\n%.*s\n", int(title.size()), title.data(), int(text.size()),
                    text.data());
        std::fflush(stdout);
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        QtToolkit::errorBox(title, text);
    }

private:
    std::string fault_;
};

} // namespace

int main(int argc, char** argv) {
    const std::string fault = argc > 1 ? argv[1] : "";
    const auto& project = app::projectDescriptor();
    auto application = qtshell::createApplication(project);
    FaultyToolkit toolkit(fault);
    runtime::Runtime rt(project, toolkit);
    if (fault == "show") // the failure comes from the troubleshooting button
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("Form1"))
                    if (auto* button = w->findChild<QAbstractButton*>("Command13"))
                        button->click();
        });
    return rt.run();
}
