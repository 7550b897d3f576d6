#pragma once

// Windows realised on Qt from their descriptions, each built, shown and
// made active on first use and kept until the test case ends.

#include "shell/model/window_description.h"
#include "shell/qt/window_builder.h"

#include <QObject>
#include <QString>
#include <QTest>
#include <QWidget>
#include <map>
#include <memory>

namespace testing_support {

class ShownWindows {
public:
    std::map<QString, shell::model::WindowDescription> descriptions;
    QObject context;

    QWidget* window(const QString& name) {
        auto& slot = windows_[name];
        if (!slot) {
            slot.reset(shell::qt::buildWindow(descriptions.at(name), &context, [](auto) {}));
            slot->show();
            if (!QTest::qWaitForWindowActive(slot.get()))
                qWarning("window %s not active", qPrintable(name));
        }
        return slot.get();
    }
    void forget(const QString& name) { windows_.erase(name); }
    void clear() { windows_.clear(); }

private:
    std::map<QString, std::unique_ptr<QWidget>> windows_;
};

} // namespace testing_support
