#include "gui/MainWindow.h"

#include <QAbstractItemView>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <thread>

#include "app/KeptSettings.h"
#include "app/KeyFilters.h"
#include "app/OutputFormatChoices.h"
#include "app/SettingChecks.h"
#include "app/Version.h"
#include "app/WindowRules.h"
#include "app/WindowTexts.h"
#include "gui/QtDialogs.h"
#include "gui/StoredSettings.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik {
namespace {

// What the controls show at start-up and after initialise.
const ConversionSettings kDefaults{};

template <class T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

QGroupBox* MainWindow::Group(const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(name);
    return box;
}

MainWindow::MainWindow(Dialogs& dialogs, Drawing& drawing, ConversionSettings& settings, WindowState& state,
                       QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), commands_(dialogs, *this, drawing, settings, state) {
    setObjectName("MainWindow");
    setWindowTitle("ORVIK");
    resize(630, 444);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    setFont(font);

    BuildViewPanel();
    QVBoxLayout* column1 = BuildFirstColumn();
    QVBoxLayout* column2 = BuildSecondColumn();
    auto* main = new QHBoxLayout(this);
    main->setContentsMargins(6, 6, 6, 6);
    main->addLayout(BuildLeftSide(), 1);
    main->addLayout(column1);
    main->addLayout(column2);
    ConnectControls();
    ConnectSettingsToDrawing();
    SetTabOrderOfControls();
}

// The log and the drawing share the area left of the settings; beside the
// tabs, the background, fit and About buttons.
void MainWindow::BuildViewPanel() {
    logView = Named(new QPlainTextEdit(this), "logView");
    logView->setReadOnly(true);
    logView->setTabChangesFocus(true);
    logView->setLineWrapMode(QPlainTextEdit::NoWrap);
    logView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("IPAGothic"));  // one column per byte of CP932: the report lines stay aligned
    // At 12 pixels IPAGothic's descent is too short for its underscore, and the
    // next line covers the underscores of layer names such as "0_6_".
    fixed.setPixelSize(13);
    fixed.setStyleHint(QFont::TypeWriter);
    logView->setFont(fixed);

    viewTabs = Named(new QTabWidget(this), "viewTabs");
    // The drawing tab: a batch's list of drawings above the drawing.
    drawingPage = Named(new QWidget(viewTabs), "drawingPage");
    drawingView = Named(new DrawingView(drawingPage), "drawingView");
    picture_ = std::make_unique<DrawingTabPicture>(commands_, *drawingView, [this] {
        QMetaObject::invokeMethod(
            this, [this] { picture_->Built(); }, Qt::QueuedConnection);
    });
    batchBox = Named(new QComboBox(drawingPage), "batchBox");
    batchBox->setToolTip(FromUtf8(window_text::kBatchBoxTip));
    // As wide as the tab, never as wide as the longest name: long names are
    // shortened in the middle, whole in their tooltips and in the list as
    // far as the screen allows.
    batchBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    batchBox->setMinimumContentsLength(kBatchNameColumns);
    batchBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    batchBox->view()->setTextElideMode(Qt::ElideMiddle);
    batchBox->hide();
    {
        auto* l = new QVBoxLayout(drawingPage);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(0);
        l->addWidget(batchBox);
        l->addWidget(drawingView, 1);
    }
    viewTabs->addTab(logView, FromUtf8(window_text::kLogTab));
    viewTabs->addTab(drawingPage, FromUtf8(window_text::kDrawingTab));
    {
        auto* corner = new QWidget(viewTabs);
        fitButton = Named(new QPushButton(FromUtf8(window_text::kFitButton), corner), "fitButton");
        aboutButton = Named(new QToolButton(corner), "aboutButton");
        aboutButton->setText(FromUtf8(window_text::kAboutButton));
        fitButton->setToolTip(FromUtf8(window_text::kFitTip));
        lightBackgroundBox =
            Named(new QCheckBox(FromUtf8(window_text::kLightBackground), corner), "lightBackgroundBox");
        auto* l = new QHBoxLayout(corner);
        l->setContentsMargins(0, 0, 2, 0);
        l->addWidget(lightBackgroundBox);
        l->addWidget(fitButton);
        l->addWidget(aboutButton);
        viewTabs->setCornerWidget(corner);
    }
}

