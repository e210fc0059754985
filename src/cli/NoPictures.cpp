// A build without a painter (the fuzzing build): SVG pictures only.
#include "cli/Pictures.h"
#include "text/Messages.h"

namespace orvik::cli {

bool CanDrawPictures(PictureType type) { return type == PictureType::Svg; }

void StartPictures() {}

void DrawPicture(const PictureSource&, PictureType, const PictureOptions&, ByteSink&) {
    throw FailureError(Reason::PictureNotMade, std::string(kPictureNotMade));
}

}  // namespace orvik::cli
