# Warning flags for our own targets only (third-party code never links this).
add_library(korven_warnings INTERFACE)
target_compile_options(korven_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor)
if(KORVEN_WERROR)
    target_compile_options(korven_warnings INTERFACE -Werror)
endif()

# The engine computes in 32-bit reals: a silent promotion to double or a
# narrowing back would change printed digits.
add_library(korven_engine_warnings INTERFACE)
target_link_libraries(korven_engine_warnings INTERFACE korven_warnings)
target_compile_options(korven_engine_warnings INTERFACE -Wdouble-promotion -Wfloat-conversion)
