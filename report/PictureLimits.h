#pragma once

// The largest logo the report reads: a picture over this size is left out as
// one that cannot be read, judged by its header before any of it is decoded,
// so that a small file claiming a huge picture costs neither memory nor time.
// A logo is printed 4 cm wide: 4096 pixels are over 2600 per inch there.
constexpr int MaxPictureSide = 4096;
constexpr long long MaxPicturePixels = 16'000'000;

inline bool IsPictureSizeAllowed(long long width, long long height)
{
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}
