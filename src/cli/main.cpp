#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "app/DrawingJob.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

// The arguments as UTF-8, from the wide command line (Japanese file names
// whatever the system code page), and the console told to show UTF-8.
std::vector<std::string> Arguments(int, char**) {
    ::SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    ::LocalFree(wide);
    return args;
}
#else
std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    orvik::RemoveTemporaryFilesOnSignals();
    return orvik::cli::RunCli(Arguments(argc, argv), std::cout, std::cerr);
}
