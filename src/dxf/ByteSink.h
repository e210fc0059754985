// Where DXF text goes as it is produced: a file being saved, standard
// output, or a string in memory.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace orvik {

// Writes all of `bytes` to the descriptor, retrying interrupted and short
// writes. Returns 0, or the errno of the failure.
int WriteAll(int fd, std::string_view bytes);

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

// Writes to an open file descriptor such as standard output; `label` names
// it in error messages.
class DescriptorSink final : public ByteSink {
public:
    DescriptorSink(int fd, std::string label) : fd_(fd), label_(std::move(label)) {}
    void Write(std::string_view bytes) override;

private:
    int fd_;
    std::string label_;
};

}  // namespace orvik
