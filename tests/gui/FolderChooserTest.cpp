#include "gui/FolderChooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "support/TempDir.h"

namespace orvik {
namespace {

TEST(BrowseFolder, StartsAtAnExistingFolderAndReturnsTheChoice) {
    testing::TempDir dir;
    const QString start = QString::fromStdString(dir.File("")).chopped(1);
    QString folder = start;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->directory().absolutePath();
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_TRUE(BrowseFolder("title", QString(), folder));
    EXPECT_EQ(shown, start);
    EXPECT_EQ(folder, start);
}

TEST(BrowseFolder, ForgetsAMissingFolderAndReportsCancel) {
    QString folder = "/no/such/folder";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_FALSE(BrowseFolder("title", QString(), folder));
    EXPECT_EQ(folder, "");
}

}  // namespace
}  // namespace orvik
