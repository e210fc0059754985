#include "app/DrawingTabPicture.h"

#include <utility>

namespace orvik {

void DrawingTabPicture::Update(bool tabShown, std::size_t drawing) {
    if (commands_.State().fileCount == 0) {
        view_.ShowNote({});
        view_.ClearPicture();
        return;
    }
    if (!tabShown) {
        if (fitNext_) view_.ClearPicture();  // the old drawing is not shown meanwhile
        return;
    }
    if (work_.Busy()) {
        wanted_ = {tabShown, drawing};
        return;
    }
    std::function<DrawingPicture()> task = commands_.PictureTask(drawing);
    if (!task) {  // a field holds no usable value: the last picture stays, unless it shows another drawing
        if (fitNext_) view_.ClearPicture();
        return;
    }
    view_.ShowBusy(true);
    work_.Start(std::move(task), tellBuilt_);
}

void DrawingTabPicture::Built() {
    std::optional<DrawingPicture> built = work_.Take();
    if (!built) return;
    view_.ShowBusy(false);
    if (wanted_) {  // the settings or the drawing changed meanwhile: this one is old
        const auto [tabShown, drawing] = *std::exchange(wanted_, std::nullopt);
        Update(tabShown, drawing);
        return;
    }
    view_.ShowNote(built->note);
    if (!built->picture) {
        // No usable value, or no picture of this drawing: the last picture
        // stays, unless it shows another drawing or this one has none.
        if (fitNext_ || !built->note.empty()) view_.ClearPicture();
        return;
    }
    view_.ShowPicture(std::move(*built->picture), fitNext_ || !view_.ShowsPicture());
    fitNext_ = false;
}

}  // namespace orvik
