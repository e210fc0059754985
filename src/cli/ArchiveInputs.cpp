#include "cli/ArchiveInputs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/ReadDrawing.h"
#include "app/ReadReport.h"
#include "os/System.h"
#include "text/Cp932.h"
#include "text/Messages.h"

namespace orvik::cli {
namespace {

namespace fs = std::filesystem;

// A drawing's name; a DXF file's only when DXF files are read.
bool IsDrawingName(const std::string& path, bool withDxf) {
    return HasDrawingExtension(path) && (withDxf || !HasExtension(path, ".dxf"));
}

ArchiveProblem Problem(const fs::path& path, bool folder, const std::error_code& ec) {
    return {os::Utf8Path(path), folder, Cp932ToUtf8(SystemErrorText(ec.value()))};
}

// Depth first, the entries of each folder in name order.
void Walk(const fs::path& root, const fs::path& folder, bool withDxf, ArchiveInputs& out) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        out.problems.push_back(Problem(folder, true, ec));
        return;
    }
    std::vector<fs::directory_entry> entries;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            out.problems.push_back(Problem(folder, true, ec));
            return;
        }
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    for (const fs::directory_entry& entry : entries) {
        std::error_code statusError;
        const fs::file_status own = entry.symlink_status(statusError);
        if (statusError) {
            out.problems.push_back(Problem(entry.path(), false, statusError));
            continue;
        }
        if (fs::is_directory(own)) {
            Walk(root, entry.path(), withDxf, out);
            continue;
        }
        if (fs::is_symlink(own)) {
            // Links to files are followed, links to folders not; a broken link
            // is said only when its name makes it a drawing.
            const fs::file_status target = entry.status(statusError);
            if (statusError && IsDrawingName(os::Utf8Path(entry.path()), withDxf))
                out.problems.push_back(Problem(entry.path(), false, statusError));
            if (statusError || !fs::is_regular_file(target)) continue;
        }
        // A drawing by its name or its signature.
        const std::string path = os::Utf8Path(entry.path());
        const std::optional<DrawingFormat> signature = DrawingFile(path).Signature();
        if (IsDrawingName(path, withDxf) || (signature && (withDxf || *signature != DrawingFormat::Dxf)))
            out.drawings.push_back({path, os::Utf8Path(entry.path().lexically_relative(root)), true});
    }
}

}  // namespace

ArchiveInputs CollectInputs(const std::vector<std::string>& arguments, bool recursive, bool withDxf) {
    ArchiveInputs out;
    for (const std::string& argument : arguments) {
        std::error_code ec;
        if (recursive && fs::is_directory(os::FsPath(argument), ec)) {
            Walk(os::FsPath(argument), os::FsPath(argument), withDxf, out);
            continue;
        }
        out.drawings.push_back({argument, os::Utf8Path(os::FsPath(argument).filename()), false});
    }
    return out;
}

}  // namespace orvik::cli
