#pragma once

#include <QImage>
#include <QString>
#include <vector>

// GIF pictures of report pages, through giflib. A picture of at most 256
// distinct colours keeps them exactly (black text stays black, white paper
// white); one of more (a photographic logo) is reduced to 256 by
// libimagequant, in which black and white are fixed colours and every pixel
// that was pure black or pure white stays exactly so. Files are written beside
// their final name and renamed over it, so a failed write leaves no
// half-written picture; each function returns the reason of a failure (the
// system's text where the system refused), empty on success.

// All pages stacked into one picture, as wide as the first page and as high
// as all of them, in page order from the top.
QString WriteGifFile(const std::vector<QImage>& pages, const QString& path);

// One page as one picture.
QString WriteGifPage(const QImage& page, const QString& path);

// The largest width or height a GIF picture can record.
constexpr int MaxGifSide = 65535;
