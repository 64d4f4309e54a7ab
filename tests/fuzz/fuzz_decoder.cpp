// libFuzzer entry point. The build picks the decoder: -DFUZZ_CHECK=checkPng, checkGif or
// checkIconFile (see decoder_checks.h).
#include "decoder_checks.h"

#include <cstddef>

#ifndef FUZZ_CHECK
#error "FUZZ_CHECK must name one of the checks of decoder_checks.h"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pictures::fuzzing::FUZZ_CHECK({data, size});
    return 0;
}
