// orvik: the desktop program.
#include <QApplication>

#include "app/DrawingJob.h"
#include "gui/JapaneseTranslations.h"
#include "gui/WindowSession.h"

int main(int argc, char** argv) {
    orvik::RemoveTemporaryFilesOnSignals();
    QApplication application(argc, argv);
    QApplication::setApplicationName("ORVIK");
    orvik::LoadJapaneseTranslations(application);
    orvik::WindowSession session;
    session.window.show();
    // Drawings named on the command line (a file manager's "open with") are read as if dropped.
    std::vector<std::string> paths;
    for (const QString& argument : QApplication::arguments().mid(1)) paths.push_back(orvik::ToPath(argument));
    if (!paths.empty()) session.window.ReadFiles(paths);
    return QApplication::exec();
}
