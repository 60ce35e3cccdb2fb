#pragma once
// Pictures made by the libraries' own writers, so the reader is tested on what
// real programs write rather than on files we shipped.

#include <QByteArray>
#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>

#include <cstdio>
#include <cstdlib>

#include <gif_lib.h>
#include <jpeglib.h>
#include <vector>

enum class JpegKind { Rgb, Grey, Progressive, Cmyk };

inline QByteArray makeJpeg(int width, int height, JpegKind kind = JpegKind::Rgb)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    const int channels = kind == JpegKind::Grey ? 1 : kind == JpegKind::Cmyk ? 4 : 3;
    cinfo.input_components = channels;
    cinfo.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : kind == JpegKind::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (kind == JpegKind::Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(width * channels, '\0');
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                // A red picture. CMYK is stored inverted, as in Adobe's files (which
                // libjpeg marks as such): no cyan, full magenta and yellow, no black.
                row[x * channels + c] = char(kind == JpegKind::Cmyk ? (c == 1 || c == 2 ? 0 : 255)
                                                                    : (c == 0 ? 220 : 30));
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE *>(row.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char *>(buffer), int(size));
    std::free(buffer);
    return out;
}

// A grey progressive JPEG whose 63 AC coefficients each come in their own run of
// successive-approximation scans: 1 + 63 * (refinements + 1) scans, all valid.
inline QByteArray makeManyScanJpeg(int width, int height, int refinements = 9)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    std::vector<jpeg_scan_info> script;
    script.push_back({1, {0, 0, 0, 0}, 0, 0, 0, 0});
    for (int band = 1; band < 64; ++band) {
        script.push_back({1, {0, 0, 0, 0}, band, band, 0, refinements});
        for (int al = refinements; al > 0; --al)
            script.push_back({1, {0, 0, 0, 0}, band, band, al, al - 1});
    }
    cinfo.scan_info = script.data();
    cinfo.num_scans = int(script.size());
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(width, '\0');
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < width; ++x)
            row[x] = char((x * 7 + int(cinfo.next_scanline) * 13) & 0xff);  // detail in every coefficient
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE *>(row.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char *>(buffer), int(size));
    std::free(buffer);
    return out;
}

struct GifFrameSpec
{
    int left, top, width, height;
    int delayCs;           // hundredths of a second
    int transparent = -1;  // colour index, -1 none
    bool interlaced = false;
    // Colour index of pixel (x, y) of the frame.
    int (*pixel)(int x, int y) = [](int x, int y) { return (x + y) % 4; };
};

// The four colours of every generated GIF.
inline QList<QColor> gifColours()
{
    return {Qt::black, Qt::red, Qt::green, Qt::blue};
}

inline int gifWrite(GifFileType *gif, const GifByteType *data, int n)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), n);
    return n;
}

inline QByteArray makeGif(int width, int height, const QList<GifFrameSpec> &frames)
{
    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, gifWrite, &error);
    EGifSetGifVersion(gif, true);
    GifColorType colours[4];
    const QList<QColor> c = gifColours();
    for (int i = 0; i < 4; ++i)
        colours[i] = {GifByteType(c[i].red()), GifByteType(c[i].green()), GifByteType(c[i].blue())};
    ColorMapObject *map = GifMakeMapObject(4, colours);
    EGifPutScreenDesc(gif, width, height, 2, 0, map);
    for (const GifFrameSpec &f : frames) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, f.delayCs, f.transparent};
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlaced, nullptr);
        QList<int> order;
        if (f.interlaced) {
            const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int p = 0; p < 4; ++p)
                for (int y = start[p]; y < f.height; y += step[p])
                    order.append(y);
        } else {
            for (int y = 0; y < f.height; ++y)
                order.append(y);
        }
        QByteArray line(f.width, '\0');
        for (int y : order) {
            for (int x = 0; x < f.width; ++x)
                line[x] = char(f.pixel(x, y));
            EGifPutLine(gif, reinterpret_cast<GifPixelType *>(line.data()), f.width);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

inline QByteArray makePng(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

inline bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
