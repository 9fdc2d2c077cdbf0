#include "report/GifFile.h"

#include "report/AtomicFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <gif_lib.h>
#include <libimagequant.h>
#include <memory>
#include <QIODevice>
#include <QPainter>
#include <unordered_map>

namespace {

constexpr QRgb Black = 0x000000;
constexpr QRgb White = 0xffffff;

// A picture of at most 256 colours: one palette index per pixel, row by row.
struct TIndexedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
    std::vector<QRgb> Palette; // colours without alpha, 0xRRGGBB
};

QImage Stacked(const std::vector<QImage>& pages)
{
    const int width = pages.front().width();
    qint64 height = 0;
    for (const QImage& page : pages)
        height += page.height();
    if (height > MaxGifSide)
        return {};
    QImage all(width, static_cast<int>(height), QImage::Format_RGB32);
    if (all.isNull())
        return all; // no memory for it
    all.fill(Qt::white);
    QPainter painter(&all);
    int y = 0;
    for (const QImage& page : pages) {
        painter.drawImage(0, y, page);
        y += page.height();
    }
    return all;
}

// Colours seen so far, each with its palette index: a small open-addressing
// table, since a page of text has a few dozen greys at most.
class TColourTable {
public:
    TColourTable() { Keys_.fill(Empty); }

    // The colour's index; -1 when it would be the 257th colour.
    int IndexOf(QRgb colour, std::vector<QRgb>& palette)
    {
        std::uint32_t slot = (colour * 2654435761u) >> (32 - Bits);
        while (Keys_[slot] != Empty) {
            if (Keys_[slot] == colour)
                return Indexes_[slot];
            slot = (slot + 1) & (Size - 1);
        }
        if (palette.size() == 256)
            return -1;
        Keys_[slot] = colour;
        Indexes_[slot] = static_cast<std::uint8_t>(palette.size());
        palette.push_back(colour);
        return Indexes_[slot];
    }

private:
    static constexpr int Bits = 10;
    static constexpr std::uint32_t Size = 1u << Bits;
    static constexpr std::uint32_t Empty = 0xffffffffu; // no colour has alpha bits here
    std::array<std::uint32_t, Size> Keys_{};
    std::array<std::uint8_t, Size> Indexes_{};
};

// The picture's own colours when there are at most 256 of them.
bool ExactColours(const QImage& picture, TIndexedPicture& out)
{
    TColourTable table;
    out.Pixels.resize(static_cast<std::size_t>(out.Width) * out.Height);
    std::uint8_t* pixel = out.Pixels.data();
    QRgb last = 0xffffffffu; // no pixel's colour: the first pixel looks itself up
    int lastIndex = -1;
    for (int y = 0; y < out.Height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < out.Width; ++x) {
            const QRgb colour = row[x] & 0xffffff;
            if (colour != last) {
                lastIndex = table.IndexOf(colour, out.Palette);
                if (lastIndex < 0)
                    return false;
                last = colour;
            }
            *pixel++ = static_cast<std::uint8_t>(lastIndex);
        }
    }
    return true;
}

template <typename T, void (*Destroy)(T*)>
struct TLiqDeleter {
    void operator()(T* object) const { Destroy(object); }
};
template <typename T, void (*Destroy)(T*)>
using TLiqPtr = std::unique_ptr<T, TLiqDeleter<T, Destroy>>;

