#include "dxf/DxfWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "dxf/NumberFormat.h"
#include "dxf/Trigonometry.h"
#include "textconv/Cp932.h"

namespace orvik {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;
constexpr std::size_t kMaxLine = 32;  // a code or number line with its CR LF

// ファイル %s を作成できません (paths are UTF-8 on this platform, the message CP932)
std::string CannotCreate(const std::string& path) {
    return "\x83\x74\x83\x40\x83\x43\x83\x8B " + Utf8ToCp932(path) +
           " \x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
}
// ストリームへの書き込みエラー
constexpr const char* kWriteError =
    "\x83\x58\x83\x67\x83\x8A\x81\x5B\x83\x80\x82\xD6\x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x83\x47\x83\x89\x81\x5B";

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

long double NormalizeAngle(long double angle, long double atFullTurn, long double lowerBound) {
    long double t = angle;
    while (t < lowerBound) t += 360;
    return t == 360 ? atFullTurn : t;
}

bool SameAngle(long double a, long double b) { return NormalizeAngle(a, 0, 0) == NormalizeAngle(b, 0, 0); }

char* DxfWriter::Reserve(std::size_t n) {
    if (chunks_.empty() || used_ + n > chunks_.back().size()) {
        if (!chunks_.empty()) chunks_.back().resize(used_);
        chunks_.emplace_back(std::max(kChunkSize, n), '\0');
        used_ = 0;
    }
    return chunks_.back().data() + used_;
}

std::string DxfWriter::Text() const {
    std::string text;
    for (std::size_t i = 0; i < chunks_.size(); ++i)
        text.append(chunks_[i], 0, i + 1 == chunks_.size() ? used_ : chunks_[i].size());
    return text;
}

// The group code line: right-aligned in three columns, wider codes whole.
void DxfWriter::CodeLine(int code) {
    char* p = Reserve(kMaxLine);
    const std::size_t n = FormatIntTo(p, code, 3);
    p[n] = '\r';
    p[n + 1] = '\n';
    used_ += n + 2;
}

void DxfWriter::WriteGroup(int code, std::string_view text) {
    CodeLine(code);
    Append(text);
    Append("\r\n");
}

void DxfWriter::WriteInt(int code, std::int64_t value, int width) {
    CodeLine(code);
    char* p = Reserve(kMaxLine + static_cast<std::size_t>(std::max(width, 0)));
    const std::size_t n = FormatIntTo(p, value, width);
    p[n] = '\r';
    p[n + 1] = '\n';
    used_ += n + 2;
}

void DxfWriter::WriteReal(int code, long double value) {
    CodeLine(code);
    char* p = Reserve(kMaxRealLength + 2);
    const std::size_t n = FormatRealTo(p, value);
    p[n] = '\r';
    p[n + 1] = '\n';
    used_ += n + 2;
}

void DxfWriter::WriteHandle(int code, std::int64_t value) { WriteGroup(code, FormatHandle(value)); }

void DxfWriter::WriteColorIfDiffers(std::int64_t color, std::int64_t layerColor) {
    if (color != layerColor) WriteColor(color);
}

void DxfWriter::WritePenColor(int pen, std::int64_t layerColor) {
    if (pen >= 0) WriteColorIfDiffers(tables_.PenColor(pen), layerColor);
}

void DxfWriter::WriteColorForLayer(std::int64_t color, int layer) {
    WriteColorIfDiffers(color, tables_.DxfLayers[layer].Color);
}

void DxfWriter::WritePenColorForLayer(int pen, int layer) { WritePenColor(pen, tables_.DxfLayers[layer].Color); }

void DxfWriter::WriteLinetypeIfDiffers(std::string_view name, std::string_view layerLinetype) {
    if (name != layerLinetype) WriteLinetype(name);
}

void DxfWriter::WriteLinetypeNumberIfDiffers(int number, std::string_view layerLinetype) {
    WriteLinetypeIfDiffers(tables_.LinetypeNameOf(number), layerLinetype);
}

void DxfWriter::WriteLinetypeNumbers(int number, int layerNumber) {
    WriteLinetypeNumberIfDiffers(number, tables_.LinetypeNameOf(layerNumber));
}

void DxfWriter::WriteLinetypeForLayer(int number, int layer) {
    WriteLinetypeNumbers(number, tables_.DxfLayers[layer].LineType);
}

void DxfWriter::WriteLayerNumber(int layer) {
    WriteLayer(layer == kDefpointsLayer ? std::string_view("DEFPOINTS") : std::string_view(tables_.DxfLayers[layer].Name));
}

void DxfWriter::WriteDegrees(int code, long double degrees, long double lowerBound) {
    WriteReal(code, NormalizeAngle(degrees, 0, lowerBound));
}

void DxfWriter::WriteRadians(int code, long double degrees, long double valueIfZero, long double lowerBound) {
    long double t = NormalizeAngle(degrees, 0, lowerBound);
    if (t == 0) t = valueIfZero;
    WriteReal(code, Radians(t));
}

void DxfWriter::WriteLtypeRecord(std::int64_t handle, std::string_view name, std::string_view description,
                                 std::string_view patternLength, std::span<const std::string_view> elements) {
    WriteGroup(0, "LTYPE");
    WriteHandle(5, handle);
    WriteGroup(330, "5");
    WriteGroup(100, "AcDbSymbolTableRecord");
    WriteGroup(100, "AcDbLinetypeTableRecord");
    WriteGroup(2, name);
    WriteInt(70, 0);
    WriteGroup(3, description);
    WriteInt(72, 65);
    WriteInt(73, static_cast<std::int64_t>(elements.size()));
    WriteGroup(40, patternLength);
    for (std::string_view element : elements) {
        WriteGroup(49, element);
        WriteInt(74, 0);
    }
}

void DxfWriter::SaveTo(const std::string& path) const {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) throw ConversionError(CannotCreate(path));

    bool written = true;
    for (std::size_t i = 0; written && i < chunks_.size(); ++i)
        written = WriteAll(fd, std::string_view(chunks_[i]).substr(0, i + 1 == chunks_.size() ? used_ : chunks_[i].size()));
    written = written && ::fchmod(fd, 0666 & ~CurrentUmask()) == 0 && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        ::unlink(temp.c_str());
        throw ConversionError(kWriteError);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw ConversionError(CannotCreate(path));
    }
}

}  // namespace orvik
