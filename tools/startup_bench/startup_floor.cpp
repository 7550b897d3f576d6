// The floors for start-up: a Qt program that shows only an empty window of
// the main window's size and ends after its first paint. Built a second time
// with LANSU_TEXT_FLOOR, the window also shows one Chinese character in
// 宋体 9 pt, as the program draws it: what that adds is what any window with
// text pays before its first glyph (reading the font configuration, loading
// a face).

#include "first_paint.h"

#include <QApplication>
#include <QWidget>

#ifdef LANSU_TEXT_FLOOR
#include "shell/qt/conversions.h"
#include "shell/qt/fonts.h"

#include <QLabel>
#endif

int main() {
    static char name[] = "startup_floor";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    QApplication application(argc, argv);
#ifdef LANSU_TEXT_FLOOR
    shell::qt::installSongTiSubstitutes();
#endif
    QuitAfterFirstPaint quitter(QStringLiteral("Floor"));
    application.installEventFilter(&quitter);
    QWidget window;
    window.setObjectName(QStringLiteral("Floor"));
    window.setFixedSize(1008, 813);
#ifdef LANSU_TEXT_FLOOR
    QLabel label(QStringLiteral("岚"), &window);
    label.setFont(shell::qt::toQFont(shell::model::defaultWindowFont()));
    label.move(8, 8);
#endif
    window.show();
    return QApplication::exec();
}