// The settings' first column, from the settings table.
QVBoxLayout* MainWindow::BuildFirstColumn() {
    auto* column = new QVBoxLayout;
    controls_.BuildColumn(this, 1, column);
    column->addStretch();
    column->setSpacing(4);
    return column;
}

// The second column: the scale, the settings table's second column, and
// the window's four buttons.
QVBoxLayout* MainWindow::BuildSecondColumn() {
    scaleGroup = Group("scaleGroup", FromUtf8(window_text::kScaleGroup));
    scaleBox = Named(new QComboBox(scaleGroup), "scaleBox");
    scaleBox->setEditable(false);
    (new QVBoxLayout(scaleGroup))->addWidget(scaleBox);

    defaultsButton = Named(new QPushButton(FromUtf8(window_text::kDefaultsButton), this), "defaultsButton");
    quitButton = Named(new QPushButton(FromUtf8(window_text::kQuitButton), this), "quitButton");
    readButton = Named(new QPushButton(FromUtf8(window_text::kReadButton), this), "readButton");
    saveButton = Named(new QPushButton(FromUtf8(window_text::kSaveButton), this), "saveButton");
    auto* buttons = new QGridLayout;
    buttons->addWidget(defaultsButton, 0, 0);
    buttons->addWidget(quitButton, 0, 1);
    buttons->addWidget(readButton, 1, 0);
    buttons->addWidget(saveButton, 1, 1);
    auto* column = new QVBoxLayout;
    FitGroup(scaleGroup);
    column->addWidget(scaleGroup);
    controls_.BuildColumn(this, 2, column);
    column->addLayout(buttons);
    column->addStretch();
    column->setSpacing(4);
    return column;
}

// The left side: the tabs, and below them the progress of a save.
QVBoxLayout* MainWindow::BuildLeftSide() {
    progressRow = Named(new QWidget(this), "progressRow");
    progressBar = Named(new QProgressBar(progressRow), "progressBar");
    progressLabel = Named(new QLabel(progressRow), "progressLabel");
    progressLabel->setMinimumWidth(10);
    cancelButton = Named(new QPushButton(FromUtf8(window_text::kCancelButton), progressRow), "cancelButton");
    cancelButton->setToolTip(FromUtf8(window_text::kCancelTip));
    auto* row = new QHBoxLayout(progressRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(progressBar);
    row->addWidget(progressLabel, 1);
    row->addWidget(cancelButton);
    progressRow->hide();
    auto* left = new QVBoxLayout;
    left->addWidget(viewTabs, 1);
    left->addWidget(progressRow);
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        cancelRequested_ = true;
        cancelButton->setEnabled(false);
    });
    return left;
}

// The buttons' and fields' commands and keys.
void MainWindow::ConnectControls() {
    for (const SettingControls::Control& control : controls_.Controls()) {
        if (control.setting->kind == SettingKind::Field) control.widgets[0]->installEventFilter(this);
        // A field is used only while its switch is on; set by program or by a click alike.
        if (!control.setting->owner.empty())
            connect(static_cast<QCheckBox*>(controls_.Of(control.setting->owner).widgets[0]), &QCheckBox::toggled,
                    control.widgets[0], &QWidget::setEnabled);
    }

    readButton->setShortcut(QKeySequence::Open);
    saveButton->setShortcut(QKeySequence::Save);
    // Ctrl+Q closes the window even while a save has the buttons disabled.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &MainWindow::Quit);
    aboutButton->setShortcut(QKeySequence::HelpContents);
    connect(aboutButton, &QToolButton::clicked, this, &MainWindow::ShowAbout);
    connect(defaultsButton, &QPushButton::clicked, this, &MainWindow::RestoreDefaults);
    connect(quitButton, &QPushButton::clicked, this, &MainWindow::Quit);
    connect(readButton, &QPushButton::clicked, this, &MainWindow::OpenDrawings);
    connect(saveButton, &QPushButton::clicked, this, &MainWindow::ConvertAndSave);
    connect(PointButton(), &QRadioButton::clicked, this, &MainWindow::PointButtonClicked);
}

