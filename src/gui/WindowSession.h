// What a run of the desktop program holds for its whole life: the loaded
// drawing, the settings, the layer tables and the window state, the dialogs
// and the main window working on them.
#pragma once

#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"

namespace orvik {

struct WindowSession {
    JwcDrawing drawing;
    THenkanInfo info;
    DxfTables tables;
    WindowState state;
    QtDialogs dialogs;
    TForm1 window{dialogs, drawing, info, tables, state};

    WindowSession() { dialogs.SetWindow(&window); }
};

}  // namespace orvik
