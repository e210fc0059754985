#include <iostream>
#include <string>
#include <vector>

#include "app/DrawingJob.h"
#include "cli/Cli.h"

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

// Started from Explorer (a double-click, the installer's "DXFに変換"), the
// program has a console of its own, which would close with it before its
// words could be read: where there is something to read (a problem, or the
// usage when it was given nothing), it waits for Enter. A console shared
// with a command prompt, and input or output that is no console (a script,
// a pipe), never wait.
void KeepOwnConsoleOpen(int code, bool noArguments) {
    DWORD processes[2];
    DWORD mode = 0;
    const bool ownConsole = ::GetConsoleProcessList(processes, 2) == 1;
    const bool console = ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0 &&
                         ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
    if ((code == 0 && !noArguments) || !ownConsole || !console) return;
    std::cout << "\nEnter キーを押すと閉じます。" << std::flush;
    std::string line;
    std::getline(std::cin, line);
}
#else
std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    orvik::RemoveTemporaryFilesOnSignals();
    const std::vector<std::string> args = Arguments(argc, argv);
    const int code = orvik::cli::RunCli(args, std::cout, std::cerr);
#ifdef _WIN32
    KeepOwnConsoleOpen(code, args.empty());
#endif
    return code;
}
