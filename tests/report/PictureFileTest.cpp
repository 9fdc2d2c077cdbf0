// Logo files as users leave them beside the program: GIF, JPEG and Windows
// bitmaps read at their own size, hostile headers that claim huge pictures
// turned away before anything is allocated, damaged files and CMYK JPEGs.
#include "report/PictureFile.h"

#include "report/PictureLimits.h"
#include "support/TempDir.h"

#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <functional>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sys/resource.h>
#include <vector>

namespace {

// The palette of the GIF files written here.
const QRgb Palette[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};

// A pattern whose rows and columns all differ, to catch rows out of order.
int PatternIndex(int x, int y)
{
    return (x + 2 * y) % 4;
}

struct TGifShape {
    int ScreenWidth, ScreenHeight;
    int Left, Top, Width, Height;
    bool Interlaced = false;
    int Transparent = NO_TRANSPARENT_COLOR;
    // A second image after the first, of another size and colour.
    bool SecondImage = false;
};

// Writes a GIF through giflib's encoder: a comment, then a graphics control
// block when there is a transparent colour, then the image(s).
std::string WriteGif(const TTempDir& dir, const std::string& name, const TGifShape& shape)
{
    const std::string path = (dir.Path() / name).string();
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (gif == nullptr)
        return path;
    GifColorType colours[4];
    for (int i = 0; i < 4; ++i)
        colours[i] = {static_cast<GifByteType>(qRed(Palette[i])),
                      static_cast<GifByteType>(qGreen(Palette[i])),
                      static_cast<GifByteType>(qBlue(Palette[i]))};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, shape.ScreenWidth, shape.ScreenHeight, 2, 0, map);
    EGifPutComment(gif, "Acme");
    if (shape.Transparent != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{};
        control.TransparentColor = shape.Transparent;
        GifByteType block[4];
        const std::size_t length = EGifGCBToExtension(&control, block);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block);
    }
    EGifPutImageDesc(gif, shape.Left, shape.Top, shape.Width, shape.Height, shape.Interlaced,
                     nullptr);
    std::vector<int> rows;
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (shape.Interlaced ? 4 : 1); ++pass)
        for (int y = shape.Interlaced ? start[pass] : 0; y < shape.Height;
             y += shape.Interlaced ? step[pass] : 1)
            rows.push_back(y);
    std::vector<GifPixelType> line(static_cast<std::size_t>(shape.Width));
    for (const int y : rows) {
        for (int x = 0; x < shape.Width; ++x)
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(PatternIndex(x, y));
        EGifPutLine(gif, line.data(), shape.Width);
    }
    if (shape.SecondImage) {
        EGifPutImageDesc(gif, 0, 0, 2, 2, false, nullptr);
        GifPixelType blue[2] = {3, 3};
        EGifPutLine(gif, blue, 2);
        EGifPutLine(gif, blue, 2);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return path;
}

