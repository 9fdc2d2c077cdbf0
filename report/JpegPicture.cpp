#include "report/JpegPicture.h"

#include "report/PictureInput.h"
#include "report/PictureLimits.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace {

// What one decoding holds. It belongs to LoadJpegPicture, whose frame a
// decoding error never leaves: the error jumps back into Decode only, past
// libjpeg's own C frames, so no destructor is skipped, and this releases the
// decoder however decoding ended.
struct TJpegJob {
    jpeg_decompress_struct Info{};
    jpeg_error_mgr Errors{};
    std::jmp_buf Jump{};
    std::FILE* File = nullptr;
    QImage Picture;

    TJpegJob() = default;
    TJpegJob(const TJpegJob&) = delete;
    TJpegJob& operator=(const TJpegJob&) = delete;
    ~TJpegJob() { jpeg_destroy_decompress(&Info); }
};

[[noreturn]] void JumpOut(j_common_ptr common)
{
    std::longjmp(static_cast<TJpegJob*>(common->client_data)->Jump, 1);
}

int Ink(int value, int black)
{
    return value * black / 255;
}

// One row of CMYK samples as RGB. Adobe's files store the inks inverted
// (255 is no ink), which the others do not.
void CmykToRgb(const JSAMPLE* cmyk, QRgb* rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgb[x] = qRgb(Ink(c, k), Ink(m, k), Ink(y, k));
    }
}

// The libjpeg calls between the jump's setting and the end of decoding. No
// object with a destructor lives in this frame; all state is the job's.
bool Decode(TJpegJob* job)
{
    if (setjmp(job->Jump) != 0)
        return false;
    jpeg_decompress_struct& info = job->Info;
    jpeg_create_decompress(&info);
    info.client_data = job;
    jpeg_stdio_src(&info, job->File);
    jpeg_read_header(&info, TRUE);
    if (!IsPictureSizeAllowed(info.image_width, info.image_height))
        return false;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    const JDIMENSION width = info.output_width;
    job->Picture = QImage(static_cast<int>(width), static_cast<int>(info.output_height),
                          cmyk   ? QImage::Format_RGB32
                          : grey ? QImage::Format_Grayscale8
                                 : QImage::Format_RGB888);
    if (job->Picture.isNull())
        return false;
    // CMYK rows go through a row of the decoder's own, freed with it; the
    // others are decoded straight into the picture's rows.
    JSAMPARRAY inks = cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                       JPOOL_IMAGE, width * 4, 1)
                           : nullptr;
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW row = cmyk ? inks[0] : job->Picture.scanLine(y);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return false;
        if (cmyk)
            CmykToRgb(inks[0], reinterpret_cast<QRgb*>(job->Picture.scanLine(y)), width,
                      info.saw_Adobe_marker != FALSE);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage LoadJpegPicture(const std::string& path)
{
    const TPictureInput file = OpenPicture(path);
    if (file == nullptr)
        return {};
    TJpegJob job;
    job.File = file.get();
    job.Info.err = jpeg_std_error(&job.Errors);
    job.Errors.error_exit = JumpOut;
    job.Info.client_data = &job;
    if (!Decode(&job))
        return {};
    return job.Picture.convertToFormat(QImage::Format_RGB32);
}