// Reduces a picture of many colours to 256 with libimagequant. The palette
// comes from the picture's colour histogram, black and white among it as
// fixed colours, so its cost follows the number of colours rather than of
// pixels. Every pixel whose colour is in the palette keeps it exactly (paper,
// text); only the rest (a photographic logo) is remapped, dithered, within
// the rectangle that holds them.
QString QuantisedColours(const QImage& picture, TIndexedPicture& out)
{
    const QString failed = QStringLiteral("The picture could not be reduced to 256 colours");
    std::unordered_map<QRgb, unsigned> counts;
    for (int y = 0; y < out.Height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < out.Width;) {
            const QRgb colour = row[x] & 0xffffff;
            int run = 1;
            while (x + run < out.Width && (row[x + run] & 0xffffff) == colour)
                ++run;
            counts[colour] += static_cast<unsigned>(run);
            x += run;
        }
    }
    std::vector<liq_histogram_entry> entries;
    entries.reserve(counts.size());
    for (const auto& [colour, count] : counts)
        entries.push_back({liq_color{static_cast<unsigned char>(qRed(colour)),
                                     static_cast<unsigned char>(qGreen(colour)),
                                     static_cast<unsigned char>(qBlue(colour)), 255},
                           count});

    const TLiqPtr<liq_attr, liq_attr_destroy> attr(liq_attr_create());
    if (!attr)
        return failed;
    liq_set_max_colors(attr.get(), 256);
    // Speed 8 of 1..10: a page's logo in a few milliseconds, the palette a
    // little less fine than the default's, which takes several times longer.
    liq_set_speed(attr.get(), 8);
    const TLiqPtr<liq_histogram, liq_histogram_destroy> histogram(liq_histogram_create(attr.get()));
    if (!histogram ||
        liq_histogram_add_colors(histogram.get(), attr.get(), entries.data(),
                                 static_cast<int>(entries.size()), 0) != LIQ_OK ||
        liq_histogram_add_fixed_color(histogram.get(), liq_color{0, 0, 0, 255}, 0) != LIQ_OK ||
        liq_histogram_add_fixed_color(histogram.get(), liq_color{255, 255, 255, 255}, 0) != LIQ_OK)
        return failed;
    liq_result* raw = nullptr;
    if (liq_histogram_quantize(histogram.get(), attr.get(), &raw) != LIQ_OK || raw == nullptr)
        return failed;
    const TLiqPtr<liq_result, liq_result_destroy> result(raw);
    liq_set_dithering_level(result.get(), 1.0f);

    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        out.Palette.push_back((QRgb(c.r) << 16) | (QRgb(c.g) << 8) | c.b);
    }
    // Fixed colours come back exactly; should one not, it is added, or takes
    // the place of the entry nearest to it.
    auto ensure = [&](QRgb colour) {
        if (std::find(out.Palette.begin(), out.Palette.end(), colour) != out.Palette.end())
            return;
        if (out.Palette.size() < 256) {
            out.Palette.push_back(colour);
            return;
        }
        std::size_t nearest = 0;
        int best = 1 << 30;
        for (std::size_t i = 0; i < out.Palette.size(); ++i) {
            const QRgb c = out.Palette[i];
            const int d = std::abs(qRed(c) - qRed(colour)) + std::abs(qGreen(c) - qGreen(colour)) +
                          std::abs(qBlue(c) - qBlue(colour));
            if (d < best && c != Black && c != White) {
                best = d;
                nearest = i;
            }
        }
        out.Palette[nearest] = colour;
    };
    ensure(Black);
    ensure(White);
    std::unordered_map<QRgb, std::uint8_t> exact;
    for (std::size_t i = out.Palette.size(); i-- > 0;)
        exact[out.Palette[i]] = static_cast<std::uint8_t>(i);

    // Pixels of palette colours take them; the others are marked and boxed.
    out.Pixels.assign(static_cast<std::size_t>(out.Width) * out.Height, 0);
    std::vector<bool> remap(out.Pixels.size(), false);
    int left = out.Width, right = -1, top = out.Height, bottom = -1;
    std::uint8_t* pixel = out.Pixels.data();
    QRgb last = 0xffffffffu; // no pixel's colour
    int lastIndex = -1;      // the last colour's palette index, -1 when not in it
    for (int y = 0; y < out.Height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < out.Width; ++x, ++pixel) {
            const QRgb colour = row[x] & 0xffffff;
            if (colour != last) {
                const auto found = exact.find(colour);
                lastIndex = found != exact.end() ? found->second : -1;
                last = colour;
            }
            if (lastIndex >= 0) {
                *pixel = static_cast<std::uint8_t>(lastIndex);
                continue;
            }
            remap[static_cast<std::size_t>(pixel - out.Pixels.data())] = true;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    const QImage box = picture.copy(left, top, right - left + 1, bottom - top + 1)
                           .convertToFormat(QImage::Format_RGBX8888);
    const TLiqPtr<liq_image, liq_image_destroy> image(
        liq_image_create_rgba(attr.get(), box.constBits(), box.width(), box.height(), 0));
    std::vector<std::uint8_t> boxPixels(static_cast<std::size_t>(box.width()) * box.height());
    if (!image || liq_write_remapped_image(result.get(), image.get(), boxPixels.data(),
                                           boxPixels.size()) != LIQ_OK)
        return failed;
    // The remapped indexes are those of liq's own palette, which the fixed
    // colours may have changed only where it had no exact black or white.
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) {
            const std::size_t at = static_cast<std::size_t>(top + y) * out.Width + left + x;
            if (remap[at])
                out.Pixels[at] = boxPixels[static_cast<std::size_t>(y) * box.width() + x];
        }
    return {};
}

