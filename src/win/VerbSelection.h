// One Explorer selection, one run of the verb "DXFに変換": Explorer starts
// a command-line verb once for each selected file, all at the same moment.
// The first of them to start gathers the drawings of those started with it
// (they hand their paths over in WM_COPYDATA to its message-only window and
// end) until none has come for a moment, and converts them all with one
// question per existing DXF and one report. One started after the gathering
// ended converts its own drawings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvik::win {

// The drawings this run converts: its own, with those handed over by the
// runs started with it; empty when its own were handed to another run.
std::vector<std::string> GatherSelection(HINSTANCE instance, std::vector<std::string> own);

}  // namespace orvik::win
