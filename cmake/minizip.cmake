# minizip: natively Debian's libminizip; for Windows its sources from Debian's minizip source
# package, fetched by scripts/setup.sh into RADURE_MINIZIP_SOURCE (never part of this repository).
# Static zlib for Windows: the launcher must not need zlib1.dll.
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
if(WIN32)
  set(RADURE_MINIZIP_SOURCE /opt/radure-deps/minizip CACHE PATH "minizip's unzip.c, ioapi.c and zip.c")
  if(NOT EXISTS ${RADURE_MINIZIP_SOURCE}/unzip.c)
    message(FATAL_ERROR "minizip's sources are missing from ${RADURE_MINIZIP_SOURCE}: run scripts/setup.sh")
  endif()
  add_library(minizip STATIC ${RADURE_MINIZIP_SOURCE}/unzip.c ${RADURE_MINIZIP_SOURCE}/ioapi.c
                             ${RADURE_MINIZIP_SOURCE}/zip.c)
  target_include_directories(minizip SYSTEM PUBLIC ${RADURE_MINIZIP_SOURCE})
  target_compile_options(minizip PRIVATE -w)
  target_link_libraries(minizip PUBLIC ZLIB::ZLIB)
else()
  find_path(MINIZIP_INCLUDE_DIR unzip.h PATH_SUFFIXES minizip REQUIRED)
  find_library(MINIZIP_LIBRARY minizip REQUIRED)
  add_library(minizip INTERFACE)
  target_include_directories(minizip SYSTEM INTERFACE ${MINIZIP_INCLUDE_DIR})
  target_link_libraries(minizip INTERFACE ${MINIZIP_LIBRARY} ZLIB::ZLIB)
endif()
