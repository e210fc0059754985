// Names for the entries of an archive made from the names the user's files
// and folders carry.
#pragma once

#include <string>
#include <string_view>

namespace orvik {

// The name (UTF-8) as an entry's: relative, forward slashes only, without
// empty, "." or ".." parts, each control or bidirectional formatting
// character made "_" — so that an extractor that joins it to its folder
// stays inside it, and a name shows as what it is ("plan\u202Efdp.dxf"
// would show as "planxfd.pdf"). Never empty.
std::string ArchiveEntryName(std::string_view name);

}  // namespace orvik
