#include "app/WindowCommands.h"

#include <memory>
#include <new>

#include "app/ReadDrawing.h"
#include "app/SettingChecks.h"
#include "convert/Conversion.h"
#include "convert/ProposedScales.h"
#include "picture/DisplayListBuilder.h"
#include "text/Messages.h"

namespace orvik {

namespace {

// Drawing `path` of a batch, read as the batch save reads it: on its own, at
// its own proposed scale.
DrawingPicture BatchDrawingPicture(const std::string& path, const ConversionSettings& settings, std::string note) {
    DrawingPicture shown;
    shown.note = std::move(note);
    const auto say = [&](std::string why) {
        if (shown.note.empty()) shown.note = std::move(why);
    };
    Drawing drawing;
    DrawingFile file(path);
    const FileCheck check = file.Check();
    if (check.refusal != Reason::None) {
        say(std::string(RefusalText(check)));
        return shown;
    }
    const ReadForConversion read = file.Read(check.format, drawing);
    if (!read.load.complete) say(std::string(kIncompleteRead) + read.load.damage);
    const ScaleList scales = ListProposedScales(drawing);
    if (scales.selected < 0) {
        say(std::string(read.load.complete ? scales.WhyEmpty() : kNothingRead));
        return shown;
    }
    try {
        shown.picture =
            PictureOf(Conversion(drawing, settings, ConversionRequest{path, scales.items[scales.selected]}));
        say(PictureLeftOutLine(*shown.picture));
    } catch (const FailureError& e) {
        say(e.what());
    }
    return shown;
}

}  // namespace

std::function<DrawingPicture()> WindowCommands::PictureTask(std::size_t batchIndex) const {
    std::function<DrawingPicture()> task = BareTask(batchIndex);
    if (!task) return task;
    // Run on a worker: running out of memory there is said in the view, not thrown.
    return [task = std::move(task)] {
        try {
            return task();
        } catch (const std::bad_alloc&) {
            return DrawingPicture{std::nullopt, std::string(kOutOfMemory)};
        }
    };
}

std::function<DrawingPicture()> WindowCommands::BareTask(std::size_t batchIndex) const {
    const auto settings = ControlSettings();
    if (!settings) return {};
    if (state_.fileCount == 1) {
        const std::string scale = view_.ScaleText();
        if (scale.empty()) return {};
        return [drawing = std::make_shared<const Drawing>(drawing_), settings = *settings, source = state_.sourcePath,
                scale] {
            try {
                return DrawingPicture{PictureOf(Conversion(*drawing, settings, ConversionRequest{source, scale})), {}};
            } catch (const FailureError&) {
                return DrawingPicture{};
            }
        };
    }
    if (state_.fileCount < 2 || batchIndex >= state_.batchFiles.size()) return {};
    const std::optional<BatchMark> mark =
        batchIndex < state_.batchMarks.size() ? state_.batchMarks[batchIndex] : std::nullopt;
    return [path = state_.batchFiles[batchIndex], settings = *settings, note = mark ? mark->reason : std::string()] {
        return BatchDrawingPicture(path, settings, note);
    };
}

}  // namespace orvik
