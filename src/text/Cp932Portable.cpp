// CP932 ↔ UTF-8 from the project's own tables, where the system has no
// CP932 converter (WebAssembly).
#include "text/Cp932.h"
#include "text/Cp932Tables.h"

namespace orvik {

std::string Cp932ToUtf8(std::string_view cp932) { return cp932_tables::ToUtf8(cp932); }

std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced) { return cp932_tables::FromUtf8(utf8, replaced); }

}  // namespace orvik
