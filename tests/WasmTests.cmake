# The core's unit tests in WebAssembly, run under Node by CTest (the
# toolchain's emulator): ORVIK_PORTABLE_TESTS, those that need no POSIX
# calls. The files they read are the real ones (NODERAWFS).
# GoogleTest is built from Debian's sources for the target.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The tests of the DXF writer's numbers, the trigonometry and the reference
# scale compare with the x87 unit's long double: here those numbers are
# compared whole, in the DXF files of scripts/test-wasm.sh.
set(wasm_tests ${ORVIK_PORTABLE_TESTS})
list(REMOVE_ITEM wasm_tests dxf/DxfWriterTest.cpp geometry/TrigonometryTest.cpp convert/ReferenceScaleTest.cpp)
add_executable(orvik_wasm_tests ${wasm_tests})
target_include_directories(orvik_wasm_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(orvik_wasm_tests PRIVATE orvik_cli_lib orvik_builders gtest_main)
target_compile_definitions(orvik_wasm_tests PRIVATE ORVIK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_options(orvik_wasm_tests PRIVATE -sNODERAWFS=1)
add_test(NAME wasm_unit_tests COMMAND orvik_wasm_tests)
