// What the read commands show about a drawing, as CP932 text: the summary
// printed after a read, what was left out, why a read stopped, why a path
// cannot be read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "failure/Failure.h"
#include "input/FileReader.h"
#include "jwc/JwcFile.h"
#include "jww/JwwDrawing.h"
#include "jww/JwwMapping.h"

namespace orvik {

// The log lines that follow the path (and its empty line) after a single
// read: HeaderText1, HeaderText2 (control bytes in caret notation, so that
// nothing from a drawing reaches a terminal raw), then the numbers of lines,
// arcs, texts, real points and virtual points with their aligned labels.
std::vector<std::string> ReadSummaryLines(const JwcFile& file);

// The log lines after a JWW drawing's path and its empty line: the memo's
// lines, the version, the paper, the scales of the groups in use, then the
// numbers of lines, arcs, texts (settings apart), points (temporary ones
// apart), solids, block insertions, dimensions, block definitions and
// images, and the characters CP932 could not hold, if any.
std::vector<std::string> JwwSummaryLines(const JwwDrawing& drawing);

// The line that says which elements of a JWW drawing the conversion did
// not carry: "変換していない要素: ソリッド 2 件 ...".
std::string NotCarriedLine(const NotCarried& notCarried);

// The warning for embedded images left out past the drawing's image budgets.
std::string ImagesLeftOutLine(std::int64_t count);

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
