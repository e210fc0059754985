#include "app/DrawingViewState.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace orvik {
namespace {

// A view whose images are the scale they were drawn at; the test waits for
// each and hands it back as a window would, on its own thread.
class View {
public:
    DrawingViewState<double> state{[this](const DisplayList&, const PictureView& view, bool, ViewSize) {
                                       ++drawn;
                                       return std::optional<double>(view.scale);
                                   },
                                   [this] {
                                       const std::lock_guard lock(mutex_);
                                       told_ = true;
                                       ready_.notify_one();
                                   }};
    int drawn = 0;

    void WaitAndTake() {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return told_; });
        told_ = false;
        lock.unlock();
        state.Rendered();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    bool told_ = false;
};

DisplayList Square() {
    DisplayList list;
    Shape line;
    line.b = {100, 100};
    list.shapes.push_back(line);
    return list;
}

// Fitted until the user zooms or pans; an image drawn once the view rests,
// only when the one held is stale; shown moved and scaled meanwhile.
TEST(DrawingViewState, DrawsOnceTheViewRestsAndFollowsTheSizeUntilMoved) {
    View view;
    const ViewSize size{200, 200};
    view.state.SetPicture(Square(), true, size);
    ASSERT_FALSE(view.state.Drawn());
    view.state.RenderIfStale(size);
    view.WaitAndTake();
    ASSERT_TRUE(view.state.Drawn());
    const double fitted = *view.state.Cache();
    view.state.RenderIfStale(size);  // nothing changed: nothing drawn
    EXPECT_EQ(view.drawn, 1);

    view.state.Resized({400, 400});  // still fitted: follows the size
    view.state.RenderIfStale({400, 400});
    view.WaitAndTake();
    EXPECT_EQ(*view.state.Cache(), fitted * 2);

    view.state.ZoomAt({200, 200}, 1);  // a wheel step: 1.25 times, shown from the image held until it rests
    view.state.RenderIfStale({400, 400});
    EXPECT_EQ(view.drawn, 2);
    const ImagePlacement moved = view.state.CachePlacement();
    EXPECT_DOUBLE_EQ(moved.scale, 1.25);
    EXPECT_DOUBLE_EQ(moved.dx, 200 - 200 * 1.25);  // the pixel under the cursor stays
    view.state.Settled();
    view.state.RenderIfStale({400, 400});
    view.WaitAndTake();
    EXPECT_DOUBLE_EQ(*view.state.Cache(), fitted * 2 * 1.25);

    view.state.Resized({800, 800});  // zoomed: the view keeps its scale
    view.state.SetPicture(Square(), false, {800, 800});  // new settings, same drawing: the zoom stays
    view.state.RenderIfStale({800, 800});
    view.WaitAndTake();
    EXPECT_DOUBLE_EQ(*view.state.Cache(), fitted * 2 * 1.25);
    view.state.ZoomAt({0, 0}, 0);
    view.state.Clear();  // no picture: the wheel does nothing
    view.state.Settled();
    view.state.ZoomAt({0, 0}, 3);
    EXPECT_FALSE(view.state.Moving());
}

}  // namespace
}  // namespace orvik
