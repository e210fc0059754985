// A modal chooser of one existing folder.
#pragma once

#include <QString>

namespace orvik {

// Shows the folder chooser with `title`, starting at `folder` when that is
// an existing directory (otherwise `folder` becomes empty and the chooser
// starts at its own default). `root` limits where browsing starts; empty
// means anywhere. True with `folder` set to the chosen path (no trailing
// separator) when the user confirms; false when cancelled.
bool BrowseFolder(const QString& title, const QString& root, QString& folder);

}  // namespace orvik