// Tab walks the settings in layout order, column by column, then the buttons and the tabs.
void MainWindow::SetTabOrderOfControls() {
    QWidget* previous = nullptr;
    for (QWidget* w : TabOrder()) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

std::vector<QWidget*> MainWindow::SettingWidgets() const {
    std::vector<QWidget*> widgets;
    for (const SettingControls::Control& control : controls_.Controls()) {
        if (control.setting->column == 2 && std::find(widgets.begin(), widgets.end(), scaleBox) == widgets.end())
            widgets.push_back(scaleBox);  // chosen from each drawing's scales
        widgets.insert(widgets.end(), control.widgets.begin(), control.widgets.end());
    }
    return widgets;
}

std::vector<QWidget*> MainWindow::TabOrder() const {
    std::vector<QWidget*> order = SettingWidgets();
    for (QWidget* w :
         std::initializer_list<QWidget*>{defaultsButton, quitButton, readButton, saveButton, viewTabs, logView,
                                         lightBackgroundBox, fitButton, aboutButton, batchBox, drawingView})
        order.push_back(w);
    return order;
}

void MainWindow::ConnectSettingsToDrawing() {
    drawingTimer_.setSingleShot(true);
    drawingTimer_.setInterval(150);
    connect(&drawingTimer_, &QTimer::timeout, this, &MainWindow::UpdateDrawing);
    connect(viewTabs, &QTabWidget::currentChanged, this, &MainWindow::UpdateDrawing);
    // Shown, the drawing takes the keys: F and Home fit it without a click first.
    connect(viewTabs, &QTabWidget::currentChanged, this, [this] {
        if (viewTabs->currentWidget() == drawingPage) drawingView->setFocus();
    });
    connect(fitButton, &QPushButton::clicked, drawingView, &DrawingView::FitToView);
    connect(batchBox, &QComboBox::activated, this, &MainWindow::DrawingRead);
    connect(lightBackgroundBox, &QCheckBox::toggled, drawingView, &DrawingView::SetLightBackground);
    for (QWidget* w : SettingWidgets()) {
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            connect(button, &QAbstractButton::toggled, this, &MainWindow::SettingsChanged);
        else if (auto* line = qobject_cast<QLineEdit*>(w))
            connect(line, &QLineEdit::textChanged, this, &MainWindow::SettingsChanged);
        else if (auto* box = qobject_cast<QComboBox*>(w))
            connect(box, &QComboBox::currentIndexChanged, this, &MainWindow::SettingsChanged);
    }
}

void MainWindow::RunInBackground(const std::function<void()>& work) {
    QEventLoop loop;
    std::exception_ptr failure;  // what the work threw, thrown again here
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();  // the window repaints, and cancel can be pressed
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void MainWindow::ShowProgress(int done, int total, const std::string& current) {
    ShowBatchMarks();  // the drawings done so far
    const bool running = total > 0;
    if (running && !busy_) {
        cancelRequested_ = false;
        cancelButton->setEnabled(true);
    }
    busy_ = running;
    // While a save runs, only cancel and the views answer.
    for (QWidget* w : {defaultsButton, quitButton, readButton, saveButton}) w->setEnabled(!running);
    for (QWidget* w : SettingWidgets()) w->parentWidget()->setEnabled(!running);
    setAcceptDrops(!running);
    progressRow->setVisible(running);
    cancelButton->setVisible(total > 1);  // a single drawing is one step
    if (!running) return;
    progressBar->setRange(0, total);
    progressBar->setValue(done);
    progressBar->setFormat(QStringLiteral("%1 / %2").arg(done).arg(total));
    progressLabel->setText(FromUtf8(current));
}

void MainWindow::ConvertAndSave() {
    commands_.ConvertAndSave();
    ShowBatchMarks();
    if (closeWhenDone_) {
        closeWhenDone_ = false;
        close();
    }
}

void MainWindow::ShowAbout() {
    const QString caption = QString::fromLatin1(kWindowCaption.data(), static_cast<qsizetype>(kWindowCaption.size()));
    const std::string_view format =
        ChoiceOf(WindowSettingsFrom(ReadControls()).value_or(kDefaults).outputFormat).fileType;
    QMessageBox::about(this, FromUtf8(window_text::kAboutCaption),
                       caption + "\n\n" + FromUtf8(window_text::kAboutLead) +
                           QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size())) + "\n" +
                           FromUtf8(window_text::kAboutRights) +
                           "  Qt " QT_VERSION_STR
                           "（LGPL v3）\n"
                           "  GNU C ライブラリの iconv（LGPL v2.1）\n"
                           "  zlib（zlib ライセンス）\n"
                           "  IPA フォント（IPA フォントライセンス v1.0）");
}

