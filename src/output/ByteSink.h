// Where DXF text goes as it is produced: a file being saved, standard
// output, or a string in memory.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "os/System.h"

namespace orvik {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes the bytes in order; throws ConversionError when they cannot be kept.
    virtual void Write(std::string_view bytes) = 0;
};

// Collects everything in memory.
class StringSink final : public ByteSink {
public:
    void Write(std::string_view bytes) override { text_.append(bytes); }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// Writes to an open file such as standard output; `label` names it in
// error messages.
class DescriptorSink final : public ByteSink {
public:
    DescriptorSink(os::Handle handle, std::string label) : handle_(handle), label_(std::move(label)) {}
    void Write(std::string_view bytes) override;

private:
    os::Handle handle_;
    std::string label_;
};

}  // namespace orvik
