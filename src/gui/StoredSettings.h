// The window's settings kept between runs, in Qt's QSettings: what the
// controls showed when the window closed, restored when it opens again.
// The initialise button still restores the defaults.
#pragma once

#include <QSettings>

#include <optional>

#include "app/WindowPorts.h"

namespace orvik {

void StoreControls(QSettings& store, const ControlValues& controls);

// What was stored, or none when nothing was (the first run): then the
// window keeps its defaults.
std::optional<ControlValues> StoredControls(const QSettings& store);

}  // namespace orvik
