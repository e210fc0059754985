// CP932 ↔ UTF-8 from the tables in Cp932Data.h: the same results as glibc's
// iconv, byte for byte, for systems without it (WebAssembly). The contract
// is that of Cp932ToUtf8 and Utf8ToCp932 in Cp932.h.
#pragma once

#include <string>
#include <string_view>

namespace orvik::cp932_tables {

std::string ToUtf8(std::string_view cp932);
std::string FromUtf8(std::string_view utf8, std::size_t* replaced = nullptr);

}  // namespace orvik::cp932_tables
