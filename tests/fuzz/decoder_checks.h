#pragma once

#include <cstdint>
#include <span>

namespace pictures::fuzzing {

// Each runs one decoder on arbitrary bytes and, when it yields a picture, checks what the rest of
// the program relies on (sizes within the caps, buffers as large as the sizes say) and passes it
// on the way the program would (flattening, placing, drawing frames, choosing the window icon).
// A broken promise aborts, which the fuzzer reports as a crash. True when a picture was decoded.
bool checkPng(std::span<const std::uint8_t> bytes);
bool checkGif(std::span<const std::uint8_t> bytes);
bool checkIconFile(std::span<const std::uint8_t> bytes);

} // namespace pictures::fuzzing