void MainWindow::OpenDrawings() {
    commands_.OpenDrawings();
    DrawingRead();
}

// After a read, or another drawing of a batch chosen: that drawing, fitted,
// or nothing when none is loaded.
void MainWindow::DrawingRead() {
    const WindowState& state = commands_.State();
    const bool batch = state.fileCount > 1;
    QStringList names;
    if (batch)
        for (const std::string& path : state.batchFiles) names << QString::fromStdString(path).section('/', -1);
    if (batchBox->count() != names.size() ||
        (batch && batchBox->itemData(0, kPathRole) != QString::fromStdString(state.batchFiles.front()))) {
        batchBox->clear();
        for (qsizetype i = 0; i < names.size(); ++i) {
            batchBox->addItem(names[i]);
            batchBox->setItemData(static_cast<int>(i),
                                  QString::fromStdString(state.batchFiles[static_cast<std::size_t>(i)]), kPathRole);
        }
        const QRect screen = this->screen()->availableGeometry();
        int widest = 0;
        for (const QString& name : names)
            widest = std::max(widest, batchBox->view()->fontMetrics().horizontalAdvance(name));
        batchBox->view()->setMinimumWidth(std::min(widest + 40, screen.width() / 2));
    }
    batchBox->setVisible(batch);
    ShowBatchMarks();
    KeepOnScreen();
    picture_->NewDrawing();
    UpdateDrawing();
}

void MainWindow::UpdateDrawing() {
    drawingTimer_.stop();
    picture_->Update(viewTabs->currentWidget() == drawingPage,
                     static_cast<std::size_t>(std::max(batchBox->currentIndex(), 0)));
}

void MainWindow::ShowBatchMarks() {
    const WindowState& state = commands_.State();
    for (int i = 0; i < batchBox->count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::optional<BatchMark> mark = at < state.batchMarks.size() ? state.batchMarks[at] : std::nullopt;
        const QString name = batchBox->itemData(i, kPathRole).toString().section('/', -1);
        batchBox->setItemText(i, FromUtf8(BatchMarkSign(mark)) + name);
        QString tip = batchBox->itemData(i, kPathRole).toString();
        if (mark && !mark->reason.empty()) tip += '\n' + FromCp932(mark->reason);
        batchBox->setItemData(i, tip, Qt::ToolTipRole);
    }
}

void MainWindow::KeepOnScreen() {
    const QRect screen = this->screen()->availableGeometry();
    if (width() > screen.width() || height() > screen.height())
        resize(std::min(width(), screen.width()), std::min(height(), screen.height()));
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    ApplyDefaultsOnFirstShow();
}

