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

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    for (QWidget* w : widgets) row->addWidget(w);
    row->addStretch();
    return row;
}

QLineEdit* Field(QWidget* parent, const char* name, int width, int maxLength) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(width);
    if (maxLength > 0) field->setMaxLength(maxLength);
    return field;
}

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

// A group's narrow margins and its column's width.
void MainWindow::FitGroup(QGroupBox* group) {
    group->layout()->setContentsMargins(6, 2, 6, 4);
    group->layout()->setSpacing(2);
    group->setFixedWidth(150);
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
    settingControls_ = SettingControls();
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

// The settings' first column: numbers, points, line types, curves, blocks, texts.
QVBoxLayout* MainWindow::BuildFirstColumn() {
    numbersGroup = Group("numbersGroup", FromUtf8(window_text::kNumbersGroup));
    roundCoordinatesBox =
        Named(new QCheckBox(FromUtf8(window_text::kRoundCoordinates), numbersGroup), "roundCoordinatesBox");
    (new QVBoxLayout(numbersGroup))->addWidget(roundCoordinatesBox);

    pointsGroup = Group("pointsGroup", FromUtf8(window_text::kPointsGroup));
    filledCircleButton =
        Named(new QRadioButton(FromUtf8(window_text::kFilledCircle), pointsGroup), "filledCircleButton");
    circleButton = Named(new QRadioButton(FromUtf8(window_text::kCircle), pointsGroup), "circleButton");
    pointButton = Named(new QRadioButton(FromUtf8(window_text::kPointAsIs), pointsGroup), "pointButton");
    pointRadiusField = Field(pointsGroup, "pointRadiusField", 50, 0);
    {
        auto* l = new QVBoxLayout(pointsGroup);
        for (QWidget* w : {filledCircleButton, circleButton, pointButton}) l->addWidget(w);
        l->addLayout(Row({new QLabel(FromUtf8(window_text::kRadius), pointsGroup), pointRadiusField,
                          new QLabel(FromUtf8(window_text::kMillimetres), pointsGroup)}));
    }

    lineTypesGroup = Group("lineTypesGroup", FromUtf8(window_text::kLineTypesGroup));
    jwLineTypesButton =
        Named(new QRadioButton(FromUtf8(window_text::kJwLineTypes), lineTypesGroup), "jwLineTypesButton");
    acadLineTypesButton =
        Named(new QRadioButton(FromUtf8(window_text::kAcadLineTypes), lineTypesGroup), "acadLineTypesButton");
    {
        auto* l = new QVBoxLayout(lineTypesGroup);
        l->addWidget(jwLineTypesButton);
        l->addWidget(acadLineTypesButton);
    }

    curvesGroup = Group("curvesGroup", FromUtf8(window_text::kCurvesGroup));
    polylinesBox = Named(new QCheckBox(FromUtf8(window_text::kPolylines), curvesGroup), "polylinesBox");
    (new QVBoxLayout(curvesGroup))->addWidget(polylinesBox);

    blocksGroup = Group("blocksGroup", FromUtf8(window_text::kBlocksGroup));
    explodeBlocksBox = Named(new QCheckBox(FromUtf8(window_text::kExplodeBlocks), blocksGroup), "explodeBlocksBox");
    (new QVBoxLayout(blocksGroup))->addWidget(explodeBlocksBox);

    textShrinkGroup = Group("textShrinkGroup", FromUtf8(window_text::kTextShrinkGroup));
    shrinkTextsBox = Named(new QCheckBox(FromUtf8(window_text::kShrinkTexts), textShrinkGroup), "shrinkTextsBox");
    textShrinkField = Field(textShrinkGroup, "textShrinkField", 30, 2);
    textShrinkSpin = Named(new SpinControl(textShrinkGroup), "textShrinkSpin");
    {
        auto* l = new QVBoxLayout(textShrinkGroup);
        l->addWidget(shrinkTextsBox);
        l->addLayout(Row({new QLabel(FromUtf8(window_text::kShrink), textShrinkGroup), textShrinkField, textShrinkSpin,
                          new QLabel(FromUtf8(window_text::kPercent), textShrinkGroup)}));
    }

    halfWidthGroup = Group("halfWidthGroup", FromUtf8(window_text::kHalfWidthGroup));
    narrowHalfWidthBox =
        Named(new QCheckBox(FromUtf8(window_text::kNarrowHalfWidth), halfWidthGroup), "narrowHalfWidthBox");
    halfWidthAspectField = Field(halfWidthGroup, "halfWidthAspectField", 30, 2);
    halfWidthAspectSpin = Named(new SpinControl(halfWidthGroup), "halfWidthAspectSpin");
    {
        auto* l = new QVBoxLayout(halfWidthGroup);
        l->addWidget(narrowHalfWidthBox);
        l->addLayout(Row({new QLabel(FromUtf8(window_text::kAspect), halfWidthGroup), halfWidthAspectField,
                          halfWidthAspectSpin, new QLabel(FromUtf8(window_text::kPercent), halfWidthGroup)}));
    }
    auto* column = new QVBoxLayout;
    for (QGroupBox* g :
         {numbersGroup, pointsGroup, lineTypesGroup, curvesGroup, blocksGroup, textShrinkGroup, halfWidthGroup}) {
        FitGroup(g);
        column->addWidget(g);
    }
    column->addStretch();
    column->setSpacing(4);
    return column;
}

// The second column: the scale, the output format, layer names, auxiliary
// lines, pen colours, and the window's four buttons.
QVBoxLayout* MainWindow::BuildSecondColumn() {
    scaleGroup = Group("scaleGroup", FromUtf8(window_text::kScaleGroup));
    scaleBox = Named(new QComboBox(scaleGroup), "scaleBox");
    scaleBox->setEditable(false);
    (new QVBoxLayout(scaleGroup))->addWidget(scaleBox);

    outputFormatGroup = Group("outputFormatGroup", FromUtf8(window_text::kOutputFormatGroup));
    outputFormatBox = Named(new QComboBox(outputFormatGroup), "outputFormatBox");
    {
        QString readers;
        for (const OutputFormatChoice& choice : kOutputFormatChoices) {
            const QString line = QString::fromLatin1(choice.name.data(), static_cast<qsizetype>(choice.name.size())) +
                                 ": " + FromCp932(std::string(choice.readers));
            outputFormatBox->addItem(
                QString::fromLatin1(choice.name.data(), static_cast<qsizetype>(choice.name.size())));
            outputFormatBox->setItemData(outputFormatBox->count() - 1, line, Qt::ToolTipRole);
            readers += (readers.isEmpty() ? "" : "\n") + line;
        }
        outputFormatGroup->setToolTip(readers);
    }
    (new QVBoxLayout(outputFormatGroup))->addWidget(outputFormatBox);

    layerNamesGroup = Group("layerNamesGroup", FromUtf8(window_text::kLayerNamesGroup));
    plainLayerNamesBox =
        Named(new QCheckBox(FromUtf8(window_text::kPlainLayerNames), layerNamesGroup), "plainLayerNamesBox");
    (new QVBoxLayout(layerNamesGroup))->addWidget(plainLayerNamesBox);

    auxiliaryGroup = Group("auxiliaryGroup", FromUtf8(window_text::kAuxiliaryGroup));
    auxiliaryOnDefpointsBox =
        Named(new QCheckBox(FromUtf8(window_text::kAuxiliaryOnDefpoints), auxiliaryGroup), "auxiliaryOnDefpointsBox");
    (new QVBoxLayout(auxiliaryGroup))->addWidget(auxiliaryOnDefpointsBox);

    penColorsGroup = Group("penColorsGroup", FromUtf8(window_text::kPenColorsGroup));
    {
        auto* grid = new QGridLayout(penColorsGroup);
        grid->setVerticalSpacing(2);
        for (int i = 0; i < 6; ++i) {
            penColorBoxes[i] = new ColorComboBox(penColorsGroup);
            penColorBoxes[i]->setObjectName(QStringLiteral("penColorBox%1").arg(i + 1));
            penColorBoxes[i]->setFixedWidth(73);
            grid->addWidget(new QLabel(FromUtf8(window_text::kPen) + QString::number(i + 1), penColorsGroup), i, 0);
            grid->addWidget(penColorBoxes[i], i, 1);
        }
    }

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
    for (QGroupBox* g : {scaleGroup, outputFormatGroup, layerNamesGroup, auxiliaryGroup, penColorsGroup}) {
        FitGroup(g);
        column->addWidget(g);
    }
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
    textShrinkSpin->Associate(textShrinkField);
    halfWidthAspectSpin->Associate(halfWidthAspectField);
    for (QLineEdit* field : {pointRadiusField, textShrinkField, halfWidthAspectField}) field->installEventFilter(this);

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
    connect(pointButton, &QRadioButton::clicked, this, &MainWindow::PointButtonClicked);
    // Set by program or by a click alike.
    connect(shrinkTextsBox, &QCheckBox::toggled, this, &MainWindow::ShrinkTextsToggled);
    connect(narrowHalfWidthBox, &QCheckBox::toggled, this, &MainWindow::NarrowHalfWidthToggled);
}

// Tab walks the settings in layout order, column by column, then the buttons and the tabs.
void MainWindow::SetTabOrderOfControls() {
    QWidget* previous = nullptr;
    for (QWidget* w : TabOrder()) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

std::vector<MainWindow::SettingControl> MainWindow::SettingControls() {
    std::vector<QWidget*> pens(penColorBoxes.begin(), penColorBoxes.end());
    return {
        {"roundCoordinates", {roundCoordinatesBox}},
        {"pointMode", {filledCircleButton, circleButton, pointButton}},
        {"pointRadius", {pointRadiusField}},
        {"jwLineTypes", {jwLineTypesButton, acadLineTypesButton}},
        {"curvesAsPolylines", {polylinesBox}},
        {"explodeBlocks", {explodeBlocksBox}},
        {"shrinkTexts", {shrinkTextsBox}},
        {"textShrink", {textShrinkField}},
        {"narrowHalfWidthTexts", {narrowHalfWidthBox}},
        {"halfWidthAspect", {halfWidthAspectField}},
        {"", {scaleBox}},  // chosen from each drawing's scales
        {"outputFormat", {outputFormatBox}},
        {"plainLayerNames", {plainLayerNamesBox}},
        {"auxiliaryOnDefpoints", {auxiliaryOnDefpointsBox}},
        {"penColors", pens},
    };
}

// Shows the setting's text in its controls: a check box, radio buttons or
// a list for its choices, a field, or the six pen colour lists.
void MainWindow::ShowSetting(const Setting& setting, const std::vector<QWidget*>& widgets, const std::string& text) {
    if (setting.kind == SettingKind::PenColors) {
        const std::array<int, 6> numbers = PenColorNumbers(text);
        for (std::size_t i = 0; i < penColorBoxes.size(); ++i) penColorBoxes[i]->SetColorNumber(numbers[i]);
    } else if (auto* field = qobject_cast<QLineEdit*>(widgets[0])) {
        field->setText(FromCp932(text));
    } else if (auto* list = qobject_cast<QComboBox*>(widgets[0])) {
        for (std::size_t i = 0; i < setting.choices.size(); ++i)
            if (setting.choices[i].value == text) list->setCurrentIndex(static_cast<int>(i));
    } else if (setting.kind == SettingKind::Switch) {
        static_cast<QAbstractButton*>(widgets[0])->setChecked(text == kTrue);
    } else {
        for (std::size_t i = 0; i < setting.choices.size() && i < widgets.size(); ++i)
            if (setting.choices[i].value == text) static_cast<QAbstractButton*>(widgets[i])->setChecked(true);
    }
}

// The setting's text as its controls show it.
std::string MainWindow::ReadSetting(const Setting& setting, const std::vector<QWidget*>& widgets) const {
    if (setting.kind == SettingKind::PenColors) {
        std::array<int, 6> numbers{};
        for (std::size_t i = 0; i < penColorBoxes.size(); ++i) numbers[i] = penColorBoxes[i]->ColorNumber();
        return PenColorsText(numbers);
    }
    if (auto* field = qobject_cast<QLineEdit*>(widgets[0])) return ToCp932(field->text());
    if (auto* list = qobject_cast<QComboBox*>(widgets[0]))
        return std::string(setting.choices[static_cast<std::size_t>(std::max(list->currentIndex(), 0))].value);
    if (setting.kind == SettingKind::Switch)
        return std::string(static_cast<QAbstractButton*>(widgets[0])->isChecked() ? kTrue : kFalse);
    for (std::size_t i = 0; i < setting.choices.size() && i < widgets.size(); ++i)
        if (static_cast<QAbstractButton*>(widgets[i])->isChecked()) return std::string(setting.choices[i].value);
    return std::string(setting.choices.back().value);
}

std::vector<QWidget*> MainWindow::TabOrder() const {
    std::vector<QWidget*> order;
    for (const SettingControl& setting : settingControls_)
        order.insert(order.end(), setting.widgets.begin(), setting.widgets.end());
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
    for (const SettingControl& setting : settingControls_)
        for (QWidget* w : setting.widgets) {
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
    for (const SettingControl& setting : settingControls_)
        for (QWidget* w : setting.widgets) w->parentWidget()->setEnabled(!running);
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
    fitNextDrawing_ = true;
    UpdateDrawing();
}

void MainWindow::UpdateDrawing() {
    drawingTimer_.stop();
    const int files = commands_.State().fileCount;
    if (files == 0) {
        drawingView->Clear();
        return;
    }
    if (viewTabs->currentWidget() != drawingPage) {
        if (fitNextDrawing_) drawingView->Clear();  // the old drawing is not shown meanwhile
        return;
    }
    if (pictureWork_.Busy()) {  // one is being built: the newest request follows it
        pictureWanted_ = true;
        return;
    }
    std::function<DrawingPicture()> task =
        commands_.PictureTask(static_cast<std::size_t>(std::max(batchBox->currentIndex(), 0)));
    if (!task) {
        // A field holds no usable value: the last picture stays, unless it shows another drawing.
        if (fitNextDrawing_) drawingView->Clear();
        return;
    }
    // Built on a worker: the window answers meanwhile, the view says it is busy.
    drawingView->SetBusy(true);
    pictureWork_.Start(std::move(task),
                       [this] { QMetaObject::invokeMethod(this, &MainWindow::PictureBuilt, Qt::QueuedConnection); });
}

void MainWindow::PictureBuilt() {
    std::optional<DrawingPicture> built = pictureWork_.Take();
    if (!built) return;
    DrawingPicture& shown = *built;
    drawingView->SetBusy(false);
    if (pictureWanted_) {  // the settings or the drawing changed meanwhile: this one is old
        pictureWanted_ = false;
        UpdateDrawing();
        return;
    }
    drawingView->SetNote(FromCp932(shown.note));
    if (!shown.picture) {
        // A field holds no usable value: the last picture stays, unless it
        // shows another drawing, or this drawing has none.
        if (fitNextDrawing_ || !shown.note.empty()) drawingView->Clear();
        return;
    }
    drawingView->SetPicture(std::move(*shown.picture), fitNextDrawing_ || !drawingView->HasPicture());
    fitNextDrawing_ = false;
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
    for (ColorComboBox* box : penColorBoxes)
        for (const auto& [color, number] : kPenColors) box->AddColor(color, number);
    SelectDefaults();
    ShrinkTextsToggled();
    NarrowHalfWidthToggled();
    SetTooltips();
    textShrinkSpin->SetRange(kPercentMinimum, kMaxPercent);
    textShrinkSpin->SetPosition(kDefaults.textShrinkPercent);
    halfWidthAspectSpin->SetRange(kPercentMinimum, kMaxPercent);
    halfWidthAspectSpin->SetPosition(kDefaults.halfWidthAspectPercent);
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

void MainWindow::ShowControls(const SettingTexts& texts) {
    for (const SettingControl& control : settingControls_)
        if (const Setting* setting = SettingNamed(control.setting))
            if (const auto text = texts.find(control.setting); text != texts.end())
                ShowSetting(*setting, control.widgets, text->second);
}

void MainWindow::SetTooltips() {
    logView->setToolTip(FromUtf8(window_text::kLogTip));
    numbersGroup->setToolTip(FromUtf8(window_text::kNumbersTip));
    pointsGroup->setToolTip(FromUtf8(window_text::kPointsTip));
    lineTypesGroup->setToolTip(FromUtf8(window_text::kLineTypesTip));
    layerNamesGroup->setToolTip(FromUtf8(window_text::kLayerNamesTip));
    auxiliaryGroup->setToolTip(FromUtf8(window_text::kAuxiliaryTip));
    blocksGroup->setToolTip(FromUtf8(window_text::kBlocksTip));
    penColorsGroup->setToolTip(FromUtf8(window_text::kPenColorsTip));
    scaleGroup->setToolTip(FromUtf8(window_text::kScaleTip));
    textShrinkGroup->setToolTip(FromUtf8(window_text::kTextShrinkTip));
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
    textShrinkSpin->SetPosition(kDefaults.textShrinkPercent);
    halfWidthAspectSpin->SetPosition(kDefaults.halfWidthAspectPercent);
    // The aspect shows the start-up value 70 again, whatever the spin control's last position.
    halfWidthAspectSpin->WritePosition();
}

void MainWindow::PointButtonClicked() {
    if (!pointButton->isChecked()) return;
    dialogs_.Beep();
    if (!dialogs_.AskYesNo(Cp932ToUtf8(kPointModeQuestion))) filledCircleButton->setChecked(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const char32_t c = text.isEmpty() ? 0 : text.toUcs4().value(0);
        if (IsTypedCharacter(c)) {  // navigation and editing keys are not filtered
            const bool accepted = watched == pointRadiusField ? PointRadiusKeyAccepted(c) : PercentKeyAccepted(c);
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

SettingTexts MainWindow::ReadControls() const {
    SettingTexts texts;
    for (const SettingControl& control : settingControls_)
        if (const Setting* setting = SettingNamed(control.setting))
            texts.emplace(control.setting, ReadSetting(*setting, control.widgets));
    return texts;
}

void MainWindow::SetFieldText(std::string_view setting, const std::string& text) {
    ShowControls({{std::string(setting), text}});
}

void MainWindow::FocusWindow() {
    activateWindow();
    raise();
}

}  // namespace orvik
