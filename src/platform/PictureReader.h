#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QString>

// Pictures the user points us at are read defensively: the format comes from
// the signature bytes (never the extension), only regular files are opened,
// reads are bounded, and a broken or hostile file gives an empty result.

enum class PictureFormat { Unknown, Gif, Jpeg, Png };

PictureFormat PictureFormatOf(QByteArrayView head);

struct PictureSize
{
    PictureFormat format = PictureFormat::Unknown;
    int width = 0;
    int height = 0;
    bool isValid() const { return format != PictureFormat::Unknown && width > 0 && height > 0; }
};

// The size a picture declares in its header, from the bytes given (which may be
// just the start of the file). Invalid when the header is not complete.
PictureSize PictureHeaderSize(QByteArrayView bytes);
// The same from a file; reads only the header, seeking past JPEG segments.
PictureSize ReadPictureSize(const QString &fileName);

struct PictureFrame
{
    QImage image;     // the whole picture as shown at this frame
    int delayMs = 0;  // how long it stays, for animations
};

struct PictureLimits
{
    // Pictures larger than this are not decoded (JPEG is scaled down to fit when it can).
    qint64 maxPixels = 16 * 1024 * 1024;
    // All frames of an animation together; later frames are dropped beyond it.
    qint64 maxAnimationBytes = 96 * 1024 * 1024;
    // Frames of an animation; each also costs more than its pixels.
    int maxFrames = 2000;
    // Files larger than this are not decoded.
    qint64 maxFileBytes = 64 * 1024 * 1024;
    // A progressive JPEG is decoded again in every scan, and a file of a few
    // kilobytes can hold thousands of them. Beyond either cap it is not decoded:
    // its scans, and the 8x8 blocks of all its scans together. A 12-megapixel
    // photo saved progressive by the usual encoders needs about 1.5 million;
    // 2 million take about 50 ms.
    int maxJpegScans = 100;
    qint64 maxJpegScanBlocks = 2 * 1024 * 1024;
};

// A GIF frame shown for less than this plays at this (0 means "as fast as possible").
constexpr int MinimumFrameDelayMs = 20;

struct Picture
{
    PictureSize size;            // as declared by the header, even when not decoded
    QList<PictureFrame> frames;  // empty when it could not be decoded
    bool isNull() const { return frames.isEmpty(); }
};

Picture DecodePicture(QByteArrayView bytes, const PictureLimits &limits = {});
Picture ReadPicture(const QString &fileName, const PictureLimits &limits = {});

// True for a name that can be opened as a regular file (not a folder, FIFO or device).
bool IsRegularFile(const QString &fileName);
