// What a run of the desktop program holds for its whole life: the loaded
// drawing, the settings and the window state, the dialogs
// and the main window working on them.
#pragma once

#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"

namespace orvik {

struct WindowSession {
    JwcDrawing drawing;
    ConversionSettings settings;
    WindowState state;
    QtDialogs dialogs;
    MainWindow window{dialogs, drawing, settings, state};

    WindowSession() { dialogs.SetWindow(&window); }
};

}  // namespace orvik
