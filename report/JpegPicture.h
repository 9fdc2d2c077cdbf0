#pragma once

#include <QImage>
#include <string>

// A baseline or progressive JPEG file as an RGB picture: greyscale and colour
// as they are, CMYK and YCCK through their inks. A null picture for a file
// that cannot be read, is damaged or holds a picture over the picture limits.
QImage LoadJpegPicture(const std::string& path);
