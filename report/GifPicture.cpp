#include "report/GifPicture.h"

#include "report/PictureInput.h"
#include "report/PictureLimits.h"

#include <array>
#include <cstdio>
#include <gif_lib.h>
#include <memory>
#include <vector>

namespace {

struct TGifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

int ReadFile(GifFileType* gif, GifByteType* buffer, int length)
{
    return static_cast<int>(std::fread(buffer, 1, static_cast<std::size_t>(length),
                                       static_cast<std::FILE*>(gif->UserData)));
}

// Reads one extension with all its blocks; a graphics control block gives the
// transparent colour of the image that follows it.
bool ReadExtension(GifFileType* gif, int& transparent)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
        GraphicsControlBlock control{};
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
    }
    while (block != nullptr)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    return true;
}

// The rows of an image in the order its file holds them: top to bottom, or
// the four passes of an interlaced image.
std::vector<int> RowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr int Start[] = {0, 4, 2, 1}, Step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = Start[pass]; y < height; y += Step[pass])
            rows.push_back(y);
    return rows;
}

// The image whose descriptor is next in the file, once its size is known to
// be within the limits.
QImage ReadImage(GifFileType* gif, int transparent)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return {};
    const GifImageDesc& desc = gif->Image;
    if (!IsPictureSizeAllowed(desc.Width, desc.Height))
        return {};
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (map == nullptr)
        return {};
    std::array<QRgb, 256> colours{};
    colours.fill(qRgb(255, 255, 255));
    for (int i = 0; i < map->ColorCount && i < 256; ++i) {
        const GifColorType& c = map->Colors[i];
        colours[static_cast<std::size_t>(i)] = qRgb(c.Red, c.Green, c.Blue);
    }
    if (transparent >= 0 && transparent < 256)
        colours[static_cast<std::size_t>(transparent)] = qRgb(255, 255, 255);

    QImage image(desc.Width, desc.Height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    for (const int y : RowOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
            return {};
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::size_t x = 0; x < line.size(); ++x)
            row[x] = colours[line[x]];
    }
    return image;
}

} // namespace

QImage LoadGifPicture(const std::string& path)
{
    const TPictureInput file = OpenPicture(path);
    if (file == nullptr)
        return {};
    int error = 0;
    const std::unique_ptr<GifFileType, TGifCloser> gif(DGifOpen(file.get(), ReadFile, &error));
    if (gif == nullptr)
        return {};
    // Only the extensions before the first image are read, and of the rest
    // of the file nothing.
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            return {};
        switch (record) {
        case IMAGE_DESC_RECORD_TYPE:
            return ReadImage(gif.get(), transparent);
        case EXTENSION_RECORD_TYPE:
            if (!ReadExtension(gif.get(), transparent))
                return {};
            break;
        default: // the trailer before any image
            return {};
        }
    }
}
