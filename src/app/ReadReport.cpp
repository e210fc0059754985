#include "app/ReadReport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "app/SettingChecks.h"
#include "text/Messages.h"

namespace orvik {

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
