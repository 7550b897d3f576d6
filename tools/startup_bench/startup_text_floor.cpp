// A second floor for start-up: the empty window of startup_floor.cpp with one
// label showing one Chinese character in 宋体 9 pt, as the program draws it.
// What this adds to the empty window is what any window with text pays
// before it draws its first glyph: reading the font configuration and
// loading a face.

#include "first_paint.h"
#include "shell/qt/conversions.h"
#include "shell/qt/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main() {
    static char name[] = "startup_text_floor";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    QApplication application(argc, argv);
    qtshell::installSongTiSubstitutes();
    QuitAfterFirstPaint quitter(QStringLiteral("Floor"));
    application.installEventFilter(&quitter);
    QWidget window;
    window.setObjectName(QStringLiteral("Floor"));
    window.setFixedSize(1008, 813);
    QLabel label(QStringLiteral("岚"), &window);
    label.setFont(qtshell::toQFont(shell::defaultWindowFont()));
    label.move(8, 8);
    window.show();
    return QApplication::exec();
}
