// GIF pictures of report pages, decoded back with giflib: pages stacked in
// order, exact colours up to 256, a photographic area reduced closely with
// paper and text exact, and failed writes that leave nothing behind.
#include "report/GifFile.h"

#include "support/TempDir.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <memory>
#include <QPainter>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The first image of a GIF file through giflib, or a null picture.
QImage DecodeGif(const fs::path& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr)
        return {};
    const std::unique_ptr<GifFileType, void (*)(GifFileType*)> closer(
        gif, [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount != 1)
        return {};
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map =
        frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (map == nullptr || frame.ImageDesc.Width != gif->SWidth ||
        frame.ImageDesc.Height != gif->SHeight)
        return {};
    QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    for (int y = 0; y < gif->SHeight; ++y)
        for (int x = 0; x < gif->SWidth; ++x) {
            const GifColorType& c =
                map->Colors[frame.RasterBits[static_cast<std::size_t>(y) * gif->SWidth + x]];
            image.setPixel(x, y, qRgb(c.Red, c.Green, c.Blue));
        }
    return image;
}

// A page of "text" on white paper: black bars, anti-aliasing greys and a
// coloured rule, different on each page.
QImage TextPage(int number, int width = 160, int height = 220)
{
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int line = 0; line < 8; ++line) {
        const int y = 20 + line * 22 + number * 3;
        for (int x = 10; x < 20 + 15 * (line + number); ++x) {
            page.setPixel(x, y, qRgb(0, 0, 0));
            page.setPixel(x, y + 1, qRgb(0, 0, 0));
            const int grey = 40 + 25 * ((x + line) % 8);
            page.setPixel(x, y + 2, qRgb(grey, grey, grey));
        }
    }
    for (int x = 0; x < width; ++x)
        page.setPixel(x, 5 + number, qRgb(200, 30 * number, 10));
    return page;
}

// Text with a photographic logo: a colour gradient with noise, far more than
// 256 colours, beside black text on white paper.
QImage PhotoPage()
{
    QImage page = TextPage(0, 300, 300);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            auto clamp = [](int v) { return std::max(1, std::min(254, v)); };
            page.setPixel(170 + x, 170 + y,
                          qRgb(clamp(x * 2 + noise(random)), clamp(y * 2 + noise(random)),
                               clamp(255 - x - y / 2 + noise(random))));
        }
    return page;
}

int ColourCount(const QImage& image)
{
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.push_back(image.pixel(x, y) & 0xffffff);
    std::sort(colours.begin(), colours.end());
    return static_cast<int>(std::unique(colours.begin(), colours.end()) - colours.begin());
}

// The first pixel where the two differ, as "x,y", or empty when equal.
std::string FirstDifference(const QImage& a, const QImage& b, int offsetY = 0)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xffffff) != (b.pixel(x, y + offsetY) & 0xffffff))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

TEST(GifFileTest, ThreePagesStackInOrderPixelForPixel)
{
    TTempDir dir;
    const std::vector<QImage> pages{TextPage(0), TextPage(1), TextPage(2)};
    const fs::path path = dir.Path() / "Report.gif";
    ASSERT_EQ(WriteGifFile(pages, QString::fromStdString(path.string())), QString());
    const QImage decoded = DecodeGif(path);
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.width(), 160);
    EXPECT_EQ(decoded.height(), 3 * 220);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(FirstDifference(pages[static_cast<std::size_t>(i)], decoded, i * 220), "")
            << "page " << i;
    // Nothing is left beside the picture.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// Up to 256 colours stay exact whichever they are (no room is kept for a
// colour the page does not have); from 257 on the palette is reduced.
TEST(GifFileTest, ColourCountDecidesBetweenExactAndReducedPalette)
{
    for (const int colours : {2, 255, 256, 257}) {
        SCOPED_TRACE(colours);
        QImage page(64, 64, QImage::Format_RGB32);
        for (int i = 0; i < 64 * 64; ++i) {
            const int c = i % colours;
            // Neither black nor white among them.
            page.setPixel(i % 64, i / 64, qRgb(1 + c % 200, 1 + c / 200 * 50, 77));
        }
        ASSERT_EQ(ColourCount(page), colours);
        TTempDir dir;
        const fs::path path = dir.Path() / "page0.gif";
        ASSERT_EQ(WriteGifPage(page, QString::fromStdString(path.string())), QString());
        const QImage decoded = DecodeGif(path);
        ASSERT_EQ(decoded.size(), page.size());
        if (colours <= 256)
            EXPECT_EQ(FirstDifference(page, decoded), "");
        else
            EXPECT_LE(ColourCount(decoded), 256);
    }
}

