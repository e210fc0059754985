#include "gui/MainWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/KeyFilters.h"
#include "gui/QtDialogs.h"
#include "app/SettingChecks.h"

namespace orvik {
namespace {

constexpr std::array<int, 6> kDefaultPens = {4, 7, 3, 2, 6, 5};

// The seven AutoCAD colours the pens can take, in list order.
constexpr std::pair<int, int> kPenColors[] = {
    {RgbValue(255, 0, 0), 1},   {RgbValue(255, 255, 0), 2}, {RgbValue(0, 255, 0), 3},     {RgbValue(0, 255, 255), 4},
    {RgbValue(0, 0, 255), 5},   {RgbValue(255, 0, 255), 6}, {RgbValue(255, 255, 255), 7},
};

constexpr int kPercentMinimum = 10, kPercentMaximum = 99;
constexpr int kDefaultReduction = 90, kDefaultAspect = 70;

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

QGroupBox* TForm1::Group(const char* name, const QString& caption) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(name);
    return box;
}

TForm1::TForm1(Dialogs& dialogs, JwcDrawing& drawing, THenkanInfo& info, DxfTables& tables, WindowState& state,
               QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), commands_(dialogs, *this, drawing, info, tables, state) {
    setObjectName("TForm1");
    setWindowTitle("ORVIK");
    resize(630, 444);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    setFont(font);

    Memo1 = Named(new QPlainTextEdit(this), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QStringLiteral("IPAGothic"));  // one column per byte of CP932: the report lines stay aligned
    fixed.setPixelSize(12);
    fixed.setStyleHint(QFont::TypeWriter);
    Memo1->setFont(fixed);

    // Column 1.
    GroupBox1 = Group("GroupBox1", "変換数値設定");
    chkRoundBase = Named(new QCheckBox("数値を補正する", GroupBox1), "chkRoundBase");
    (new QVBoxLayout(GroupBox1))->addWidget(chkRoundBase);

    GroupBox2 = Group("GroupBox2", "点の変換設定");
    RBtnTen1 = Named(new QRadioButton("塗り潰し円", GroupBox2), "RBtnTen1");
    RBtnTen2 = Named(new QRadioButton("円", GroupBox2), "RBtnTen2");
    RBtnTen3 = Named(new QRadioButton("点のまま", GroupBox2), "RBtnTen3");
    EdtHankei = Field(GroupBox2, "EdtHankei", 50, 0);
    {
        auto* l = new QVBoxLayout(GroupBox2);
        for (QWidget* w : {RBtnTen1, RBtnTen2, RBtnTen3}) l->addWidget(w);
        l->addLayout(Row({new QLabel("半径", GroupBox2), EdtHankei, new QLabel("mm", GroupBox2)}));
    }

    GroupBox3 = Group("GroupBox3", "線種の選択");
    RBtnSenJW = Named(new QRadioButton("JW_CAD準処", GroupBox3), "RBtnSenJW");
    RBtnSenAC = Named(new QRadioButton("AutoCAD準処", GroupBox3), "RBtnSenAC");
    {
        auto* l = new QVBoxLayout(GroupBox3);
        l->addWidget(RBtnSenJW);
        l->addWidget(RBtnSenAC);
    }

    GroupBox10 = Group("GroupBox10", "曲線処理");
    ChkPline = Named(new QCheckBox("ポリラインに変換", GroupBox10), "ChkPline");
    (new QVBoxLayout(GroupBox10))->addWidget(ChkPline);

    GroupBox8 = Group("GroupBox8", "文字の縮小率");
    ChkMojiSize = Named(new QCheckBox("文字を縮小する", GroupBox8), "ChkMojiSize");
    EdtMojiS = Field(GroupBox8, "EdtMojiS", 30, 2);
    UpDown1 = Named(new TUpDown(GroupBox8), "UpDown1");
    {
        auto* l = new QVBoxLayout(GroupBox8);
        l->addWidget(ChkMojiSize);
        l->addLayout(Row({new QLabel("縮小率", GroupBox8), EdtMojiS, UpDown1, new QLabel("%", GroupBox8)}));
    }

    GroupBox9 = Group("GroupBox9", "半角ﾉﾐ文字列縦横比");
    ChkHnakakuSize = Named(new QCheckBox("縦横比を変更する", GroupBox9), "ChkHnakakuSize");
    EdtHankakuH = Field(GroupBox9, "EdtHankakuH", 30, 2);
    UpDown2 = Named(new TUpDown(GroupBox9), "UpDown2");
    {
        auto* l = new QVBoxLayout(GroupBox9);
        l->addWidget(ChkHnakakuSize);
        l->addLayout(Row({new QLabel("縦横比", GroupBox9), EdtHankakuH, UpDown2, new QLabel("%", GroupBox9)}));
    }

    // Column 2.
    GroupBox6 = Group("GroupBox6", "基準縮尺");
    ScaleBox = Named(new QComboBox(GroupBox6), "ScaleBox");
    ScaleBox->setEditable(false);
    (new QVBoxLayout(GroupBox6))->addWidget(ScaleBox);

    GroupBox5 = Group("GroupBox5", "レイヤー名");
    ChkLayer = Named(new QCheckBox("連番を加えない", GroupBox5), "ChkLayer");
    (new QVBoxLayout(GroupBox5))->addWidget(ChkLayer);

    GroupBox7 = Group("GroupBox7", "補助線処理");
    ChkHojosen = Named(new QCheckBox("DEFPOINTSに集める", GroupBox7), "ChkHojosen");
    (new QVBoxLayout(GroupBox7))->addWidget(ChkHojosen);

    GroupBox4 = Group("GroupBox4", "変換色指定");
    {
        auto* grid = new QGridLayout(GroupBox4);
        grid->setVerticalSpacing(2);
        for (int i = 0; i < 6; ++i) {
            ClbPen[i] = new TColorComboBox(GroupBox4);
            ClbPen[i]->setObjectName(QStringLiteral("ClbPen%1").arg(i + 1));
            ClbPen[i]->setFixedWidth(73);
            grid->addWidget(new QLabel(QStringLiteral("Pen %1").arg(i + 1), GroupBox4), i, 0);
            grid->addWidget(ClbPen[i], i, 1);
        }
    }

    BtnDefalt = Named(new QPushButton("初期化", this), "BtnDefalt");
    BtnEnd = Named(new QPushButton("終了", this), "BtnEnd");
    BtnRead = Named(new QPushButton("読込", this), "BtnRead");
    BtnSave = Named(new QPushButton("変換･保存", this), "BtnSave");

    auto* column1 = new QVBoxLayout;
    for (QWidget* w : {GroupBox1, GroupBox2, GroupBox3, GroupBox10, GroupBox8, GroupBox9}) column1->addWidget(w);
    column1->addStretch();
    auto* buttons = new QGridLayout;
    buttons->addWidget(BtnDefalt, 0, 0);
    buttons->addWidget(BtnEnd, 0, 1);
    buttons->addWidget(BtnRead, 1, 0);
    buttons->addWidget(BtnSave, 1, 1);
    auto* column2 = new QVBoxLayout;
    for (QWidget* w : {GroupBox6, GroupBox5, GroupBox7, GroupBox4}) column2->addWidget(w);
    column2->addLayout(buttons);
    column2->addStretch();
    for (QGroupBox* g : {GroupBox1, GroupBox2, GroupBox3, GroupBox10, GroupBox8, GroupBox9, GroupBox6, GroupBox5,
                         GroupBox7, GroupBox4}) {
        g->layout()->setContentsMargins(6, 2, 6, 4);
        g->layout()->setSpacing(2);
        g->setFixedWidth(150);
    }
    auto* main = new QHBoxLayout(this);
    main->setContentsMargins(6, 6, 6, 6);
    main->addWidget(Memo1, 1);
    main->addLayout(column1);
    main->addLayout(column2);
    column1->setSpacing(4);
    column2->setSpacing(4);

    UpDown1->Associate(EdtMojiS);
    UpDown2->Associate(EdtHankakuH);
    for (QLineEdit* field : {EdtHankei, EdtMojiS, EdtHankakuH}) field->installEventFilter(this);

    connect(BtnDefalt, &QPushButton::clicked, this, &TForm1::BtnDefaltClick);
    connect(BtnEnd, &QPushButton::clicked, this, &TForm1::BtnEndClick);
    connect(BtnRead, &QPushButton::clicked, this, &TForm1::BtnReadClick);
    connect(BtnSave, &QPushButton::clicked, this, &TForm1::BtnSaveClick);
    connect(RBtnTen3, &QRadioButton::clicked, this, &TForm1::RBtnTen3Click);
    // Set by program or by a click alike.
    connect(ChkMojiSize, &QCheckBox::toggled, this, &TForm1::ChkMojiSizeClick);
    connect(ChkHnakakuSize, &QCheckBox::toggled, this, &TForm1::ChkHnakakuSizeClick);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TForm1::FormShow() {
    setWindowTitle("ORVIK Ver 0.20");
    setAcceptDrops(true);
    for (TColorComboBox* box : ClbPen)
        for (const auto& [color, number] : kPenColors) box->AddColor(color, number);
    SelectDefaults();
    ChkHnakakuSize->setChecked(true);
    ChkMojiSizeClick();
    ChkHnakakuSizeClick();
    SetTooltips();
    UpDown1->SetRange(kPercentMinimum, kPercentMaximum);
    UpDown1->SetPosition(kDefaultReduction);
    UpDown2->SetRange(kPercentMinimum, kPercentMaximum);
    UpDown2->SetPosition(kDefaultAspect);
}

void TForm1::SetTooltips() {
    Memo1->setToolTip("図面情報表示ウィンドウ");
    GroupBox1->setToolTip("数値を補正して変換誤差を吸収する");
    GroupBox2->setToolTip("半径の値は印刷時の実寸");
    GroupBox3->setToolTip("JW_CAD準処\n  より元図に近くなる様に変換\nAutoCAD準処\n  AutoCADの補助作図用");
    GroupBox5->setToolTip("チェックを外すと0_0_(JWのﾚｲﾔ名)と言う風になる");
    GroupBox7->setToolTip("補助線をDEFPOINTSﾚｲﾔに集める");
    GroupBox4->setToolTip("PenごとにAutoCADでの\n表示色を設定する\nJW_CADが標準状態なら変更不要");
    GroupBox6->setToolTip(
        "基準となるレイヤの縮尺を選択する\n縮尺の分母数値が大きい順に並び\n"
        "標準では図形最多グループの縮尺が選択されている\n文字サイズが変になる場合はこれを確認する");
    GroupBox8->setToolTip("JW_CADの図面変換後のバランスを取るために");
    BtnDefalt->setToolTip("すべての設定を初期化する");
    BtnEnd->setToolTip("プログラムを終了する");
    BtnRead->setToolTip("JWCファイルを読み込む\nドラッグでも読込可能");
    BtnSave->setToolTip("DXFファイルを保存する");
}

// The pens, check boxes, options and radius that start-up and initialise share.
void TForm1::SelectDefaults() {
    for (int i = 0; i < 6; ++i) ClbPen[i]->SetColorNo(kDefaultPens[i]);
    ChkHojosen->setChecked(true);
    ChkLayer->setChecked(true);
    RBtnSenJW->setChecked(true);
    RBtnTen1->setChecked(true);
    EdtHankei->setText(QString::fromLatin1(kDefaultRadiusText.data(), kDefaultRadiusText.size()));
    chkRoundBase->setChecked(true);
    ChkMojiSize->setChecked(true);
}

void TForm1::BtnDefaltClick() {
    SelectDefaults();
    commands_.Forget();
    ChkMojiSize->setChecked(true);
    EdtMojiS->setText(QString::number(kDefaultReduction));
    ChkHnakakuSize->setChecked(true);
    EdtHankakuH->setText(QString::fromLatin1(kFallbackAspectText.data(), kFallbackAspectText.size()));
    UpDown1->SetPosition(kDefaultReduction);
    UpDown2->SetPosition(kDefaultAspect);
    // The aspect shows the start-up value 70 again, whatever the spin control's last position.
    UpDown2->WritePosition();
}

void TForm1::RBtnTen3Click() {
    if (!RBtnTen3->isChecked()) return;
    dialogs_.Beep();
    // 点を点のまま変換するとAutoCADでは見えなくなります / それでもよろしいですか？
    const std::string question =
        "\x93\x5F\x82\xF0\x93\x5F\x82\xCC\x82\xDC\x82\xDC\x95\xCF\x8A\xB7\x82\xB7\x82\xE9\x82\xC6" "AutoCAD\x82\xC5"
        "\x82\xCD\x8C\xA9\x82\xA6\x82\xC8\x82\xAD\x82\xC8\x82\xE8\x82\xDC\x82\xB7\r\n\x82\xBB\x82\xEA\x82\xC5\x82\xE0"
        "\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81\x48";
    if (!dialogs_.AskYesNo(question)) RBtnTen1->setChecked(true);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty()) {  // keys that type nothing (arrows, Home, ...) are not filtered
            const char32_t c = text.toUcs4().value(0);
            const bool accepted = watched == EdtHankei ? HankeiKeyAccepted(c) : PercentKeyAccepted(c);
            if (!accepted) {
                dialogs_.Beep();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.push_back(ToPath(url.toLocalFile()));
    event->acceptProposedAction();
    if (!paths.empty()) commands_.DropFiles(paths);
}

void TForm1::ClearLog() { Memo1->clear(); }

void TForm1::AppendLog(const std::string& text) {
    for (const std::string& line : SplitLogText(text)) Memo1->appendPlainText(FromCp932(line));
}

void TForm1::SetScaleList(const ScaleList& list) {
    ScaleBox->clear();
    for (const std::string& item : list.items) ScaleBox->addItem(QString::fromStdString(item));
    ScaleBox->setCurrentIndex(list.selected);
}

std::string TForm1::ScaleText() const { return ScaleBox->currentText().toStdString(); }

ControlValues TForm1::ReadControls() const {
    ControlValues c;
    c.roundBase = chkRoundBase->isChecked();
    c.tenMode = RBtnTen1->isChecked() ? kTenFilledCircle : RBtnTen2->isChecked() ? kTenCircle : kTenPoint;
    c.hankei = EdtHankei->text().toStdString();
    c.senJW = RBtnSenJW->isChecked();
    c.pline = ChkPline->isChecked();
    c.mojiSize = ChkMojiSize->isChecked();
    c.mojiS = EdtMojiS->text().toStdString();
    c.hankakuSize = ChkHnakakuSize->isChecked();
    c.hankakuH = EdtHankakuH->text().toStdString();
    c.layerNoRenban = ChkLayer->isChecked();
    c.hojosen = ChkHojosen->isChecked();
    for (int i = 0; i < 6; ++i) c.penColors[i] = ClbPen[i]->GetColorNo();
    return c;
}

void TForm1::SetHankeiText(const std::string& text) { EdtHankei->setText(QString::fromStdString(text)); }
void TForm1::SetMojiSText(const std::string& text) { EdtMojiS->setText(QString::fromStdString(text)); }
void TForm1::SetHankakuHText(const std::string& text) { EdtHankakuH->setText(QString::fromStdString(text)); }

void TForm1::FocusWindow() {
    activateWindow();
    raise();
}

}  // namespace orvik
