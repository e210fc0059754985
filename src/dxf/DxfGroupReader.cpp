#include "dxf/DxfGroupReader.h"

#include <charconv>
#include <cmath>

#include "numeric/DecimalText.h"

namespace orvik {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

}  // namespace

bool DxfGroupReader::ReadLine(std::string& line) {
    line.clear();
    for (;;) {
        const std::size_t end = buffer_.find('\n', at_);
        const std::size_t stop = end == std::string::npos ? buffer_.size() : end;
        if (line.size() + (stop - at_) > kDxfLongestLine) {
            problem_ = Problem::LongLine;
            return false;
        }
        line.append(buffer_, at_, stop - at_);
        if (end != std::string::npos) {
            at_ = end + 1;
            ++line_;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        bufferStart_ += static_cast<std::int64_t>(buffer_.size());
        buffer_.resize(kChunk);
        buffer_.resize(file_.ReadInto(buffer_.data(), kChunk));
        at_ = 0;
        if (buffer_.empty()) {
            // The last line may lack its line end.
            if (line.empty()) return false;
            ++line_;
            if (line.back() == '\r') line.pop_back();
            return true;
        }
    }
}

DxfGroupReader::Result DxfGroupReader::Next(DxfGroup& group) {
    problem_ = Problem::None;
    codeOffset_ = bufferStart_ + static_cast<std::int64_t>(at_);
    if (!ReadLine(codeText_)) return problem_ == Problem::None ? Result::End : Result::Broken;
    codeLine_ = line_;
    std::int64_t code = 0;
    if (!DxfInteger(codeText_, code) || code < -32768 || code > 32767) {
        problem_ = Problem::CodeNotANumber;
        return Result::Broken;
    }
    group.code = static_cast<int>(code);
    if (!ReadLine(group.value)) return problem_ == Problem::None ? Result::End : Result::Broken;
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
