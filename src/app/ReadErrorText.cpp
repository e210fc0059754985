#include "app/ReadReport.h"

#include "text/Messages.h"

namespace orvik {
namespace {

std::string_view PartName(FilePart part) {
    switch (part) {
        case FilePart::Signature:
        case FilePart::Header:
        case FilePart::HeaderBlocks: return kPartHeader;
        case FilePart::VirtualPoints: return kPartVirtualPoints;
        case FilePart::TextTypes: return kPartTextTypes;
        case FilePart::GroupScales: return kPartGroupScales;
        case FilePart::LayerFlags: return kPartLayerFlags;
        case FilePart::Lines: return kPartLines;
        case FilePart::Arcs: return kPartArcs;
        case FilePart::Texts: return kPartTexts;
        case FilePart::TextPool: return kPartTextPool;
        case FilePart::Points: return kPartPoints;
        case FilePart::LayerNames: return kPartLayerNames;
        case FilePart::GroupNames: return kPartGroupNames;
        case FilePart::Elements: return kPartElements;
        case FilePart::Blocks: return kPartBlocks;
        case FilePart::Images: return kPartImages;
        case FilePart::End: break;
    }
    return kPartEnd;
}

}  // namespace

std::string DescribeReadError(const ReadError& e) {
    const std::string_view part = PartName(e.part);
    const std::string name = ShownName(e.text);
    switch (e.failure) {
        case ReadFailure::None: return {};
        case ReadFailure::CannotOpen: return std::string(kCannotOpenFile);
        case ReadFailure::NotJww: return std::string(kNoJwwSignature);
        case ReadFailure::Truncated: return FileEndsInside(part, e.offset, e.fileSize);
        case ReadFailure::InvalidField: return HeaderFieldNotANumber(e.block, e.field, e.text, e.offset);
        case ReadFailure::NegativeCount: return CountIsNegative(part, e.count);
        case ReadFailure::CountTooLarge: return CountDoesNotFit(part, e.count, e.fileSize, e.offset);
        case ReadFailure::TooManyVirtualPoints: return CountAboveLimit(part, e.count, e.limit);
        case ReadFailure::UnknownClass: return UnknownClassIn(part, name, e.offset);
        case ReadFailure::NotADefinition: return NotADefinitionIn(part, name, e.offset);
        case ReadFailure::BadReference: return UnknownReference(part, e.offset, e.count);
        case ReadFailure::BlockContainsItself: return BlockHoldsItself(e.count, e.offset);
        case ReadFailure::NestingTooDeep: return BlocksNestTooDeep(e.count, e.offset);
        case ReadFailure::ImageTooLarge: return ImageTooLarge(name, e.count, e.offset);
        case ReadFailure::ImageDamaged: return ImageNotInflated(name, e.offset);
        case ReadFailure::TrailingBytes: return BytesAfterTheEnd(e.count, e.offset);
        case ReadFailure::TooManyRepeats: return TooManyRepeats(e.count, e.offset);
        case ReadFailure::OutOfMemory: return std::string(kOutOfMemory);
    }
    return {};
}

}  // namespace orvik