// A GIF by hand: a two-colour (black, white) screen of the given size and one
// image of the given place and size whose data is one black pixel only.
std::string GifBytes(int screenWidth, int screenHeight, int width, int height)
{
    auto word = [](int v) {
        return std::string{static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
    };
    return "GIF89a" + word(screenWidth) + word(screenHeight) +
           std::string("\x80\x00\x00\x00\x00\x00\xff\xff\xff,", 10) + word(0) + word(0) +
           word(width) + word(height) + std::string("\x00\x02\x02\x44\x01\x00;", 7);
}

// The highest resident memory of this process so far, in MB.
long PeakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Loads a picture and tells how long it took.
QImage TimedLoad(const std::string& path, double& seconds)
{
    const auto start = std::chrono::steady_clock::now();
    QImage picture;
    EXPECT_NO_THROW(picture = LoadPicture(path)) << path;
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return picture;
}

// Wherever the image lies on the logical screen and however large that
// screen claims to be (up to 65535 × 65535 pixels), the picture is the first
// image alone, read at once in next to no memory.
TEST(PictureFile, GifIsItsFirstImageAtItsOwnSize)
{
    TTempDir dir;
    const struct {
        const char* Name;
        TGifShape Shape;
    } cases[] = {
        {"SameAsScreen", {6, 5, 0, 0, 6, 5}},
        {"HugeScreen", {65535, 65535, 0, 0, 1, 1}},
        {"SmallerThanScreen", {40, 30, 3, 2, 6, 5}},
        {"OffsetOutsideScreen", {4, 4, 100, 200, 3, 2}},
        {"LargerThanScreen", {2, 2, 0, 0, 9, 7}},
        {"Interlaced", {5, 11, 0, 0, 5, 11, true}},
        {"TransparentGreen", {6, 5, 0, 0, 6, 5, false, 2}},
        {"SecondImageIgnored", {6, 5, 0, 0, 6, 5, false, NO_TRANSPARENT_COLOR, true}},
        {"WidestAllowed", {MaxPictureSide, 1, 0, 0, MaxPictureSide, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TGifShape& s = c.Shape;
        const std::string path = WriteGif(dir, std::string(c.Name) + ".gif", s);
        const long before = PeakMemoryMb();
        double seconds = 0;
        const QImage picture = TimedLoad(path, seconds);
        EXPECT_LT(seconds, 0.5);
        EXPECT_LT(PeakMemoryMb() - before, 32);
        ASSERT_EQ(picture.size(), QSize(s.Width, s.Height));
        int wrong = 0;
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x) {
                const int index = PatternIndex(x, y);
                const QRgb expected = index == s.Transparent ? qRgb(255, 255, 255) : Palette[index];
                wrong += picture.pixel(x, y) != expected ? 1 : 0;
            }
        EXPECT_EQ(wrong, 0);
    }
}

// Files that claim pictures over the limits, or are damaged: no picture,
// nothing thrown, at once and without the memory the header asks for.
TEST(PictureFile, HostileAndDamagedFilesGiveNoPicture)
{
    TTempDir dir;
    const std::string complete = [&] {
        std::FILE* file =
            std::fopen(WriteGif(dir, "whole.gif", {40, 40, 0, 0, 40, 40}).c_str(), "rb");
        std::string bytes(4096, '\0');
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
        return bytes;
    }();
    const struct {
        const char* Name;
        std::function<std::string()> Write;
    } cases[] = {
        {"GifFrameTooWide",
         [&] {
             return WriteGif(dir, "wide.gif", {5000, 1, 0, 0, MaxPictureSide + 1, 1});
         }},
        {"GifFrameTooTall",
         [&] {
             return WriteGif(dir, "tall.gif", {1, 5000, 0, 0, 1, MaxPictureSide + 1});
         }},
        {"GifFrameOverPixelLimit",
         [&] { return dir.Write("area.gif", GifBytes(4000, 4001, 4000, 4001)); }},
        {"GifLzwBombHeader",
         [&] { return dir.Write("bomb.gif", GifBytes(16000, 16000, 16000, 16000)); }},
        {"GifTruncatedInImage",
         [&] { return dir.Write("cut.gif", complete.substr(0, complete.size() / 2)); }},
        {"GifTruncatedInHeader", [&] { return dir.Write("head.gif", complete.substr(0, 9)); }},
        {"GifWithoutImage",
         [&] { return dir.Write("empty.gif", GifBytes(4, 4, 1, 1).substr(0, 19) + ";"); }},
        {"GifWithoutPalette",
         [&] {
             std::string bytes = GifBytes(1, 1, 1, 1);
             bytes[10] = '\0'; // no global colour table: its six bytes go
             return dir.Write("nomap.gif", bytes.substr(0, 13) + bytes.substr(19));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        double seconds = 0;
        EXPECT_TRUE(TimedLoad(c.Write(), seconds).isNull());
        EXPECT_LT(seconds, 0.5);
    }
}

struct TJpegShape {
    int Width, Height;
    J_COLOR_SPACE Input;   // the samples given
    J_COLOR_SPACE Encoded; // the colour space written
    bool AdobeMarker;
    std::vector<JSAMPLE> Sample; // one pixel's samples, every pixel alike
};

struct TJpegErrorJump {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

// Writes a JPEG through libjpeg's compressor; empty bytes on failure.
std::string JpegBytes(const TJpegShape& shape)
{
    jpeg_compress_struct info{};
    TJpegErrorJump error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<TJpegErrorJump*>(common->err)->Jump, 1);
    };
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row;
    if (setjmp(error.Jump) != 0) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(shape.Width);
    info.image_height = static_cast<JDIMENSION>(shape.Height);
    info.input_components = static_cast<int>(shape.Sample.size());
    info.in_color_space = shape.Input;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, shape.Encoded);
    info.write_Adobe_marker = shape.AdobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int x = 0; x < shape.Width; ++x)
        row.insert(row.end(), shape.Sample.begin(), shape.Sample.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

// Puts another size into a JPEG's frame header.
std::string WithJpegSize(std::string bytes, int width, int height)
{
    const std::size_t frame = bytes.find("\xff\xc0");
    if (frame == std::string::npos)
        return {};
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xff);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xff);
    return bytes;
}

TEST(PictureFile, JpegColourSpacesComeOutAsRgb)
{
    TTempDir dir;
    // Adobe's CMYK is stored inverted: 255 is no ink.
    const struct {
        const char* Name;
        TJpegShape Shape;
        QRgb Expected;
    } cases[] = {
        {"Rgb", {16, 8, JCS_RGB, JCS_YCbCr, false, {10, 200, 30}}, qRgb(10, 200, 30)},
        {"Grey", {16, 8, JCS_GRAYSCALE, JCS_GRAYSCALE, false, {100}}, qRgb(100, 100, 100)},
        {"AdobeCmykRed", {16, 8, JCS_CMYK, JCS_CMYK, true, {255, 0, 0, 255}}, qRgb(255, 0, 0)},
        {"AdobeCmykHalfBlackYellow",
         {16, 8, JCS_CMYK, JCS_CMYK, true, {255, 255, 0, 128}},
         qRgb(128, 128, 0)},
        {"AdobeYcckBlue", {16, 8, JCS_CMYK, JCS_YCCK, true, {0, 0, 255, 255}}, qRgb(0, 0, 255)},
        {"PlainCmykGreen", {16, 8, JCS_CMYK, JCS_CMYK, false, {255, 0, 255, 0}}, qRgb(0, 255, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string bytes = JpegBytes(c.Shape);
        ASSERT_FALSE(bytes.empty());
        const QImage picture = LoadPicture(dir.Write(std::string(c.Name) + ".jpg", bytes));
        ASSERT_EQ(picture.size(), QSize(c.Shape.Width, c.Shape.Height));
        const QRgb pixel = picture.pixel(5, 3);
        EXPECT_NEAR(qRed(pixel), qRed(c.Expected), 4);
        EXPECT_NEAR(qGreen(pixel), qGreen(c.Expected), 4);
        EXPECT_NEAR(qBlue(pixel), qBlue(c.Expected), 4);
    }
}

TEST(PictureFile, HostileJpegAndBitmapHeadersGiveNoPicture)
{
    TTempDir dir;
    const std::string small = JpegBytes({8, 8, JCS_RGB, JCS_YCbCr, false, {200, 10, 10}});
    ASSERT_FALSE(small.empty());
    QImage wide(MaxPictureSide + 1, 1, QImage::Format_RGB32);
    wide.fill(Qt::red);
    const std::string wideBmp = (dir.Path() / "wide.bmp").string();
    ASSERT_TRUE(wide.save(QString::fromStdString(wideBmp), "BMP"));
    // A bitmap header of 20000 × 20000 pixels of 24 bits and no pixels.
    auto dword = [](int v) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xff);
        return bytes;
    };
    const std::string hugeBmp = "BM" + dword(54) + dword(0) + dword(54) + dword(40) + dword(20000) +
                                dword(20000) + std::string("\x01\x00\x18\x00", 4) + dword(0) +
                                dword(0) + dword(2835) + dword(2835) + dword(0) + dword(0);
    const struct {
        const char* Name;
        std::string Path;
    } cases[] = {
        {"Jpeg20000Square", dir.Write("square.jpg", WithJpegSize(small, 20000, 20000))},
        {"JpegTooWide", dir.Write("wide.jpg", WithJpegSize(small, MaxPictureSide + 1, 8))},
        {"JpegOverPixelLimit", dir.Write("area.jpg", WithJpegSize(small, 4000, 4001))},
        {"JpegTruncatedInHeader", dir.Write("cut.jpg", small.substr(0, 40))},
        {"BitmapTooWide", wideBmp},
        {"BitmapHeader20000Square", dir.Write("huge.bmp", hugeBmp)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const long before = PeakMemoryMb();
        double seconds = 0;
        EXPECT_TRUE(TimedLoad(c.Path, seconds).isNull());
        EXPECT_LT(seconds, 0.5);
        EXPECT_LT(PeakMemoryMb() - before, 32);
    }
    // The same small JPEG at its own size is read.
    EXPECT_EQ(LoadPicture(dir.Write("small.jpg", small)).size(), QSize(8, 8));
}

} // namespace
