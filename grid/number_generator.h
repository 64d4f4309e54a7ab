#pragma once
// The program's number generator: one state for the whole run, 1 at start, never reseeded, so the
// same presses at the same sizes give the same batches in every run.

#include <cstdint>

namespace grid {

class NumberGenerator {
public:
    // state <- state * 214013 + 2531011 (mod 2^32); gives bits 16..30 of the new state.
    std::int32_t next();
    // An integer in [low, high], both ends included.
    std::int32_t draw(std::int32_t low, std::int32_t high);

private:
    std::uint32_t state_ = 1;
};

// The generator of the running program.
NumberGenerator& programGenerator();

} // namespace grid