QString Indexed(const QImage& source, TIndexedPicture& out)
{
    const QImage picture =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    out.Width = picture.width();
    out.Height = picture.height();
    if (ExactColours(picture, out))
        return {};
    out.Palette.clear();
    return QuantisedColours(picture, out);
}

// giflib writes through this into the file being saved.
int WriteToDevice(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return static_cast<int>(device->write(reinterpret_cast<const char*>(bytes), length));
}

QString GifError(int code)
{
    const char* text = GifErrorString(code);
    return QStringLiteral("GIF error: ") + QString::fromUtf8(text != nullptr ? text : "unknown");
}

QString Encode(const TIndexedPicture& picture, QIODevice& device)
{
    int bits = 1;
    while ((std::size_t(1) << bits) < picture.Palette.size())
        ++bits;
    const int colours = 1 << bits;
    int error = 0;
    GifFileType* gif = EGifOpen(&device, WriteToDevice, &error);
    if (gif == nullptr)
        return GifError(error);
    ColorMapObject* map = GifMakeMapObject(colours, nullptr);
    if (map == nullptr) {
        EGifCloseFile(gif, &error);
        return GifError(E_GIF_ERR_NOT_ENOUGH_MEM);
    }
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < static_cast<int>(picture.Palette.size())
                           ? picture.Palette[static_cast<std::size_t>(i)]
                           : White;
        map->Colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                          static_cast<GifByteType>(qBlue(c))};
    }
    bool ok = EGifPutScreenDesc(gif, picture.Width, picture.Height, bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, picture.Width, picture.Height, false, nullptr) == GIF_OK;
    auto* row = const_cast<GifPixelType*>(picture.Pixels.data());
    for (int y = 0; ok && y < picture.Height; ++y, row += picture.Width)
        ok = EGifPutLine(gif, row, picture.Width) == GIF_OK;
    const int putError = ok ? 0 : gif->Error;
    GifFreeMapObject(map);
    // Closing writes the trailer and frees giflib's state, also after a failure.
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    if (!ok)
        return GifError(putError);
    return closed ? QString() : GifError(error);
}

QString TooLarge()
{
    return QStringLiteral("The report is too large for one GIF picture (at most %1 pixels "
                          "wide and high)")
        .arg(MaxGifSide);
}

QString WritePicture(const QImage& picture, const QString& path)
{
    if (picture.width() > MaxGifSide || picture.height() > MaxGifSide)
        return TooLarge();
    if (picture.isNull())
        return QStringLiteral("There is no picture to write");
    TIndexedPicture indexed;
    const QString failure = Indexed(picture, indexed);
    if (!failure.isEmpty())
        return failure;
    return WriteFileAtomically(path, [&](QIODevice& device) { return Encode(indexed, device); });
}

} // namespace

QString WriteGifFile(const std::vector<QImage>& pages, const QString& path)
{
    if (pages.empty())
        return QStringLiteral("No pages to write");
    qint64 height = 0;
    for (const QImage& page : pages)
        height += page.height();
    if (height > MaxGifSide || pages.front().width() > MaxGifSide)
        return TooLarge();
    const QImage all = Stacked(pages);
    if (all.isNull())
        return QStringLiteral("Not enough memory for one picture of the %1 pages (%2 x %3 pixels)")
            .arg(pages.size())
            .arg(pages.front().width())
            .arg(height);
    return WritePicture(all, path);
}

QString WriteGifPage(const QImage& page, const QString& path)
{
    return WritePicture(page, path);
}
