# AddressSanitizer + UndefinedBehaviorSanitizer for every target of the build.
if(KORVEN_SANITIZE)
    # g++ leaves float-cast-overflow out of "undefined" (a real too large for an int); clang has it
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()

# The "fuzz" preset (clang): coverage for libFuzzer in every target; the fuzzers link the
# libFuzzer driver themselves (tests/fuzz).
option(KORVEN_FUZZ "Instrument every target for libFuzzer" OFF)
if(KORVEN_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
