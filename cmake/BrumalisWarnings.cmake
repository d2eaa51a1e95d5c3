# Project-wide compiler settings: warnings are errors, optional sanitizers.
add_compile_options(-Wall -Wextra -Wpedantic -Werror)
# GCC 12 reports std::string concatenation at -O3 as overlapping memcpy
# (GCC bug 105329), a false positive in the standard library's own code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

if(BRUMALIS_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(BRUMALIS_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "BRUMALIS_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# A library of this project: sources in the folder, include paths from the root.
function(brumalis_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;EXTERNAL" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} ${ARG_EXTERNAL})
endfunction()

# A subsystem folder with no code yet: an interface target that already
# states its place in the layering.
function(brumalis_placeholder name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
endfunction()
