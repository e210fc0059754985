#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "dxf/AtomicFile.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    orvik::RemoveTemporaryFilesOnSignals();
    return orvik::cli::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

