// The words of the main window, the same in both desktop windows (Qt on
// Linux, Win32 on Windows): the tabs, the settings' group captions and
// controls in layout order, the buttons, the tooltips, the progress row and
// the About box. UTF-8: the windows show them as they are (the core's
// messages, CP932, are in text/Messages.h).
#pragma once

#include <string_view>

namespace orvik::window_text {

// The tabs on the left, and what sits beside them.
inline constexpr std::string_view kLogTab = "ログ";
inline constexpr std::string_view kDrawingTab = "図面";
inline constexpr std::string_view kFitButton = "全体表示";
inline constexpr std::string_view kAboutButton = "?";
inline constexpr std::string_view kLightBackground = "白背景";
inline constexpr std::string_view kBatchBoxTip = "一括変換する図面のうち、表示する図面";
inline constexpr std::string_view kFitTip = "図面全体を表示する（F キー、ダブルクリック）";
inline constexpr std::string_view kDrawingBusy = "図面を作成中…";

// Column 1 of the settings.
inline constexpr std::string_view kNumbersGroup = "変換数値設定";
inline constexpr std::string_view kRoundCoordinates = "数値を補正する";
inline constexpr std::string_view kPointsGroup = "点の変換設定";
inline constexpr std::string_view kFilledCircle = "塗り潰し円";
inline constexpr std::string_view kCircle = "円";
inline constexpr std::string_view kPointAsIs = "点のまま";
inline constexpr std::string_view kRadius = "半径";
inline constexpr std::string_view kMillimetres = "mm";
inline constexpr std::string_view kLineTypesGroup = "線種の選択";
inline constexpr std::string_view kJwLineTypes = "JW_CAD準処";
inline constexpr std::string_view kAcadLineTypes = "AutoCAD準処";
inline constexpr std::string_view kCurvesGroup = "曲線処理";
inline constexpr std::string_view kPolylines = "ポリラインに変換";
inline constexpr std::string_view kBlocksGroup = "ブロック処理（JWW）";
inline constexpr std::string_view kExplodeBlocks = "展開して書き出す";
inline constexpr std::string_view kTextShrinkGroup = "文字の縮小率";
inline constexpr std::string_view kShrinkTexts = "文字を縮小する";
inline constexpr std::string_view kShrink = "縮小率";
inline constexpr std::string_view kHalfWidthGroup = "半角ﾉﾐ文字列縦横比";
inline constexpr std::string_view kNarrowHalfWidth = "縦横比を変更する";
inline constexpr std::string_view kAspect = "縦横比";
inline constexpr std::string_view kPercent = "%";

// Column 2.
inline constexpr std::string_view kScaleGroup = "基準縮尺";
inline constexpr std::string_view kOutputFormatGroup = "出力形式";
inline constexpr std::string_view kLayerNamesGroup = "レイヤー名";
inline constexpr std::string_view kPlainLayerNames = "連番を加えない";
inline constexpr std::string_view kAuxiliaryGroup = "補助線処理";
inline constexpr std::string_view kAuxiliaryOnDefpoints = "DEFPOINTSに集める";
inline constexpr std::string_view kPenColorsGroup = "変換色指定";
inline constexpr std::string_view kPen = "Pen ";  // followed by the pen's number 1..6

// The buttons.
inline constexpr std::string_view kDefaultsButton = "初期化";
inline constexpr std::string_view kQuitButton = "終了";
inline constexpr std::string_view kReadButton = "読込";
inline constexpr std::string_view kSaveButton = "変換･保存";
inline constexpr std::string_view kCancelButton = "中止";

// The tooltips.
inline constexpr std::string_view kLogTip = "図面情報表示ウィンドウ";
inline constexpr std::string_view kNumbersTip = "数値を補正して変換誤差を吸収する";
inline constexpr std::string_view kPointsTip = "半径の値は印刷時の実寸";
inline constexpr std::string_view kLineTypesTip =
    "JW_CAD準処\n  より元図に近くなる様に変換\nAutoCAD準処\n  AutoCADの補助作図用";
inline constexpr std::string_view kLayerNamesTip = "チェックを外すと0_0_(JWのﾚｲﾔ名)と言う風になる";
inline constexpr std::string_view kAuxiliaryTip = "補助線をDEFPOINTSﾚｲﾔに集める";
inline constexpr std::string_view kBlocksTip =
    "JWW のブロックを BLOCK と INSERT でなく、要素をその場に置いて書き出す（ブロックを表示しないソフト向け）";
inline constexpr std::string_view kPenColorsTip =
    "PenごとにAutoCADでの\n表示色を設定する\nJW_CADが標準状態なら変更不要";
inline constexpr std::string_view kScaleTip =
    "基準となるレイヤの縮尺を選択する\n縮尺の分母数値が大きい順に並び\n"
    "標準では図形最多グループの縮尺が選択されている\n文字サイズが変になる場合はこれを確認する";
inline constexpr std::string_view kTextShrinkTip = "JW_CADの図面変換後のバランスを取るために";
inline constexpr std::string_view kDefaultsTip = "すべての設定を初期化する";
inline constexpr std::string_view kQuitTip = "プログラムを終了する（Ctrl+Q）";
inline constexpr std::string_view kReadTip = "JWCファイルを読み込む（Ctrl+O）\nドラッグでも読込可能";
inline constexpr std::string_view kSaveTip = "DXFファイルを保存する（Ctrl+S）";
inline constexpr std::string_view kAboutTip = "バージョン情報（F1）";
inline constexpr std::string_view kCancelTip = "いま変換中の図面で止める。変換済みのファイルは残る";

// The batch list: a sign before the name of a drawing read only in part, or not converted.

// The About box: its caption, and what it says after the window caption
// and before the output format's file type; then the libraries the program
// holds, which differ between the two windows.
inline constexpr std::string_view kAboutCaption = "バージョン情報";
inline constexpr std::string_view kAboutLead = "JW_CAD の図面（.jwc、.jww）を DXF に変換します。\n出力形式: ";
inline constexpr std::string_view kAboutRights =
    "© ORVIK 開発チーム. All rights reserved.\n\n使用しているライブラリとフォント:\n";

// The message boxes' buttons.
inline constexpr std::string_view kYesButton = "はい(&Y)";
inline constexpr std::string_view kNoButton = "いいえ(&N)";
inline constexpr std::string_view kOpenFolderButton = "フォルダを開く(&F)";
inline constexpr std::string_view kReplaceAllButton = "すべて上書き(&A)";
inline constexpr std::string_view kInfoCaption = "ORVIK";
inline constexpr std::string_view kWarningCaption = "警告";
// When the desktop shows no folder (followed by the folder).
inline constexpr std::string_view kCannotOpenFolder = "フォルダを開けません（ファイルマネージャーが見つかりません）。";

// The open dialog's filter: the drawings, and every file.
inline constexpr std::string_view kDrawingsFilterName = "jw_cad";
inline constexpr std::string_view kDrawingsFilterPatterns = "*.jwc *.jww";
inline constexpr std::string_view kAllFilesFilterName = "全て";
inline constexpr std::string_view kAllFilesFilterPattern = "*.*";

}  // namespace orvik::window_text
