#pragma once

#include <QImage>
#include <string>

// A logo picture read by its file name's extension, letter case aside:
// ".gif" through giflib (the first image, its transparent colour as white
// paper), ".jpg" through libjpeg, anything else as a Windows bitmap. A file
// that is missing, damaged, of another kind than its extension says or over
// the picture limits (see PictureLimits.h) gives a null picture; nothing is
// thrown.
QImage LoadPicture(const std::string& path);
