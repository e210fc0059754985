// The error a conversion, a picture or a save raises when it cannot finish:
// a reason code the callers decide by, and the message (CP932 text for the
// user) that says what failed, on which file, and why.
#pragma once

#include <stdexcept>
#include <string>

namespace orvik {

enum class FailureReason {
    BadScale,  // the reference scale is not a usable number
    BadSetting,  // a setting's text is not a usable value
    OutputExists,  // the output exists and the rules keep it
    OutputIsInput,  // the output is a file the run reads
    WriteFailed,  // the output could not be made, written or replaced
    PictureNotMade,  // the picture could not be drawn or encoded
};

class ConversionError : public std::runtime_error {
public:
    ConversionError(FailureReason reason, const std::string& message) : std::runtime_error(message), reason_(reason) {}
    FailureReason Reason() const { return reason_; }

private:
    FailureReason reason_;
};

}  // namespace orvik
