// Shows the main window, reads drawings into it as a drop would, and saves
// a picture of it: the README's and docs' screenshots. Modes: "log" (the
// log after reading), "drawing" (a larger window showing the drawing tab),
// "open-dialog" (the open dialog as the read button shows it, in
// Japanese), "batch" (the drawings saved as a batch into a temporary
// folder, the first one not converted whole chosen in the drawing tab).
//
// Usage: orvik-window-shot OUTPUT.png log|drawing|open-dialog|batch DRAWING...
//        (on a real display, e.g. under Xvfb)
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "ToolArguments.h"
#include "gui/JapaneseTranslations.h"
#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"

namespace {

// The real dialogs, but a batch goes to a temporary folder without asking,
// and its end is not announced.
class BatchDialogs : public orvik::QtDialogs {
public:
    explicit BatchDialogs(QString folder) : folder_(std::move(folder)) {}
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
        return orvik::ToPath(folder_);
    }
    bool ShowSaveFinished(const std::string&) override { return false; }

private:
    QString folder_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::vector<std::string> args = orvik::ToolArguments(
        argc, argv, "orvik-window-shot OUTPUT.png log|drawing|open-dialog|batch DRAWING...", 3, 1000);
    const std::string& mode = args[1];
    if (mode != "log" && mode != "drawing" && mode != "open-dialog" && mode != "batch") {
        std::fprintf(stderr, "orvik-window-shot: unknown mode %s\n", mode.c_str());
        return 2;
    }
    const std::vector<std::string> drawings(args.begin() + 2, args.end());
    QApplication::setApplicationName("ORVIK");
    orvik::LoadJapaneseTranslations(application);
    QTemporaryDir output;
    BatchDialogs dialogs(output.path());
    orvik::Drawing drawing;
    orvik::ConversionSettings settings;
    orvik::WindowState state;
    orvik::MainWindow window(dialogs, drawing, settings, state);  // no store: the pictures show the defaults
    dialogs.SetWindow(&window);
    if (mode == "drawing" || mode == "batch") window.resize(1000, 560);
    window.show();
    window.ReadFiles(drawings);
    auto* tabs = window.findChild<QTabWidget*>("viewTabs");
    if (mode == "batch") {
        window.ConvertAndSave();
        auto* list = window.findChild<QComboBox*>("batchBox");
        for (int i = 0; i < list->count(); ++i)
            if (list->itemText(i).startsWith(QStringLiteral("△")) ||
                list->itemText(i).startsWith(QStringLiteral("×"))) {
                list->setCurrentIndex(i);
                emit list->activated(i);
                break;
            }
    }
    if (mode == "drawing" || mode == "batch") tabs->setCurrentIndex(1);
    // The open dialog as the read button opens it: Qt's own dialog, translated.
    QFileDialog dialog(&window, QString(), QFileInfo(QString::fromStdString(drawings.front())).absolutePath(),
                       QStringLiteral("jw_cad (*.jwc *.jww);;全て(*.*)"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (mode == "open-dialog") dialog.show();
    int result = 1;
    QTimer::singleShot(500, [&] {
        QWidget& shown = mode == "open-dialog" ? static_cast<QWidget&>(dialog) : window;
        result = shown.grab().save(QString::fromStdString(args[0])) ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
