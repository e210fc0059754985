// Reading an ASCII DXF file as its groups: a group code on one line, its
// value on the next. Lines end in LF or CR LF; the code may stand between
// spaces; the value is kept as its bytes (a trailing CR removed). The file
// is read a piece at a time, never held whole; a line longer than
// kDxfLongestLine is refused, so that no line of a hostile file is held
// whole either.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "input/FileReader.h"

namespace orvik {

inline constexpr std::size_t kDxfLongestLine = std::size_t{1} << 20;

// The first bytes of a binary DXF file.
inline constexpr std::string_view kBinaryDxfSignature = "AutoCAD Binary DXF";

struct DxfGroup {
    int code = 0;
    std::string value;
};

class DxfGroupReader {
public:
    enum class Result { Group, End, Broken };
    enum class Problem { None, LongLine, CodeNotANumber };

    explicit DxfGroupReader(FileReader& file) : file_(file) {}

    // The next group into `group`: Group; End at the end of the file (or
    // inside a group: a file cut short); Broken when the code is no integer
    // or a line is too long (Why() says which).
    Result Next(DxfGroup& group);
    // The line the last group's code stood on, from 1.
    std::int64_t Line() const { return codeLine_; }
    // Where the last group began in the file.
    std::int64_t Offset() const { return codeOffset_; }
    Problem Why() const { return problem_; }

private:
    // The next line (without its line end), a view valid until the next call.
    bool ReadLine(std::string_view& line);

    FileReader& file_;
    std::string buffer_;
    std::size_t at_ = 0;
    std::int64_t bufferStart_ = 0;  // the file offset of buffer_[0]
    std::int64_t line_ = 0, codeLine_ = 0, codeOffset_ = 0;
    std::string spill_;  // a line that runs past the buffer
    Problem problem_ = Problem::None;
};

// A DXF number: the value's text between spaces, "." whatever the locale,
// a "+" allowed in front; false when it is none or not finite.
bool DxfReal(std::string_view value, double& out);
bool DxfInteger(std::string_view value, std::int64_t& out);

}  // namespace orvik
