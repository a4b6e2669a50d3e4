# Shared build settings: warnings, sanitizers and the helper that makes one static library per layer.

set(KORVANE_WARNINGS -Wall -Wextra -Wno-unused-parameter)
# GCC 12 reports overlaps, overflows and out-of-bounds accesses inside the standard library's own string and vector
# code that cannot happen (false alarms later releases no longer give). They used to show in the fully optimised
# build only; read through a precompiled header, the library's code no longer counts as a system header's and they
# show on every optimised string concatenation. With GCC 12 the first two are off everywhere.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND KORVANE_WARNINGS -Wno-restrict -Wno-stringop-overflow)
endif()

# korvane_array_bounds_false_alarms(<sources>)
# The third, an out-of-bounds copy GCC 12 sees where a temporary string is joined to C strings, shows in a few
# sources only (two of them in the fully optimised build alone): it is turned off for those, so that every other
# source keeps the warning. Called from the folder that lists the sources. A source with options of its own
# leaves its layer's unity source and compiles by itself, in either kind of build.
function(korvane_array_bounds_false_alarms)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    set_property(SOURCE ${ARGN} APPEND PROPERTY COMPILE_OPTIONS -Wno-array-bounds)
  endif()
endfunction()

if(KORVANE_SANITIZE)
  string(REPLACE "," ";" _sanitizers "${KORVANE_SANITIZE}")
  set(_flags "-fsanitize=${KORVANE_SANITIZE}" -fno-omit-frame-pointer)
  if("undefined" IN_LIST _sanitizers)
    list(APPEND _flags -fno-sanitize-recover=undefined)
  endif()
  add_compile_options(${_flags})
  add_link_options(${_flags})
  # The instrumentation leaves GCC's flow analysis unsure of values it set itself (std::regex's states in an
  # optimised sanitized build): false maybe-uninitialized alarms. The plain optimised build keeps that warning.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    list(APPEND KORVANE_WARNINGS -Wno-maybe-uninitialized)
  endif()
endif()

# Fuzz targets need every library instrumented for coverage, and only clang has libFuzzer.
if(KORVANE_FUZZ)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-fsanitize=fuzzer-no-link)
  else()
    message(WARNING "KORVANE_FUZZ needs clang (CC=clang CXX=clang++); the fuzz targets are left out")
    set(KORVANE_FUZZ OFF)
  endif()
endif()

# The standard library headers nearly every source reads, precompiled once and taken by every layer: they were
# about a third of a source's compile time. The header is made without any layer's own definitions, so that each
# layer can take it whatever it defines.
set(KORVANE_STANDARD_HEADERS <algorithm> <array> <cmath> <cstdint> <cstring> <filesystem> <fstream> <functional>
  <map> <memory> <set> <sstream> <string> <vector>)
function(korvane_standard_headers)
  if(TARGET korvane_standard_headers)
    return()
  endif()
  add_library(korvane_standard_headers STATIC ${PROJECT_SOURCE_DIR}/cmake/StandardHeaders.cpp)
  target_compile_options(korvane_standard_headers PRIVATE ${KORVANE_WARNINGS})
  target_precompile_headers(korvane_standard_headers PRIVATE ${KORVANE_STANDARD_HEADERS})
endfunction()

# korvane_layer(<target> SOURCES <globbed or listed files> LINKS <lower layers>)
# Every layer is a static library; includes are rooted at the repository top ("engine/core/Error.h").
function(korvane_layer target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  # A layer with no sources yet is an interface library, so layers above can already link it.
  if(NOT ARG_SOURCES)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_LINKS})
    return()
  endif()
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${KORVANE_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_LINKS})
  korvane_standard_headers()
  target_precompile_headers(${target} REUSE_FROM korvane_standard_headers)
  # A layer is compiled as one source that includes all of its own: the headers its files share are read once, not
  # once a file, which is most of a cold build's time. File-local names must therefore differ across the files of
  # a layer. KORVANE_UNITY_BUILD=OFF compiles file by file again (to find where a layer's file-local names meet).
  # The tests' helper libraries stay file by file: a test program takes from them only the files it uses, and so
  # needs only the layers those files use.
  string(FIND "${CMAKE_CURRENT_SOURCE_DIR}/" "${PROJECT_SOURCE_DIR}/tests/" _in_tests)
  if(KORVANE_UNITY_BUILD AND NOT _in_tests EQUAL 0)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  endif()
endfunction()

# Sources of a folder, optionally leaving out some base names ("Engine" drops Engine.cpp).
function(korvane_folder_sources out folder)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB _files CONFIGURE_DEPENDS ${folder}/*.cpp)
  foreach(_name ${ARG_EXCLUDE})
    list(FILTER _files EXCLUDE REGEX "/${_name}\\.cpp$")
  endforeach()
  set(${out} ${_files} PARENT_SCOPE)
endfunction()
