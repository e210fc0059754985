// orvik: the desktop program. The drawing, the settings and the layer tables
// live here for the whole run; the window works on them.
#include <QApplication>

#include "Unit2/MainWindow.h"
#include "Unit2/QtDialogs.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("ORVIK");
    QApplication::setApplicationDisplayName("ORVIK");

    orvik::JwcDrawing drawing;
    orvik::THenkanInfo info;
    orvik::DxfTables tables;
    orvik::WindowState state;
    orvik::QtDialogs dialogs;
    orvik::TForm1 window(dialogs, drawing, info, tables, state);
    dialogs.SetWindow(&window);
    window.show();
    return QApplication::exec();
}
