# Flags for our own targets only: third-party code (GoogleTest, Benchmark) keeps its defaults.
# Floating-point contraction stays off so that every build computes the same bits.
function(quorvex_target_flags target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wconversion -Wold-style-cast
                                           -Werror -ffp-contract=off)
  # GCC's -Wconversion leaves signedness alone in C++; clang's would not.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -Wno-sign-conversion)
  endif()
endfunction()
