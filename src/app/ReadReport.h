// What the read commands show about a drawing, as CP932 text, beside the
// summary its format's driver makes: why a read stopped, why a path cannot
// be read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "failure/Failure.h"
#include "input/FileReader.h"

namespace orvik {

// One sentence describing why a drawing of either format could not be read
// completely, without the file's path: the part of the file and the byte
// where it failed.
std::string DescribeReadError(const Failure& error);

// A name from the file as a message shows it: at most 64 bytes, cut at a
// character ("..." where cut), its control characters made visible.
std::string ShownName(std::string_view name);

// Why a file cannot be read, in words: "ファイルが見つかりません",
// "フォルダーです", "空のファイルです", "アクセスが拒否されました" ...
std::string DescribeInputProblem(const InputCheck& check);

}  // namespace orvik
