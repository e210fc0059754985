// What a drawing tab's view holds and decides, whatever toolkit shows it:
// the picture (a display list), the view onto it (fitted to the drawing and
// its sheet until the user zooms or pans; the wheel zooms 1.25 times a step
// about the cursor), and the last image drawn of it. Images are drawn on a
// worker, so the window never waits: every step of a zoom or pan shows the
// last image moved and scaled as the view has been since, and a new one is
// drawn once the view rests (Settled) and the one held is stale.
//
// The window supplies how an image is drawn (on the worker; nothing when
// its memory cannot be had) and how it is told that one is done, on which
// it calls Rendered on its own thread; it repaints after every change.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/BackgroundResult.h"
#include "picture/DisplayList.h"
#include "picture/PictureView.h"

namespace orvik {

// The view's size, and the pixels per unit of it (a high-density screen's
// image has more pixels than the view has units).
struct ViewSize {
    int width = 1, height = 1;
    double pixelRatio = 1;
    friend bool operator==(const ViewSize&, const ViewSize&) = default;
};

// Where an image drawn under one view goes under another: its pixels scaled
// by `scale`, then shifted by dx, dy.
struct ImagePlacement {
    double scale = 1, dx = 0, dy = 0;
};

template <class Image>
class DrawingViewState {
public:
    using Draw = std::function<std::optional<Image>(const DisplayList&, const PictureView&, bool light, ViewSize size)>;

    DrawingViewState(Draw draw, std::function<void()> tellRendered)
        : draw_(std::move(draw)), tellRendered_(std::move(tellRendered)) {}

    // Shows the list; `fit`: a new drawing, fitted to the view.
    void SetPicture(DisplayList list, bool fit, ViewSize size) {
        list_ = std::make_shared<const DisplayList>(std::move(list));
        hasPicture_ = true;
        stale_ = true;
        if (fit || fitted_) Fit(size);
    }
    void Clear() {
        list_ = std::make_shared<const DisplayList>();
        hasPicture_ = false;
        stale_ = true;
    }
    void Fit(ViewSize size) {
        fitted_ = true;
        view_ = FitView(*list_, size.width, size.height);
    }
    void Resized(ViewSize size) {
        if (fitted_) Fit(size);
    }
    // Zooms about the pixel `at`, which stays where it is; nothing without a picture.
    void ZoomAt(PicturePoint at, double wheelSteps) {
        if (!hasPicture_) return;
        view_ = view_.ZoomedAt(at, std::pow(1.25, wheelSteps));
        Moved();
    }
    void PanBy(double dx, double dy) {
        view_ = view_.Panned(dx, dy);
        Moved();
    }
    void SetLightBackground(bool light) {
        light_ = light;
        stale_ = true;
    }
    // The view has rested since the last zoom or pan step.
    void Settled() { moving_ = false; }

    // After a repaint: draws a new image when the view is at rest and the
    // one held is stale, of another size or of another view.
    void RenderIfStale(ViewSize size) {
        if (moving_ || !(stale_ || !cache_ || cacheSize_ != size || !(cacheView_ == view_))) return;
        if (rendering_.Busy()) {  // one is being drawn: the newest view follows it
            renderWanted_ = true;
            return;
        }
        stale_ = false;
        rendering_.Start(
            [this, list = list_, view = view_, light = light_, has = hasPicture_, size] {
                static const DisplayList nothing;
                return RenderedImage{draw_(has ? *list : nothing, view, light, size), view, size};
            },
            tellRendered_);
    }
    // The worker's image taken, on the window's thread.
    void Rendered() {
        std::optional<RenderedImage> rendered = rendering_.Take();
        if (!rendered) return;
        if (rendered->image) {  // else no memory for it: the last image stays
            cache_ = std::move(rendered->image);
            cacheView_ = rendered->view;
            cacheSize_ = rendered->size;
        }
        if (renderWanted_) {
            renderWanted_ = false;
            stale_ = true;
        }
    }

    bool HasPicture() const { return hasPicture_; }
    const DisplayList& Picture() const { return *list_; }
    bool Light() const { return light_; }
    bool Moving() const { return moving_; }
    // The last image drawn, if any, and where it goes in the current view.
    const Image* Cache() const { return cache_ ? &*cache_ : nullptr; }
    ImagePlacement CachePlacement() const {
        const double k = view_.scale / cacheView_.scale;
        return {k, view_.dx - cacheView_.dx * k, view_.dy - cacheView_.dy * k};
    }
    // Whether the view shows the image of its current view, drawn.
    bool Drawn() const { return !rendering_.Busy() && !stale_ && cacheView_ == view_ && !moving_; }

private:
    struct RenderedImage {
        std::optional<Image> image;
        PictureView view;
        ViewSize size;
    };
    void Moved() {
        moving_ = true;
        fitted_ = false;
    }

    Draw draw_;
    std::function<void()> tellRendered_;
    std::shared_ptr<const DisplayList> list_ = std::make_shared<const DisplayList>();
    bool hasPicture_ = false;
    bool fitted_ = true;  // follows the view's size until the user zooms or pans
    bool light_ = false;
    bool moving_ = false;
    PictureView view_;
    std::optional<Image> cache_;
    PictureView cacheView_;
    ViewSize cacheSize_;
    bool stale_ = true;
    BackgroundResult<RenderedImage> rendering_;
    bool renderWanted_ = false;  // the view changed while one was being drawn
};

}  // namespace orvik
