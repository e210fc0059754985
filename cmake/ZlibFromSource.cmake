# zlib compiled from its source, for systems with no zlib library to link
# (WebAssembly): scripts/zlib-source.sh unpacks Debian's, the release the
# other builds link. It stands in as ZLIB::ZLIB.
set(ORVIK_ZLIB_SOURCE "" CACHE PATH "zlib's source folder")
if(NOT EXISTS "${ORVIK_ZLIB_SOURCE}/inflate.c")
  message(FATAL_ERROR "ORVIK_ZLIB_SOURCE (\"${ORVIK_ZLIB_SOURCE}\") holds no zlib source; "
                      "scripts/zlib-source.sh <folder> unpacks Debian's there.")
endif()
enable_language(C)
add_library(orvik_zlib STATIC)
foreach(file adler32.c compress.c crc32.c deflate.c inffast.c inflate.c inftrees.c trees.c zutil.c)
  target_sources(orvik_zlib PRIVATE ${ORVIK_ZLIB_SOURCE}/${file})
endforeach()
target_include_directories(orvik_zlib SYSTEM PUBLIC ${ORVIK_ZLIB_SOURCE})
target_compile_options(orvik_zlib PRIVATE -w)  # zlib's code is zlib's, not ours to warn about
add_library(ZLIB::ZLIB ALIAS orvik_zlib)
