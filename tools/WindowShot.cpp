// Shows the main window, reads a drawing into it as a drop would, and saves
// a picture of the window: the README's screenshots. With "drawing", the
// window is larger and shows the drawing tab; with "open-dialog", the picture
// is of the open dialog as the read button shows it (in Japanese).
//
// Usage: orvik-window-shot DRAWING.jwc OUTPUT.png [drawing|open-dialog]   (on a real display, e.g. under Xvfb)
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "gui/JapaneseTranslations.h"
#include "gui/WindowSession.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString mode = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    const bool drawingTab = mode == "drawing", openDialog = mode == "open-dialog";
    if (argc != 3 && !drawingTab && !openDialog) {
        std::fprintf(stderr, "usage: orvik-window-shot DRAWING.jwc OUTPUT.png [drawing|open-dialog]\n");
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
    // The open dialog as the read button opens it: Qt's own dialog, translated.
    QFileDialog dialog(&window, QString(), QFileInfo(QString::fromLocal8Bit(argv[1])).absolutePath(),
                       QStringLiteral("jw_cad (*.jwc);;全て(*.*)"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (openDialog) dialog.show();
    int result = 1;
    QTimer::singleShot(500, [&] {
        QWidget& shown = openDialog ? static_cast<QWidget&>(dialog) : window;
        result = shown.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
