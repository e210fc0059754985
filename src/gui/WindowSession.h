// What a run of the desktop program holds for its whole life: the settings
// kept between runs, the loaded drawing, the settings and the window state,
// the dialogs and the main window working on them.
#pragma once

#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"

namespace orvik {

struct WindowSession {
    QSettings store{QStringLiteral("ORVIK"), QStringLiteral("orvik")};  // ~/.config/ORVIK/orvik.conf
    Drawing drawing;
    ConversionSettings settings;
    WindowState state;
    QtDialogs dialogs;
    MainWindow window{dialogs, drawing, settings, state};

    WindowSession() {
        dialogs.SetWindow(&window);
        dialogs.SetStore(&store);
        window.SetStore(&store);
    }
};

}  // namespace orvik
