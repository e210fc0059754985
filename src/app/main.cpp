// orvik: the desktop program.
#include <QApplication>

#include "app/WindowSession.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("ORVIK");
    QApplication::setApplicationDisplayName("ORVIK");
    orvik::WindowSession session;
    session.window.show();
    return QApplication::exec();
}
