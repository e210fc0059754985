#include "failure/Failure.h"

namespace orvik {

bool StopsARead(Reason reason) { return reason >= Reason::Truncated && reason <= Reason::TooManyRepeats; }

std::string_view ReasonCode(Reason reason) {
    if (StopsARead(reason)) return "truncated-records";
    switch (reason) {
        case Reason::None: return "";
        case Reason::Missing: return "missing";
        case Reason::Unreadable: return "unreadable";
        case Reason::WrongExtension:
        case Reason::NotJwCad: return "not-a-drawing";
        case Reason::NoScale: return "no-scale";
        // The reports' words are a fixed list: a refused setting is told as
        // the scale is, a picture not made as a write that failed.
        case Reason::BadScale:
        case Reason::BadSetting: return "bad-scale";
        case Reason::BlocksLeftOut: return "blocks-left-out";
        case Reason::Exists: return "exists";
        case Reason::OutputIsInput: return "output-is-input";
        case Reason::WrittenTwice: return "written-twice";
        case Reason::WriteFailed:
        case Reason::PictureNotMade: return "write-failed";
        case Reason::UpToDate: return "up-to-date";
        case Reason::JwwNotWritable: return "jww-not-writable";
        case Reason::UnreadableFolder: return "unreadable-folder";
        case Reason::OutOfMemory: return "out-of-memory";
        default: return "internal";
    }
}

}  // namespace orvik
