#include "gui/FolderChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace orvik {

bool BrowseFolder(const QString& title, const QString& root, QString& folder) {
    if (!QFileInfo(folder).isDir()) folder.clear();
    QFileDialog dialog(QApplication::activeWindow(), title, folder.isEmpty() ? root : folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    folder = QDir::cleanPath(dialog.selectedFiles().front());
    return true;
}

}  // namespace orvik
