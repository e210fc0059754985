// The drawing tab's picture of what the window has read, whatever toolkit
// shows it: built on a worker (WindowCommands::PictureTask) whenever the
// drawing, the batch's drawing shown, the settings or the tab change, so the
// window answers meanwhile; one at a time, the newest request following the
// one under way. A new drawing is fitted to the view and the old one is not
// shown meanwhile; new settings keep the zoom; while a field holds no
// usable value the last picture stays.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/BackgroundResult.h"
#include "app/WindowCommands.h"

namespace orvik {

// The drawing tab's view, as each toolkit makes it.
class DrawingTabView {
public:
    virtual ~DrawingTabView() = default;
    virtual void ClearPicture() = 0;
    virtual bool ShowsPicture() const = 0;
    // `fit`: to the view, else at the zoom the view has.
    virtual void ShowPicture(DisplayList picture, bool fit) = 0;
    // A line over the picture or in its place (CP932): why there is none, or
    // that it is partial; empty: none.
    virtual void ShowNote(const std::string& cp932) = 0;
    // While a picture is being built: said in a corner of the view.
    virtual void ShowBusy(bool busy) = 0;
};

class DrawingTabPicture {
public:
    // `tellBuilt` is called on the worker once a picture is built: the
    // window then calls Built() on its own thread.
    DrawingTabPicture(const WindowCommands& commands, DrawingTabView& view, std::function<void()> tellBuilt)
        : commands_(commands), view_(view), tellBuilt_(std::move(tellBuilt)) {}

    // Another drawing read, or another of the batch chosen: fitted when shown.
    void NewDrawing() { fitNext_ = true; }
    // Builds the picture of the batch's drawing `drawing` (0 for a single
    // one) when the drawing tab is shown.
    void Update(bool tabShown, std::size_t drawing);
    // The worker's picture taken and shown, on the window's thread.
    void Built();
    // Whether a picture is being built.
    bool Busy() const { return work_.Busy(); }

private:
    const WindowCommands& commands_;
    DrawingTabView& view_;
    BackgroundResult<DrawingPicture> work_;
    std::function<void()> tellBuilt_;
    std::optional<std::pair<bool, std::size_t>> wanted_;  // asked for while one was being built
    bool fitNext_ = false;
};

}  // namespace orvik
