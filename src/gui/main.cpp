// orvik: the desktop program.
#include <QApplication>

#include "gui/WindowSession.h"
#include "dxf/AtomicFile.h"

int main(int argc, char** argv) {
    orvik::RemoveTemporaryFilesOnSignals();
    QApplication application(argc, argv);
    QApplication::setApplicationName("ORVIK");
    QApplication::setApplicationDisplayName("ORVIK");
    orvik::WindowSession session;
    session.window.show();
    return QApplication::exec();
}
