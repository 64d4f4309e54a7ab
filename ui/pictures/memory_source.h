#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

namespace pictures {

// The bytes of an embedded picture, handed out front to back to a decoding library's read
// callback.
class MemorySource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Copies up to `wanted` bytes to `out`; returns how many there were.
    std::size_t read(std::uint8_t* out, std::size_t wanted) {
        const std::size_t count = std::min(wanted, bytes_.size() - position_);
        if (count > 0) {
            std::memcpy(out, bytes_.data() + position_, count);
        }
        position_ += count;
        return count;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace pictures
