// The drawing tab's view on Windows: the display list on a dark (or light)
// background like a CAD screen, fitted with its paper sheet when a new
// drawing is shown. The picture is drawn into a bitmap on a worker, so the
// window never waits for it: a repaint, and every step of a zoom or pan,
// shows the last bitmap moved and scaled as the view has been since; the
// picture is drawn anew once the view rests. The wheel zooms around the
// cursor, dragging pans, F, Home or a double click fit it again. Keeps the
// zoom when only the settings change.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/DrawingTabPicture.h"
#include "app/DrawingViewState.h"
#include "picture/DisplayList.h"

namespace Gdiplus {
class Bitmap;
}

namespace orvik::win {

class DrawingPane : public DrawingTabView {
public:
    DrawingPane();
    ~DrawingPane() override;
    DrawingPane(const DrawingPane&) = delete;
    DrawingPane& operator=(const DrawingPane&) = delete;

    HWND Create(HWND parent, int id);
    HWND Window() const { return window_; }

    // DrawingTabView. The pane's window text says what is shown (for screen
    // readers and the window driver): that the picture is being built, else
    // the note.
    void ShowPicture(DisplayList list, bool fit) override;
    void ClearPicture() override;
    void ShowNote(const std::string& cp932) override;
    void ShowBusy(bool busy) override;
    bool ShowsPicture() const override { return state_.HasPicture(); }
    void FitToView();
    void SetLightBackground(bool light);
    void SetFont(HFONT font) { font_ = font; }
    // Whether the view shows the picture of its current view, drawn.
    bool Drawn() const { return state_.Drawn(); }

private:
    template <class Owner>
    friend LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void Paint();
    // A zoom or pan step: shown at once from the last image, drawn anew
    // once the view has rested.
    void Moving();
    ViewSize Size() const;
    void SayWhatIsShown();

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring note_;
    bool busy_ = false;
    POINT dragFrom_{};
    bool dragging_ = false;
    DrawingViewState<std::unique_ptr<Gdiplus::Bitmap>> state_;
};

}  // namespace orvik::win
