# Warnings are errors for the project's own targets (not for third-party code).
function(ferrowind_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
    -Wold-style-cast -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports impossible overlaps in std::string's inlined concatenation at -O2 and
    # above ("accessing 9223372036854775810 or more bytes"), a known false positive.
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()
