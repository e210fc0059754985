// Shows the main window, reads a drawing into it as a drop would, and saves
// a picture of the window: the README's screenshot.
//
// Usage: orvik-window-shot DRAWING.jwc OUTPUT.png   (on a real display, e.g. under Xvfb)
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "gui/WindowSession.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvik-window-shot DRAWING.jwc OUTPUT.png\n");
        return 2;
    }
    QApplication::setApplicationName("ORVIK");
    orvik::WindowSession session;
    orvik::MainWindow& window = session.window;
    window.show();
    window.Commands().DropFiles({argv[1]});
    int result = 1;
    QTimer::singleShot(500, [&] {
        result = window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
