#include "platform/PictureReader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <climits>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gif_lib.h>
#include <jpeglib.h>

namespace {

// Reads up to n bytes at offset; fewer at the end of the data.
using ByteSource = std::function<QByteArray(qint64 offset, qint64 n)>;

int be16(const uchar *p)
{
    return (p[0] << 8) | p[1];
}
qint64 be32(const uchar *p)
{
    return (qint64(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool isJpegFrameMarker(int m)
{
    // SOF0..SOF15 but not DHT (C4), JPG (C8) or DAC (CC).
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// Walks the JPEG segments up to the frame header, reading only segment heads.
PictureSize jpegSize(const ByteSource &read)
{
    qint64 pos = 2;
    for (int segments = 0; segments < 4096; ++segments) {
        QByteArray head = read(pos, 2);
        if (head.size() < 2)
            return {};
        const auto *h = reinterpret_cast<const uchar *>(head.constData());
        if (h[0] != 0xFF)
            return {};
        const int marker = h[1];
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        pos += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue;  // no length
        if (marker == 0xD9 || marker == 0xDA)
            return {};  // image data or end before any frame header
        QByteArray seg = read(pos, isJpegFrameMarker(marker) ? 7 : 2);
        if (seg.size() < 2)
            return {};
        const auto *s = reinterpret_cast<const uchar *>(seg.constData());
        const int length = be16(s);
        if (length < 2)
            return {};
        if (isJpegFrameMarker(marker)) {
            if (seg.size() < 7)
                return {};
            return {PictureFormat::Jpeg, be16(s + 5), be16(s + 3)};
        }
        pos += length;
    }
    return {};
}

PictureSize headerSize(const ByteSource &read)
{
    const QByteArray head = read(0, 24);
    const auto *h = reinterpret_cast<const uchar *>(head.constData());
    switch (PictureFormatOf(head)) {
    case PictureFormat::Gif:
        if (head.size() < 10)
            return {};
        return {PictureFormat::Gif, h[6] | (h[7] << 8), h[8] | (h[9] << 8)};
    case PictureFormat::Png: {
        if (head.size() < 24 || std::memcmp(h + 12, "IHDR", 4) != 0)
            return {};
        const qint64 w = be32(h + 16), ht = be32(h + 20);
        if (w > INT_MAX || ht > INT_MAX)
            return {};
        return {PictureFormat::Png, int(w), int(ht)};
    }
    case PictureFormat::Jpeg:
        return jpegSize(read);
    case PictureFormat::Unknown:
        break;
    }
    return {};
}

ByteSource viewSource(QByteArrayView bytes)
{
    return [bytes](qint64 offset, qint64 n) {
        if (offset < 0 || offset >= bytes.size())
            return QByteArray();
        return bytes.sliced(offset, qMin(n, bytes.size() - offset)).toByteArray();
    };
}

// An open regular file, closed on scope exit. O_NONBLOCK keeps a FIFO swapped
// in after the check from blocking the open.
struct RegularFile
{
    int fd = -1;
    qint64 size = 0;
    explicit RegularFile(const QString &fileName)
    {
        const QByteArray path = QFile::encodeName(fileName);
        if (path.isEmpty())
            return;
        fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd);
            fd = -1;
        }
        if (fd >= 0)
            size = st.st_size;
    }
    ~RegularFile()
    {
        if (fd >= 0)
            ::close(fd);
    }
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;
    QByteArray read(qint64 offset, qint64 n) const
    {
        if (fd < 0 || offset < 0 || n <= 0 || offset >= size)
            return {};
        QByteArray out(qMin(n, size - offset), Qt::Uninitialized);
        qint64 done = 0;
        while (done < out.size()) {
            const ssize_t got = ::pread(fd, out.data() + done, size_t(out.size() - done), off_t(offset + done));
            if (got <= 0)
                break;
            done += got;
        }
        out.truncate(done);
        return out;
    }
};

// ---- JPEG --------------------------------------------------------------

struct JpegError
{
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

// libjpeg's default handler exits the program; ours returns to the decoder.
[[noreturn]] void jpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError *>(info->err)->jump, 1);
}

void jpegNoMessage(j_common_ptr) {}

// A warning means broken data, which libjpeg patches up and goes on with; each
// can cost a pass over the picture (a scan repeated thousands of times is only
// a warning), so a warning ends the decode like an error.
void jpegWarningEnds(j_common_ptr info, int level)
{
    if (level < 0)
        jpegErrorExit(info);
}

struct JpegWork
{
    jpeg_progress_mgr mgr;
    int maxScans;
    qint64 blocksLeft;
    int scansCounted = 0;
};

// Called at least once per row of blocks read, so a new scan is seen before its data is.
void jpegCountWork(j_common_ptr info)
{
    auto *work = reinterpret_cast<JpegWork *>(info->progress);
    auto *cinfo = reinterpret_cast<j_decompress_ptr>(info);
    if (cinfo->input_scan_number <= work->scansCounted)
        return;
    work->scansCounted = cinfo->input_scan_number;
    if (work->scansCounted > work->maxScans)
        jpegErrorExit(info);
    for (int i = 0; i < cinfo->comps_in_scan && i < MAX_COMPS_IN_SCAN; ++i) {
        const jpeg_component_info *c = cinfo->cur_comp_info[i];
        if (c)
            work->blocksLeft -= qint64(c->width_in_blocks) * c->height_in_blocks;
    }
    if (work->blocksLeft < 0)
        jpegErrorExit(info);
}

// Only plain data lives in this function's frame, so leaving it by longjmp skips
// no destructor. The caller owns the image; rows are written straight into it.
bool decodeJpegInto(const uchar *data, size_t size, const PictureLimits &limits, QImage *out)
{
    const qint64 maxPixels = limits.maxPixels;
    jpeg_decompress_struct cinfo;
    JpegError err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.output_message = jpegNoMessage;
    err.mgr.emit_message = jpegWarningEnds;
    JpegWork work{};
    work.mgr.progress_monitor = jpegCountWork;
    work.maxScans = limits.maxJpegScans;
    work.blocksLeft = limits.maxJpegScanBlocks;
    JSAMPLE *row = nullptr;
    if (setjmp(err.jump)) {
        std::free(row);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &work.mgr;
    // Progressive files keep every coefficient of the full-size picture, whatever
    // the scale; beyond this budget libjpeg stops with an error instead.
    cinfo.mem->max_memory_to_use = long(qMin<qint64>(maxPixels * 8, LONG_MAX));
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 14, 0);  // lets libjpeg see the Adobe marker
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    // Scale a large picture down for the preview rather than refusing it.
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
    while (cinfo.scale_denom < 8
           && qint64(cinfo.image_width / cinfo.scale_denom) * (cinfo.image_height / cinfo.scale_denom) > maxPixels)
        cinfo.scale_denom *= 2;
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width == 0 || cinfo.output_height == 0
        || qint64(cinfo.output_width) * cinfo.output_height > maxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    const int channels = cinfo.output_components;
    *out = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (out->isNull() || (channels != 3 && channels != 4)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    row = static_cast<JSAMPLE *>(std::malloc(size_t(cinfo.output_width) * channels));
    if (!row) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // Adobe's CMYK files store the inks inverted.
    const bool inverted = cmyk && cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1)
            break;
        auto *line = reinterpret_cast<QRgb *>(out->scanLine(y));
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
            const JSAMPLE *p = row + size_t(x) * channels;
            if (channels == 3) {
                line[x] = qRgb(p[0], p[1], p[2]);
            } else {
                int c = p[0], m = p[1], ye = p[2], k = p[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    ye = 255 - ye;
                    k = 255 - k;
                }
                line[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
            }
        }
    }
    std::free(row);
    row = nullptr;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// ---- GIF ---------------------------------------------------------------

struct GifInput
{
    QByteArrayView bytes;
    qsizetype pos = 0;
};

int gifRead(GifFileType *gif, GifByteType *buffer, int n)
{
    auto *in = static_cast<GifInput *>(gif->UserData);
    const qsizetype count = qBound(qsizetype(0), qsizetype(n), in->bytes.size() - in->pos);
    if (count > 0)
        std::memcpy(buffer, in->bytes.data() + in->pos, size_t(count));
    in->pos += count;
    return int(count);
}

struct GifCloser
{
    GifFileType *gif;
    ~GifCloser()
    {
        int error = 0;
        if (gif)
            DGifCloseFile(gif, &error);
    }
};

void decodeGif(QByteArrayView bytes, const PictureLimits &limits, Picture &picture)
{
    GifInput input{bytes};
    int error = 0;
    GifCloser closer{DGifOpen(&input, gifRead, &error)};
    GifFileType *gif = closer.gif;
    if (!gif)
        return;
    const int sw = gif->SWidth, sh = gif->SHeight;
    if (sw <= 0 || sh <= 0 || qint64(sw) * sh > limits.maxPixels)
        return;
    const qint64 frameBytes = qint64(sw) * sh * 4;
    QImage canvas(sw, sh, QImage::Format_ARGB32);
    if (canvas.isNull())
        return;
    canvas.fill(Qt::transparent);
    // Work on the declared frames is bounded too: a hostile file can declare
    // frames far beyond the screen that still decompress.
    qint64 workLeft = limits.maxPixels * 16;
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    std::vector<GifPixelType> line;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) != GIF_OK)
            return;
        if (type == TERMINATE_RECORD_TYPE)
            return;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType *ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) != GIF_OK)
                return;
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4)
                DGifExtensionToGCB(ext[0], ext + 1, &gcb);
            while (ext) {
                if (DGifGetExtensionNext(gif, &ext) != GIF_OK)
                    return;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif) != GIF_OK)
            return;
        const GifImageDesc &desc = gif->Image;
        const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        const int fw = desc.Width, fh = desc.Height;
        workLeft -= qint64(fw) * fh;
        if (!map || !map->Colors || fw <= 0 || fh <= 0 || workLeft < 0)
            return;
        if (picture.frames.size() >= limits.maxFrames
            || qint64(picture.frames.size() + 1) * frameBytes > limits.maxAnimationBytes)
            return;  // keep the frames so far
        const QImage before = gcb.DisposalMode == DISPOSE_PREVIOUS ? canvas.copy() : QImage();
        QImage drawn = canvas;
        line.assign(size_t(fw), 0);
        static const int passStart[] = {0, 4, 2, 1}, passStep[] = {8, 8, 4, 2};
        const int passes = desc.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (int r = desc.Interlace ? passStart[pass] : 0; r < fh; r += desc.Interlace ? passStep[pass] : 1) {
                if (DGifGetLine(gif, line.data(), fw) != GIF_OK)
                    return;
                const int y = desc.Top + r;
                if (y < 0 || y >= sh)
                    continue;  // clipped to the screen
                auto *out = reinterpret_cast<QRgb *>(drawn.scanLine(y));
                for (int c = 0; c < fw; ++c) {
                    const int x = desc.Left + c;
                    const int index = line[size_t(c)];
                    if (index == gcb.TransparentColor)
                        continue;
                    if (index >= map->ColorCount)
                        return;  // a colour the map does not hold
                    if (x < 0 || x >= sw)
                        continue;
                    const GifColorType &rgb = map->Colors[index];
                    out[x] = qRgb(rgb.Red, rgb.Green, rgb.Blue);
                }
            }
        }
        const int delay = gcb.DelayTime * 10;
        picture.frames.append({drawn, qMax(delay, MinimumFrameDelayMs)});
        // What the next frame starts from.
        if (gcb.DisposalMode == DISPOSE_BACKGROUND) {
            canvas = drawn;
            QPainter p(&canvas);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(QRect(desc.Left, desc.Top, fw, fh), Qt::transparent);
        } else if (gcb.DisposalMode == DISPOSE_PREVIOUS) {
            canvas = before;
        } else {
            canvas = drawn;
        }
        gcb = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    }
}

