#include "grid/number_generator.h"

namespace grid {

std::int32_t NumberGenerator::next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<std::int32_t>((state_ >> 16) & 0x7FFF);
}

std::int32_t NumberGenerator::draw(std::int32_t low, std::int32_t high) {
    return low + next() % (high - low + 1);
}

NumberGenerator& programGenerator() {
    static NumberGenerator generator;
    return generator;
}

} // namespace grid
