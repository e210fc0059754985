#include "app/ReadReport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <utility>

#include "text/Messages.h"
#include "text/Substitution.h"

namespace orvik {

bool HasExtension(std::string_view path, std::string_view upperExtension) {
    const auto name = path.substr(path.find_last_of('/') + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string extension(name.substr(dot));
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::toupper(c); });
    return extension == upperExtension;
}

std::vector<std::string> ReadSummaryLines(const JwcDrawing& drawing) {
    const JwcHeader& h = drawing.header;
    // The four-character labels end in an ideographic space so that every "=" lines up.
    const std::pair<const char*, std::int32_t> counts[] = {
        {"\x92\xBC\x90\xFC\x82\xCC\x90\x94\x81\x40 = ", h.lineCount},          // 直線の数　 =
        {"\x89\x7E\x8C\xCA\x82\xCC\x90\x94\x81\x40 = ", h.arcCount},           // 円弧の数　 =
        {"\x95\xB6\x8E\x9A\x97\xF1\x82\xCC\x90\x94 = ", h.textCount},          // 文字列の数 =
        {"\x8E\xC0\x93\x5F\x82\xCC\x90\x94\x81\x40 = ", h.pointCount},         // 実点の数　 =
        {"\x89\xBC\x91\x7A\x93\x5F\x82\xCC\x90\x94 = ", h.virtualPointCount},  // 仮想点の数 =
    };
    std::vector<std::string> lines{EscapeControlBytes(h.headerText1), EscapeControlBytes(h.headerText2)};
    for (const auto& [label, count] : counts) lines.push_back(label + std::to_string(count));
    return lines;
}

std::string DescribeInputProblem(const InputCheck& check) {
    switch (check.problem) {
        case InputProblem::NotFound: return std::string(kFileNotFound);
        case InputProblem::NotRegularFile:
            return check.error == EISDIR ? SystemErrorText(EISDIR) : std::string(kNotRegularFile);
        case InputProblem::Empty: return std::string(kEmptyFile);
        case InputProblem::SystemError: return SystemErrorText(check.error);
        case InputProblem::None: break;
    }
    return {};
}

}  // namespace orvik