TEST(GifFileTest, PhotographicAreaIsCloseAndPaperAndTextExact)
{
    const QImage page = PhotoPage();
    ASSERT_GT(ColourCount(page), 256);
    TTempDir dir;
    const fs::path path = dir.Path() / "photo.gif";
    ASSERT_EQ(WriteGifPage(page, QString::fromStdString(path.string())), QString());
    const QImage decoded = DecodeGif(path);
    ASSERT_EQ(decoded.size(), page.size());
    double error = 0;
    int photoPixels = 0, maxError = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb want = page.pixel(x, y) & 0xffffff, got = decoded.pixel(x, y) & 0xffffff;
            if (want == 0xffffff || want == 0) {
                ASSERT_EQ(got, want) << "at " << x << "," << y;
                continue;
            }
            const int e = std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                          std::abs(qBlue(want) - qBlue(got));
            error += e;
            maxError = std::max(maxError, e);
            ++photoPixels;
        }
    // Dithering spreads the error: small on average, bounded everywhere.
    EXPECT_LT(error / photoPixels / 3, 6.0);
    EXPECT_LT(maxError, 3 * 40);
    RecordProperty("meanError", std::to_string(error / photoPixels / 3));
    RecordProperty("maxError", maxError);
}

// A write that cannot be done returns the system's reason and leaves nothing
// at the path; an old file there stays as it was.
TEST(GifFileTest, FailedWriteLeavesNothingAtThePath)
{
    TTempDir dir;
    const std::string notAFolder = dir.Write("plain", "x");
    const QString underAFile = QString::fromStdString(notAFolder + "/Report.gif");
    EXPECT_EQ(WriteGifFile({TextPage(0)}, underAFile), "Not a directory");
    EXPECT_FALSE(fs::exists(notAFolder + "/Report.gif"));

    // Taller than a GIF can say: refused before anything is written, and the
    // file that was there before stays.
    const std::string old = dir.Write("Long.gif", "old");
    const std::vector<QImage> tall(2, QImage(4, MaxGifSide / 2 + 1, QImage::Format_RGB32));
    EXPECT_NE(WriteGifFile(tall, QString::fromStdString(old)), QString());
    std::ifstream in(old);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

TEST(GifFileTest, FolderWithoutWritePermissionGivesTheSystemsReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TTempDir dir;
    const fs::path folder = dir.Path() / "locked";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const fs::path path = folder / "Report.gif";
    EXPECT_EQ(WriteGifFile({TextPage(0)}, QString::fromStdString(path.string())),
              "Permission denied");
    EXPECT_FALSE(fs::exists(path));
    fs::permissions(folder, fs::perms::owner_all);
}

TEST(GifFileTest, ExistingFileIsReplaced)
{
    TTempDir dir;
    const std::string path = dir.Write("Report.gif", "an older picture");
    ASSERT_EQ(WriteGifPage(TextPage(1), QString::fromStdString(path)), QString());
    EXPECT_EQ(FirstDifference(TextPage(1), DecodeGif(path)), "");
}

} // namespace

#if !defined(__SANITIZE_ADDRESS__)
// Pages that fit one GIF picture but not into the memory left: the reason is
// the memory, not the picture's size. Run in a child process whose address
// space is limited to a little more than it uses already.
TEST(GifFileTest, PagesThatCannotBeStackedForLackOfMemorySaySo)
{
    TTempDir dir;
    const std::vector<QImage> pages(4, QImage(4000, 8000, QImage::Format_RGB32));
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(channel[0]);
        long pagesInUse = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pagesInUse) != 1)
                pagesInUse = 0;
            std::fclose(statm);
        }
        const rlim_t limit = static_cast<rlim_t>(pagesInUse) * ::sysconf(_SC_PAGESIZE) + (64 << 20);
        const rlimit space{limit, limit};
        ::setrlimit(RLIMIT_AS, &space);
        const QByteArray reason =
            WriteGifFile(pages, QString::fromStdString((dir.Path() / "all.gif").string())).toUtf8();
        if (::write(channel[1], reason.constData(), static_cast<std::size_t>(reason.size())) < 0)
            _exit(2);
        _exit(0);
    }
    ::close(channel[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        reason.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(reason, "Not enough memory for one picture of the 4 pages (4000 x 32000 pixels)");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "all.gif"));
}
#endif
