#pragma once

#include <QImage>
#include <string>

// The first image of a GIF file at its own size (its place on the logical
// screen and the screen's size play no part), its transparent colour and
// colours outside its palette as white paper. A null picture for a file that
// cannot be read, is damaged or holds an image over the picture limits.
QImage LoadGifPicture(const std::string& path);