// libpng allocates what a chunk declares before reading it; a few bytes can ask
// for hundreds of megabytes. Every chunk must fit in the data we hold.
bool pngChunksFit(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    qint64 pos = 8;
    while (pos + 8 <= bytes.size()) {
        const qint64 length = be32(p + pos);
        if (length > bytes.size() - pos - 12)
            return false;
        pos += 12 + length;
    }
    return true;
}

void decodePng(QByteArrayView bytes, const PictureLimits &limits, Picture &picture)
{
    if (!pngChunksFit(bytes))
        return;
    QByteArray copy = bytes.toByteArray();
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > limits.maxPixels)
        return;
    QImage image = reader.read();
    if (!image.isNull())
        picture.frames.append({image, 0});
}

}  // namespace

PictureFormat PictureFormatOf(QByteArrayView head)
{
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return PictureFormat::Gif;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (head.size() >= 3 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8 && uchar(head[2]) == 0xFF)
        return PictureFormat::Jpeg;
    return PictureFormat::Unknown;
}

PictureSize PictureHeaderSize(QByteArrayView bytes)
{
    return headerSize(viewSource(bytes));
}

bool IsRegularFile(const QString &fileName)
{
    return RegularFile(fileName).fd >= 0;
}

PictureSize ReadPictureSize(const QString &fileName)
{
    const RegularFile file(fileName);
    if (file.fd < 0)
        return {};
    return headerSize([&file](qint64 offset, qint64 n) { return file.read(offset, n); });
}

Picture DecodePicture(QByteArrayView bytes, const PictureLimits &limits)
{
    Picture picture;
    picture.size = PictureHeaderSize(bytes);
    if (!picture.size.isValid() || bytes.size() > limits.maxFileBytes)
        return picture;
    switch (picture.size.format) {
    case PictureFormat::Gif:
        decodeGif(bytes, limits, picture);
        break;
    case PictureFormat::Jpeg: {
        QImage image;
        if (decodeJpegInto(reinterpret_cast<const uchar *>(bytes.data()), size_t(bytes.size()), limits, &image)
            && !image.isNull())
            picture.frames.append({image, 0});
        break;
    }
    case PictureFormat::Png:
        decodePng(bytes, limits, picture);
        break;
    case PictureFormat::Unknown:
        break;
    }
    return picture;
}

Picture ReadPicture(const QString &fileName, const PictureLimits &limits)
{
    const RegularFile file(fileName);
    if (file.fd < 0)
        return {};
    if (file.size > limits.maxFileBytes) {
        Picture picture;
        picture.size = headerSize([&file](qint64 offset, qint64 n) { return file.read(offset, n); });
        return picture;
    }
    const QByteArray bytes = file.read(0, file.size);
    return DecodePicture(bytes, limits);
}
