#include "gui/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/KeptSettings.h"
#include "app/WindowTexts.h"
#include "gui/FolderChooser.h"
#include "text/Cp932.h"

namespace orvik {
namespace {

const QString kReadFolderKeyQt =
    QString::fromLatin1(kReadFolderKey.data(), static_cast<qsizetype>(kReadFolderKey.size()));
const QString kSaveFolderKeyQt =
    QString::fromLatin1(kSaveFolderKey.data(), static_cast<qsizetype>(kSaveFolderKey.size()));

// A modal box centred on the screen.
int Show(QMessageBox::Icon icon, const QString& caption, const std::string& text, bool yesNo) {
    QMessageBox box(icon, caption, FromUtf8(text));
    QPushButton* yes = nullptr;
    if (yesNo) {
        yes = box.addButton(FromUtf8(window_text::kYesButton), QMessageBox::YesRole);
        box.setDefaultButton(box.addButton(FromUtf8(window_text::kNoButton), QMessageBox::NoRole));
    } else {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    }
    box.exec();
    return yes && box.clickedButton() == yes;
}

}  // namespace

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString FromCp932(const std::string& text) {
    const std::string utf8 = Cp932ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

// The core's paths are the system's bytes on POSIX systems and UTF-8 on Windows.
QString FromPath(const std::string& path) {
#ifdef Q_OS_WIN
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

std::string ToPath(const QString& path) {
#ifdef Q_OS_WIN
    return path.toUtf8().toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

void QtDialogs::ShowInfo(const std::string& text) {
    Show(QMessageBox::NoIcon, FromUtf8(window_text::kInfoCaption), text, false);
}

void QtDialogs::ShowWarning(const std::string& text) {
    Show(QMessageBox::Warning, FromUtf8(window_text::kWarningCaption), text, false);
}

bool QtDialogs::AskYesNo(const std::string& text) {
    return Show(QMessageBox::Warning, FromUtf8(window_text::kWarningCaption), text, true);
}

void QtDialogs::ShowError(const std::string& text) {
    Show(QMessageBox::Critical, FromUtf8(window_text::kInfoCaption), text, false);
}

bool QtDialogs::ShowSaveFinished(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, FromUtf8(window_text::kInfoCaption), FromUtf8(text));
    QPushButton* open = box.addButton(FromUtf8(window_text::kOpenFolderButton), QMessageBox::ActionRole);
    box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    box.exec();
    return box.clickedButton() == open;
}

void QtDialogs::OpenFolder(const std::string& folder) {
    // A desktop without a file manager opens nothing: say so, and where the files are.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(folder))))
        QMessageBox::warning(window_, FromUtf8(window_text::kWarningCaption),
                             FromUtf8(window_text::kCannotOpenFolder) + "\n" + FromPath(folder));
}

void QtDialogs::Beep() { QApplication::beep(); }

std::vector<std::string> QtDialogs::ChooseOpenFiles() {
    const QString start = store_ ? store_->value(kReadFolderKeyQt).toString() : QString();
    const QStringList files = QFileDialog::getOpenFileNames(
        window_, QString(), start,
        FromUtf8(window_text::kDrawingsFilterName) + " (" + FromUtf8(window_text::kDrawingsFilterPatterns) + ");;" +
            FromUtf8(window_text::kAllFilesFilterName) + "(" + FromUtf8(window_text::kAllFilesFilterPattern) + ")");
    if (store_ && !files.isEmpty()) store_->setValue(kReadFolderKeyQt, QFileInfo(files.front()).absolutePath());
    std::vector<std::string> paths;
    for (const QString& file : files) paths.push_back(ToPath(file));
    return paths;
}

std::optional<std::string> QtDialogs::ChooseSaveFile(const std::string& proposed, std::string_view fileType) {
    // The proposed name in the folder saved to last, while it exists.
    QString start = FromPath(proposed);
    if (const QString kept = store_ ? store_->value(kSaveFolderKeyQt).toString() : QString();
        !kept.isEmpty() && QFileInfo(kept).isDir())
        start = QDir(kept).filePath(QFileInfo(start).fileName());
    const QString filter =
        QString::fromLatin1(fileType.data(), static_cast<qsizetype>(fileType.size())) + QStringLiteral(" (*.dxf)");
    const QString file = QFileDialog::getSaveFileName(window_, QString(), start, filter);
    if (file.isEmpty()) return std::nullopt;
    if (store_) store_->setValue(kSaveFolderKeyQt, QFileInfo(file).absolutePath());
    return ToPath(file);
}

std::optional<std::string> QtDialogs::ChooseFolder(const std::string& title, const std::string& initial) {
    // The folder chosen last time, while it exists; else the one proposed.
    const QString kept = store_ ? store_->value(kSaveFolderKeyQt).toString() : QString();
    QString folder = !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : FromPath(initial);
    if (!BrowseFolder(FromUtf8(title), QString(), folder)) return std::nullopt;
    if (store_) store_->setValue(kSaveFolderKeyQt, folder);
    return ToPath(folder);
}

}  // namespace orvik
