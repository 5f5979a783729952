// The library's two entry names: one analysis run per call, every stop turned into a return code.
#include <cstdint>

#include "run/RunControl.h"

extern "C" __attribute__((visibility("default"))) std::int32_t IKORVEN(std::int32_t /*unused*/) {
    return korven::run::runEngine();
}

extern "C" __attribute__((visibility("default"), alias("IKORVEN")))
std::int32_t _IKORVEN(std::int32_t);