void MainWindow::ApplyDefaultsOnFirstShow() {
    setWindowTitle(QString::fromLatin1(kWindowCaption.data(), static_cast<qsizetype>(kWindowCaption.size())));
    setAcceptDrops(true);
    SelectDefaults();
    for (const SettingControls::Control& control : controls_.Controls())
        if (!control.setting->owner.empty())
            control.widgets[0]->setEnabled(controls_.Read(controls_.Of(control.setting->owner)) == kTrue);
    SetTooltips();
    SetSpinPositions();
    if (store_) {
        const QtSettingsStore kept(*store_);
        if (const auto stored = StoredSettingTexts(kept)) ShowControls(*stored);
        lightBackgroundBox->setChecked(kept.Value(kLightBackgroundKey) == kTrue);
        restoreGeometry(store_->value("window/geometry").toByteArray());
        KeepOnScreen();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (busy_) {
        // A save is under way: on yes, it stops after the drawing under way
        // (what is written stays) and the window closes then.
        event->ignore();
        if (!closeWhenDone_ && dialogs_.AskYesNo(Cp932ToUtf8(kCloseDuringBatch))) {
            cancelRequested_ = true;
            closeWhenDone_ = true;
        }
        return;
    }
    if (store_) {
        QtSettingsStore kept(*store_);
        StoreSettingTexts(kept, ReadControls());
        kept.SetValue(kLightBackgroundKey, std::string(lightBackgroundBox->isChecked() ? kTrue : kFalse));
        store_->setValue("window/geometry", saveGeometry());
        store_->sync();
    }
    QWidget::closeEvent(event);
}

void MainWindow::ShowControls(const SettingTexts& texts) { controls_.Show(texts); }

void MainWindow::SetTooltips() {
    logView->setToolTip(FromUtf8(window_text::kLogTip));
    scaleGroup->setToolTip(FromUtf8(window_text::kScaleTip));
    defaultsButton->setToolTip(FromUtf8(window_text::kDefaultsTip));
    quitButton->setToolTip(FromUtf8(window_text::kQuitTip));
    readButton->setToolTip(FromUtf8(window_text::kReadTip));
    saveButton->setToolTip(FromUtf8(window_text::kSaveTip));
    aboutButton->setToolTip(FromUtf8(window_text::kAboutTip));
}

void MainWindow::SelectDefaults() { ShowControls(TextsAfterInitialise(ReadControls())); }

void MainWindow::RestoreDefaults() {
    SelectDefaults();
    commands_.Forget();
    DrawingRead();
    SetSpinPositions();
}

// The spin controls start from the defaults.
void MainWindow::SetSpinPositions() {
    const SettingTexts defaults = TextsOf(kDefaults);
    for (const SettingControls::Control& control : controls_.Controls())
        if (control.spin) control.spin->SetPosition(std::stoi(defaults.at(std::string(control.setting->name))));
}

QAbstractButton* MainWindow::PointButton() const { return controls_.ChoiceButton("pointMode", "3"); }

void MainWindow::PointButtonClicked() {
    if (!PointButton()->isChecked()) return;
    dialogs_.Beep();
    if (!dialogs_.AskYesNo(Cp932ToUtf8(kPointModeQuestion))) controls_.ChoiceButton("pointMode", "1")->setChecked(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const char32_t c = text.isEmpty() ? 0 : text.toUcs4().value(0);
        if (IsTypedCharacter(c)) {  // navigation and editing keys are not filtered
            const bool accepted =
                watched == controls_.Field("pointRadius") ? PointRadiusKeyAccepted(c) : PercentKeyAccepted(c);
            if (!accepted) {
                dialogs_.Beep();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(ToPath(url.toLocalFile()));
    event->acceptProposedAction();
    if (!paths.empty()) ReadFiles(paths);
}

void MainWindow::ReadFiles(const std::vector<std::string>& paths) {
    commands_.DropFiles(paths);
    DrawingRead();
}

void MainWindow::ClearLog() { logView->clear(); }

void MainWindow::AppendLog(const std::string& text) {
    for (const std::string& line : SplitLogText(text)) logView->appendPlainText(FromUtf8(line));
}

void MainWindow::SetScaleList(const ScaleList& list) {
    scaleBox->clear();
    int widest = 0;
    for (const std::string& item : list.items) {
        scaleBox->addItem(QString::fromStdString(item));
        scaleBox->setItemData(scaleBox->count() - 1, QString::fromStdString(item), Qt::ToolTipRole);
        widest = std::max(widest, scaleBox->fontMetrics().horizontalAdvance(QString::fromStdString(item)));
    }
    scaleBox->setCurrentIndex(list.selected);
    // Long scales ("0.300000011920929") are shown whole: a smaller font in
    // the box when they do not fit, and a list as wide as the longest.
    QFont font = this->font();
    const int room = scaleBox->width() - 28;
    if (widest > room && room > 0) font.setPixelSize(std::max(8, font.pixelSize() * room / widest));
    scaleBox->setFont(font);
    scaleBox->view()->setTextElideMode(Qt::ElideNone);
    scaleBox->view()->setMinimumWidth(QFontMetrics(this->font()).horizontalAdvance(QString(20, '0')) + 20);
}

std::string MainWindow::ScaleText() const { return scaleBox->currentText().toStdString(); }

SettingTexts MainWindow::ReadControls() const { return controls_.Read(); }

void MainWindow::SetFieldText(std::string_view setting, const std::string& text) {
    controls_.Show(controls_.Of(setting), text);
}

void MainWindow::FocusWindow() {
    activateWindow();
    raise();
}

}  // namespace orvik
