// orvik: the desktop program.
#include <QApplication>

#include "dxf/AtomicFile.h"
#include "gui/JapaneseTranslations.h"
#include "gui/WindowSession.h"

int main(int argc, char** argv) {
    orvik::RemoveTemporaryFilesOnSignals();
    QApplication application(argc, argv);
    QApplication::setApplicationName("ORVIK");
    orvik::LoadJapaneseTranslations(application);
    orvik::WindowSession session;
    session.window.show();
    return QApplication::exec();
}
