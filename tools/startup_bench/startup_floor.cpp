// The floor for start-up: a Qt program that shows only an empty window of the
// main window's size and ends after its first paint.

#include "first_paint.h"

#include <QApplication>
#include <QWidget>

int main() {
    static char name[] = "startup_floor";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    QApplication application(argc, argv);
    QuitAfterFirstPaint quitter(QStringLiteral("Floor"));
    application.installEventFilter(&quitter);
    QWidget window;
    window.setObjectName(QStringLiteral("Floor"));
    window.setFixedSize(1008, 813);
    window.show();
    return QApplication::exec();
}
