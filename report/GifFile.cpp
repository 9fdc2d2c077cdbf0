#include "report/GifFile.h"

#include <cerrno>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace {

QImage Stacked(const std::vector<QImage>& pages)
{
    const int width = pages.front().width();
    int height = 0;
    for (const QImage& page : pages)
        height += page.height();
    QImage all(width, height, QImage::Format_RGB32);
    all.fill(Qt::white);
    QPainter painter(&all);
    int y = 0;
    for (const QImage& page : pages) {
        painter.drawImage(0, y, page);
        y += page.height();
    }
    return all;
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
    return QStringLiteral("GIF error: ") + (text != nullptr ? text : "unknown");
}

} // namespace

QString WriteGifFile(const std::vector<QImage>& pages, const QString& path)
{
    if (pages.empty())
        return QStringLiteral("No pages to write");
    // Qt keeps the exact colours of a picture of up to 256 of them, and maps
    // more onto its colour cube, where black and white are exact.
    const QImage indexed = Stacked(pages).convertToFormat(QImage::Format_Indexed8,
                                                          Qt::ThresholdDither | Qt::AvoidDither);
    const QList<QRgb> table = indexed.colorTable();
    int bits = 1;
    while ((1 << bits) < table.size())
        ++bits;
    const int colours = 1 << bits;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    int error = 0;
    GifFileType* gif = EGifOpen(&file, WriteToDevice, &error);
    if (gif == nullptr)
        return GifError(error);
    ColorMapObject* map = GifMakeMapObject(colours, nullptr);
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(255, 255, 255);
        map->Colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                          static_cast<GifByteType>(qBlue(c))};
    }
    bool ok =
        EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)),
                         indexed.width()) == GIF_OK;
    const int lastError = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    if (!ok) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? file.errorString()
                                                    : GifError(lastError != 0 ? lastError : error);
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
