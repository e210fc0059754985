# The core's unit tests for the Windows build (MinGW-w64), run under Wine by
# CTest (the toolchain's emulator): ORVIK_PORTABLE_TESTS, those that need no
# POSIX calls.
# GoogleTest is built from Debian's sources for the target.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(orvik_windows_tests ${ORVIK_PORTABLE_TESTS})
target_include_directories(orvik_windows_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(orvik_windows_tests PRIVATE orvik_cli_lib orvik_builders gtest_main)
target_compile_definitions(orvik_windows_tests PRIVATE ORVIK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME windows_unit_tests COMMAND orvik_windows_tests)

# What drives orvik.exe's window in scripts/test-windows.sh.
add_executable(orvik-window-driver win/WindowDriver.cpp)
target_link_options(orvik-window-driver PRIVATE -municode)
target_link_libraries(orvik-window-driver PRIVATE orvik_win)

# The Windows front end's own parts, in-process.
add_executable(orvik_win32_tests win/Win32Test.cpp)
target_include_directories(orvik_win32_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(orvik_win32_tests PRIVATE orvik_win gtest_main)
add_test(NAME win32_front_end_tests COMMAND orvik_win32_tests)
