#include "report/PictureFile.h"

#include "report/GifPicture.h"
#include "report/JpegPicture.h"
#include "report/PictureLimits.h"

#include <exception>
#include <QFileInfo>
#include <QImageReader>

namespace {

// A Windows bitmap through Qt's reader, whose header gives the size before
// any pixel is read.
QImage LoadBitmap(const QString& path)
{
    QImageReader reader(path, "BMP");
    const QSize size = reader.size();
    if (!IsPictureSizeAllowed(size.width(), size.height()))
        return {};
    return reader.read();
}

} // namespace

QImage LoadPicture(const std::string& path)
{
    // The decoders own what they hold, so running out of memory half-way
    // leaves nothing behind either: it is one more picture not read.
    try {
        const QString name = QString::fromStdString(path);
        const QString extension = QFileInfo(name).suffix().toLower();
        if (extension == "gif")
            return LoadGifPicture(path);
        if (extension == "jpg")
            return LoadJpegPicture(path);
        return LoadBitmap(name);
    } catch (const std::exception&) {
        return {};
    }
}
