#include "report/PictureFile.h"

#include <csetjmp>
#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>
#include <memory>
#include <QFileInfo>
#include <vector>

namespace {

QImage LoadGif(const std::string& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr)
        return {};
    const std::unique_ptr<GifFileType, void (*)(GifFileType*)> closer(
        gif, [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1)
        return {};
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : gif->SColorMap;
    const int width = gif->SWidth, height = gif->SHeight;
    if (map == nullptr || width <= 0 || height <= 0)
        return {};
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, 0, &control);

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const GifImageDesc& d = frame.ImageDesc;
    for (int y = 0; y < d.Height; ++y) {
        for (int x = 0; x < d.Width; ++x) {
            const int px = d.Left + x, py = d.Top + y;
            if (px < 0 || py < 0 || px >= width || py >= height)
                continue;
            const int index = frame.RasterBits[static_cast<std::size_t>(y) * d.Width + x];
            if (index == control.TransparentColor || index >= map->ColorCount)
                continue;
            const GifColorType& c = map->Colors[index];
            image.setPixel(px, py, qRgb(c.Red, c.Green, c.Blue));
        }
    }
    return image;
}

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

QImage LoadJpeg(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return {};
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<TJpegError*>(common->err)->Jump, 1);
    };
    // Everything that must be released after a decoding error lives outside
    // the jump: the picture is built only once the decoder has finished.
    std::vector<unsigned char> pixels;
    JDIMENSION width = 0, height = 0;
    if (setjmp(error.Jump) != 0) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = info.output_width;
    height = info.output_height;
    pixels.resize(static_cast<std::size_t>(width) * height * 3);
    while (info.output_scanline < height) {
        JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    for (JDIMENSION y = 0; y < height; ++y)
        for (JDIMENSION x = 0; x < width; ++x) {
            const unsigned char* p = pixels.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            image.setPixel(static_cast<int>(x), static_cast<int>(y), qRgb(p[0], p[1], p[2]));
        }
    return image;
}

} // namespace

QImage LoadPicture(const std::string& path)
{
    const QString extension = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (extension == "gif")
        return LoadGif(path);
    if (extension == "jpg")
        return LoadJpeg(path);
    QImage bitmap;
    bitmap.load(QString::fromStdString(path), "BMP");
    return bitmap;
}
