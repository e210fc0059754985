// Where text goes as it is produced (a DXF file, a picture, a report): a
// file being saved, standard output, a string in memory, or two at once.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "os/System.h"

namespace orvik {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes the bytes in order; throws FailureError when they cannot be kept.
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

// Hands the bytes to `first`, then to `second` (when there is one): a file
// written and read as it is written.
class TeeSink final : public ByteSink {
public:
    TeeSink(ByteSink& first, ByteSink* second) : first_(first), second_(second) {}
    void Write(std::string_view bytes) override {
        first_.Write(bytes);
        if (second_) second_->Write(bytes);
    }

private:
    ByteSink& first_;
    ByteSink* second_;
};

}  // namespace orvik
