// The drawings a run converts: the files named, and with -r every drawing
// under the folders named, found by name (".jwc" or ".jww" in any case) or by
// the JW_CAD signature of either format, and with `withDxf` DXF files too
// (".dxf", or a DXF file's start), in a stable order (names sorted, folder
// by folder).
// Symbolic links to folders are not followed, so a link loop cannot trap the
// walk. Nothing is passed over without a word: a folder that cannot be read,
// an entry that cannot be examined (a path too long, a folder without search
// permission) and a dangling or looping link named as a drawing are
// reported with the reason.
#pragma once

#include <string>
#include <vector>

namespace orvik::cli {

struct ArchiveInput {
    std::string path;  // as the walk reached it
    std::string relative;  // below the folder named (the file's own name for a file named): --output-dir mirrors it
    bool foundByWalk = false;  // found under a folder: a drawing by signature, whatever its name
};

struct ArchiveProblem {
    std::string path;
    bool folder = false;  // a folder that cannot be read; otherwise an entry that cannot be examined
    std::string reason;  // the system's reason in words (UTF-8)
};

struct ArchiveInputs {
    std::vector<ArchiveInput> drawings;
    std::vector<ArchiveProblem> problems;
};

// Without `recursive`, every argument is taken as a file.
ArchiveInputs CollectInputs(const std::vector<std::string>& arguments, bool recursive, bool withDxf);

}  // namespace orvik::cli
