# libpng for Windows, cross-built from Debian's source package by scripts/build-libpng.sh,
# against mingw's zlib. Both are linked statically into the program.
set(COUNTDOWN_LIBPNG_PREFIX "${PROJECT_SOURCE_DIR}/build/deps/libpng-mingw" CACHE PATH
    "Where scripts/build-libpng.sh installed the cross-built libpng")
if(NOT EXISTS "${COUNTDOWN_LIBPNG_PREFIX}/lib/libpng16.a")
  message(FATAL_ERROR "No cross-built libpng in ${COUNTDOWN_LIBPNG_PREFIX}: run scripts/setup.sh")
endif()
add_library(PNG::PNG STATIC IMPORTED)
set_target_properties(PNG::PNG PROPERTIES
  IMPORTED_LOCATION "${COUNTDOWN_LIBPNG_PREFIX}/lib/libpng16.a"
  INTERFACE_INCLUDE_DIRECTORIES "${COUNTDOWN_LIBPNG_PREFIX}/include"
  INTERFACE_LINK_LIBRARIES "/usr/x86_64-w64-mingw32/lib/libz.a")
