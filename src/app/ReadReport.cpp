#include "app/ReadReport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <utility>

#include "app/SettingChecks.h"
#include "text/Messages.h"
#include "text/Substitution.h"

namespace orvik {

std::vector<std::string> ReadSummaryLines(const JwcFile& file) {
    const JwcHeader& h = file.header;
    const std::pair<std::string_view, std::int32_t> counts[] = {
        {kLineCountLabel, h.lineCount},
        {kArcCountLabel, h.arcCount},
        {kTextCountLabel, h.textCount},
        {kPointCountLabel, h.pointCount},
        {kVirtualPointCountLabel, h.virtualPointCount},
    };
    std::vector<std::string> lines{EscapeControlBytes(h.headerText1), EscapeControlBytes(h.headerText2)};
    for (const auto& [label, count] : counts) lines.push_back(std::string(label) + std::to_string(count));
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
