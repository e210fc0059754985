#include "app/ReadReport.h"

#include "convert/LayerAssignment.h"
#include "text/Messages.h"
#include "text/Substitution.h"

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

std::string ShownName(std::string_view name) {
    constexpr std::size_t kLongest = 64;
    const std::string cut = CutToCharacters(name, kLongest);
    return EscapeControlBytes(cut) + (cut.size() < name.size() ? "..." : "");
}

std::string DescribeReadError(const Failure& e) {
    const std::string_view part = PartName(e.part);
    const std::string name = ShownName(e.detail);
    switch (e.reason) {
        case Reason::None: return {};
        case Reason::Unreadable: return std::string(kCannotOpenFile);
        case Reason::NotJwCad: return std::string(kNoJwwSignature);
        case Reason::Truncated: return FileEndsInside(part, e.offset, e.fileSize);
        case Reason::InvalidField: return HeaderFieldNotANumber(e.block, e.field, e.detail, e.offset);
        case Reason::NegativeCount: return CountIsNegative(part, e.count);
        case Reason::CountTooLarge: return CountDoesNotFit(part, e.count, e.fileSize, e.offset);
        case Reason::TooManyVirtualPoints: return CountAboveLimit(part, e.count, e.limit);
        case Reason::UnknownClass: return UnknownClassIn(part, name, e.offset);
        case Reason::NotADefinition: return NotADefinitionIn(part, name, e.offset);
        case Reason::BadReference: return UnknownReference(part, e.offset, e.count);
        case Reason::BlockContainsItself: return BlockHoldsItself(e.count, e.offset);
        case Reason::NestingTooDeep: return BlocksNestTooDeep(e.count, e.offset);
        case Reason::ImageTooLarge: return ImageTooLarge(name, e.count, e.offset);
        case Reason::ImageDamaged: return ImageNotInflated(name, e.offset);
        case Reason::TrailingBytes: return BytesAfterTheEnd(e.count, e.offset);
        case Reason::TooManyRepeats: return TooManyRepeats(e.count, e.offset);
        case Reason::DxfDamaged: return e.detail;
        case Reason::OutOfMemory: return std::string(kOutOfMemory);
        default: break;  // not a reason a read stops for
    }
    return {};
}

}  // namespace orvik
