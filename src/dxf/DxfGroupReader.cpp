#include "dxf/DxfGroupReader.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "numeric/DecimalText.h"

namespace orvik {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The common form of a group code, digits between spaces, read at once.
bool SmallInteger(std::string_view text, std::int64_t& out) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::int64_t v = 0;
    const std::size_t first = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && i - first < 5; ++i) v = v * 10 + (text[i] - '0');
    if (i == first || i != text.size() || v > 32767) return false;
    out = v;
    return true;
}

}  // namespace

bool DxfGroupReader::ReadLine(std::string_view& line) {
    // Most lines lie within the buffer: a view of them, no copy.
    if (const void* end =
            at_ < buffer_.size() ? std::memchr(buffer_.data() + at_, '\n', buffer_.size() - at_) : nullptr) {
        const std::size_t stop = static_cast<std::size_t>(static_cast<const char*>(end) - buffer_.data());
        if (stop - at_ > kDxfLongestLine) {
            problem_ = Problem::LongLine;
            return false;
        }
        line = std::string_view(buffer_.data() + at_, stop - at_);
        at_ = stop + 1;
        ++line_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return true;
    }
    // One that runs past it: gathered piece by piece.
    spill_.clear();
    for (;;) {
        const std::size_t end = buffer_.find('\n', at_);
        const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
        if (spill_.size() + (stop - at_) > kDxfLongestLine) {
            problem_ = Problem::LongLine;
            return false;
        }
        spill_.append(buffer_, at_, stop - at_);
        if (end != std::string::npos) {
            at_ = end + 1;
            break;
        }
        bufferStart_ += static_cast<std::int64_t>(buffer_.size());
        buffer_.resize(kChunk);
        buffer_.resize(file_.ReadInto(buffer_.data(), kChunk));
        at_ = 0;
        if (buffer_.empty()) {
            if (spill_.empty()) return false;  // the end of the file
            break;  // the last line may lack its line end
        }
    }
    ++line_;
    if (!spill_.empty() && spill_.back() == '\r') spill_.pop_back();
    line = spill_;
    return true;
}

DxfGroupReader::Result DxfGroupReader::Next(DxfGroup& group) {
    problem_ = Problem::None;
    codeOffset_ = bufferStart_ + static_cast<std::int64_t>(at_);
    std::string_view line;
    if (!ReadLine(line)) return problem_ == Problem::None ? Result::End : Result::Broken;
    codeLine_ = line_;
    std::int64_t code = 0;
    if (!SmallInteger(line, code) && (!DxfInteger(line, code) || code < -32768 || code > 32767)) {
        problem_ = Problem::CodeNotANumber;
        return Result::Broken;
    }
    group.code = static_cast<int>(code);
    if (!ReadLine(line)) return problem_ == Problem::None ? Result::End : Result::Broken;
    group.value.assign(line);
    return Result::Group;
}

bool DxfReal(std::string_view value, double& out) {
    std::string_view text = Trimmed(value);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    return ReadDouble(text, out) && std::isfinite(out);
}

bool DxfInteger(std::string_view value, std::int64_t& out) {
    std::string_view text = Trimmed(value);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace orvik
