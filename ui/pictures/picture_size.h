#pragma once

namespace pictures {

// A picture's size in pixels, as its file's header gives it.
struct PictureSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

} // namespace pictures
