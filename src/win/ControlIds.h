// The main window's class name and its controls' identifiers: what the
// window is built from, and what a program driving it (the Wine tests) finds
// its controls by.
#pragma once

namespace orvik::win {

inline constexpr wchar_t kMainWindowClass[] = L"OrvikMainWindow";

enum ControlId : int {
    // The left side.
    kTabsId = 100,
    kLogId,
    kDrawingPaneId,
    kBatchBoxId,
    kLightBackgroundId,
    kFitId,
    kAboutId,
    kProgressBarId,
    kProgressLabelId,
    kCancelId,
    // The settings, in layout order.
    kRoundCoordinatesId = 200,
    kFilledCircleId,
    kCircleId,
    kPointId,
    kPointRadiusId,
    kJwLineTypesId,
    kAcadLineTypesId,
    kPolylinesId,
    kExplodeBlocksId,
    kShrinkTextsId,
    kTextShrinkId,
    kTextShrinkSpinId,
    kNarrowHalfWidthId,
    kHalfWidthAspectId,
    kHalfWidthAspectSpinId,
    kScaleId,
    kOutputFormatId,
    kPlainLayerNamesId,
    kAuxiliaryOnDefpointsId,
    kPenColor1Id,  // to kPenColor1Id + 5
    // The buttons.
    kDefaultsId = 300,
    kQuitId,
    kReadId,
    kSaveId,
    // Commands of keys alone: Ctrl+Tab (the other tab).
    kNextTabId = 901,
    // The group boxes, in layout order.
    kFirstGroupId = 400,
    // The fields' captions and units and the pens' captions, in layout order.
    kFirstLabelId = kFirstGroupId + 20,
};

// The buttons of the task dialogs beside IDOK (1).
enum DialogButtonId : int { kYesButtonId = 100, kNoButtonId, kOpenFolderButtonId, kReplaceAllButtonId };

}  // namespace orvik::win
