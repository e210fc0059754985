// Shows the main window, reads a drawing into it as a drop would, and saves
// a picture of the window: the README's screenshots. With "drawing", the
// window is larger and shows the drawing tab.
//
// Usage: orvik-window-shot DRAWING.jwc OUTPUT.png [drawing]   (on a real display, e.g. under Xvfb)
#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "gui/JapaneseTranslations.h"
#include "gui/WindowSession.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const bool drawingTab = argc == 4 && QString::fromLocal8Bit(argv[3]) == "drawing";
    if (argc != 3 && !drawingTab) {
        std::fprintf(stderr, "usage: orvik-window-shot DRAWING.jwc OUTPUT.png [drawing]\n");
        return 2;
    }
    QApplication::setApplicationName("ORVIK");
    orvik::LoadJapaneseTranslations(application);
    orvik::WindowSession session;
    orvik::MainWindow& window = session.window;
    window.SetStore(nullptr);  // the pictures show the defaults, whatever a user kept
    if (drawingTab) window.resize(1000, 560);
    window.show();
    window.Commands().DropFiles({argv[1]});
    if (drawingTab) window.findChild<QTabWidget*>("viewTabs")->setCurrentIndex(1);
    int result = 1;
    QTimer::singleShot(500, [&] {
        result = window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
