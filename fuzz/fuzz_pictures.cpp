// The picture reader over any bytes: the header size and every decoder end
// without a crash, and what they give agrees with the header and the caps.
#include "platform/PictureReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const PictureSize header = PictureHeaderSize(bytes);
    // Small caps keep each run quick; the checks are the same.
    PictureLimits limits;
    limits.maxPixels = 256 * 256;
    limits.maxAnimationBytes = 4 * 256 * 256 * 4;
    const Picture picture = DecodePicture(bytes, limits);
    if (picture.size.format != header.format || picture.size.width != header.width)
        std::abort();
    qint64 bytesHeld = 0;
    for (const PictureFrame &frame : picture.frames) {
        if (frame.image.isNull() || qint64(frame.image.width()) * frame.image.height() > limits.maxPixels)
            std::abort();
        if (header.format == PictureFormat::Gif
            && (frame.image.width() != header.width || frame.image.height() != header.height
                || frame.delayMs < MinimumFrameDelayMs))
            std::abort();
        bytesHeld += frame.image.sizeInBytes();
    }
    if (bytesHeld > limits.maxAnimationBytes + limits.maxPixels * 4)
        std::abort();
    return 0;
}
