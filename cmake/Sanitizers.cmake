# Sanitizer and fuzzer flags, applied to every target of the build (the JUCE
# library included) so that instrumented and plain code never mix.
if(QUILLET_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLET_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUILLET_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang "
                            "(Debian packages clang and libclang-rt-14-dev).")
    endif()
    # Coverage for the fuzzers; the fuzzer main itself is linked into the fuzz targets only.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
