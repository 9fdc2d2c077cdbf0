#pragma once

#include <QImage>
#include <QString>
#include <vector>

// All pages stacked into one GIF picture, as wide as a page and as high as
// all of them, in page order from the top. A picture of at most 256 colours
// keeps them exactly; one of more is reduced to a fixed palette in which
// black and white stay exact. The file is written beside its final name and
// renamed over it, so a failed write leaves no half-written picture; the
// reason of a failure is returned, empty on success.
QString WriteGifFile(const std::vector<QImage>& pages, const QString& path);
