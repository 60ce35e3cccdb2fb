#include "support/PictureFiles.h"
#include "platform/PictureReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

int stripes(int x, int y)
{
    return (x / 3 + y) % 4;
}

// A 1x1 GIF with a two-colour global map (or none) whose one pixel is the index
// given, LZW-coded by hand: clear, the pixel, end, in 3-bit codes.
QByteArray tinyGif(int index, bool withMap = true)
{
    QByteArray g("GIF89a\x01\x00\x01\x00", 10);
    g += char(withMap ? 0x80 : 0x00);
    g += QByteArray("\x00\x00", 2);
    if (withMap)
        g += QByteArray("\x00\x00\x00\xff\xff\xff", 6);
    g += QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02", 12);
    const int bits = 4 | (index << 3) | (5 << 6);
    g += char(bits & 0xff);
    g += char(bits >> 8);
    g += QByteArray("\x00\x3b", 2);
    return g;
}

QByteArray withScreen(QByteArray gif, int w, int h)
{
    gif[6] = char(w & 0xff);
    gif[7] = char(w >> 8);
    gif[8] = char(h & 0xff);
    gif[9] = char(h >> 8);
    return gif;
}

struct Sample
{
    const char *name;
    QByteArray bytes;
    PictureFormat format;
};

QList<Sample> samples()
{
    return {
        {"rgb.jpg", makeJpeg(120, 80), PictureFormat::Jpeg},
        {"grey.jpg", makeJpeg(120, 80, JpegKind::Grey), PictureFormat::Jpeg},
        {"progressive.jpg", makeJpeg(120, 80, JpegKind::Progressive), PictureFormat::Jpeg},
        {"cmyk.jpg", makeJpeg(120, 80, JpegKind::Cmyk), PictureFormat::Jpeg},
        {"static.gif", makeGif(120, 80, {{0, 0, 120, 80, 0}}), PictureFormat::Gif},
        {"interlaced.gif", makeGif(120, 80, {{0, 0, 120, 80, 0, -1, true, stripes}}), PictureFormat::Gif},
        {"animated.gif", makeGif(120, 80, {{0, 0, 120, 80, 10}, {10, 10, 20, 20, 0}}), PictureFormat::Gif},
        {"picture.png", makePng(120, 80), PictureFormat::Png},
    };
}

}  // namespace

TEST(PictureReader, SizesComeFromTheSignatureNotTheExtension)
{
    QTemporaryDir dir;
    for (const Sample &s : samples()) {
        // Every file carries an extension of another format.
        const QString name = dir.filePath(QString::fromLatin1(s.name)
                                          + (s.format == PictureFormat::Png ? ".gif" : ".png"));
        ASSERT_TRUE(writeFile(name, s.bytes));
        const PictureSize size = ReadPictureSize(name);
        EXPECT_EQ(size.format, s.format) << s.name;
        EXPECT_EQ(size.width, 120) << s.name;
        EXPECT_EQ(size.height, 80) << s.name;
        const Picture picture = ReadPicture(name);
        ASSERT_FALSE(picture.isNull()) << s.name;
        EXPECT_EQ(picture.frames.first().image.size(), QSize(120, 80)) << s.name;
    }
}

TEST(PictureReader, DecodedColours)
{
    // Lossy JPEG: near the red written; CMYK with magenta and yellow is red too.
    for (JpegKind kind : {JpegKind::Rgb, JpegKind::Progressive, JpegKind::Cmyk}) {
        const Picture p = DecodePicture(makeJpeg(16, 16, kind));
        ASSERT_FALSE(p.isNull());
        const QColor c = p.frames[0].image.pixelColor(8, 8);
        EXPECT_GT(c.red(), 180);
        EXPECT_LT(c.green(), 70);
    }
    const QColor grey = DecodePicture(makeJpeg(16, 16, JpegKind::Grey)).frames[0].image.pixelColor(8, 8);
    EXPECT_EQ(grey.red(), grey.green());

    // GIF is exact, and an interlaced file gives the same rows as a plain one.
    const Picture plain = DecodePicture(makeGif(30, 21, {{0, 0, 30, 21, 0, -1, false, stripes}}));
    const Picture interlaced = DecodePicture(makeGif(30, 21, {{0, 0, 30, 21, 0, -1, true, stripes}}));
    ASSERT_FALSE(plain.isNull());
    ASSERT_FALSE(interlaced.isNull());
    EXPECT_EQ(plain.frames[0].image, interlaced.frames[0].image);
    for (int y : {0, 5, 20})
        EXPECT_EQ(plain.frames[0].image.pixelColor(7, y), gifColours()[stripes(7, y)]) << y;
}

TEST(PictureReader, AnimationFramesAndDelays)
{
    const auto one = [](int, int) { return 1; };
    const auto three = [](int, int) { return 3; };
    const QByteArray gif = makeGif(10, 10,
                                   {{0, 0, 10, 10, 0, -1, false, one},
                                    {2, 2, 4, 4, 5, -1, false, three},
                                    // Index 3 is transparent: this frame shows what was there.
                                    {0, 0, 10, 10, 1, 3, false, three}});
    const Picture p = DecodePicture(gif);
    ASSERT_EQ(p.frames.size(), 3);
    // Delays in ms; under 20 ms plays at 20.
    EXPECT_EQ(p.frames[0].delayMs, 20);
    EXPECT_EQ(p.frames[1].delayMs, 50);
    EXPECT_EQ(p.frames[2].delayMs, 20);
    EXPECT_EQ(p.frames[1].image.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(p.frames[1].image.pixelColor(3, 3), QColor(Qt::blue));
    EXPECT_EQ(p.frames[2].image, p.frames[1].image);

    // The animation's memory is capped: frames past it are dropped.
    PictureLimits small;
    small.maxAnimationBytes = 10 * 10 * 4 * 2;
    EXPECT_EQ(DecodePicture(gif, small).frames.size(), 2);
    PictureLimits few;
    few.maxFrames = 1;
    EXPECT_EQ(DecodePicture(gif, few).frames.size(), 1);
}

TEST(PictureReader, BrokenAndHostileInput)
{
    QByteArray bigJpeg = makeJpeg(16, 16);
    const qsizetype sof = bigJpeg.indexOf("\xff\xc0");
    ASSERT_GT(sof, 0);
    bigJpeg[sof + 5] = bigJpeg[sof + 6] = bigJpeg[sof + 7] = bigJpeg[sof + 8] = char(0xEA);  // 60138 x 60138
    QByteArray bigPng = makePng(4, 4);
    bigPng[16] = bigPng[20] = char(0x7f);

    const struct
    {
        const char *what;
        QByteArray bytes;
        PictureSize size;  // header size expected
        bool decoded;
    } cases[] = {
        {"valid tiny gif", tinyGif(1), {PictureFormat::Gif, 1, 1}, true},
        {"index past the colour map", tinyGif(3), {PictureFormat::Gif, 1, 1}, false},
        {"no colour map", tinyGif(1, false), {PictureFormat::Gif, 1, 1}, false},
        {"huge gif screen", withScreen(tinyGif(1), 10000, 10000), {PictureFormat::Gif, 10000, 10000}, false},
        {"zero gif screen", withScreen(tinyGif(1), 0, 0), {PictureFormat::Gif, 0, 0}, false},
        {"huge jpeg", bigJpeg, {PictureFormat::Jpeg, 60138, 60138}, false},
        {"huge png", bigPng, {PictureFormat::Png, 0x7f000004, 0x7f000004}, false},
        {"scan before frame header", QByteArray("\xff\xd8\xff\xda\x00\x02", 6), {}, false},
        {"segment length under two", QByteArray("\xff\xd8\xff\xe0\x00\x01\xff\xc0", 8), {}, false},
        {"fill bytes before the frame",
         QByteArray("\xff\xd8\xff\xff\xff\xc0\x00\x0b\x08\x00\x02\x00\x03", 13),
         {PictureFormat::Jpeg, 3, 2},
         false},
        // A chunk declaring 700 MB in a small file is not handed to libpng.
        {"png chunk longer than the file",
         makePng(4, 4).insert(33, QByteArray("\x2a\x00\x00\x00tEXt", 8)),
         {PictureFormat::Png, 4, 4},
         false},
        {"text", QByteArray("<html>"), {}, false},
        {"empty", QByteArray(), {}, false},
    };
    for (const auto &c : cases) {
        const PictureSize size = PictureHeaderSize(c.bytes);
        EXPECT_EQ(size.format, c.size.format) << c.what;
        EXPECT_EQ(size.width, c.size.width) << c.what;
        EXPECT_EQ(size.height, c.size.height) << c.what;
        const Picture p = DecodePicture(c.bytes);
        EXPECT_EQ(!p.isNull(), c.decoded) << c.what;
        EXPECT_EQ(p.size.width, c.size.width) << c.what;
    }
}

TEST(PictureReader, FramesAreClippedToTheScreen)
{
    const Picture p = DecodePicture(makeGif(8, 8, {{4, 4, 10, 10, 0, -1, false, [](int, int) { return 2; }}}));
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.frames[0].image.size(), QSize(8, 8));
    EXPECT_EQ(p.frames[0].image.pixelColor(7, 7), QColor(Qt::green));
    EXPECT_EQ(p.frames[0].image.pixelColor(0, 0).alpha(), 0);
}

TEST(PictureReader, EveryTruncationIsQuiet)
{
    for (const Sample &s : samples()) {
        const PictureSize full = PictureHeaderSize(s.bytes);
        for (qsizetype n = 0; n < s.bytes.size(); n += (n < 600 ? 1 : 37)) {
            const QByteArrayView part(s.bytes.constData(), n);
            const PictureSize size = PictureHeaderSize(part);
            // A header is either whole or not there.
            if (size.isValid()) {
                EXPECT_EQ(size.width, full.width) << s.name << n;
            }
            const Picture p = DecodePicture(part);
            if (!p.isNull()) {
                EXPECT_FALSE(p.frames[0].image.isNull()) << s.name << n;
            }
        }
    }
}

TEST(PictureReader, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.gif");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString gifInFolder = dir.filePath("folder.gif");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.gif"));
    for (const QString &name :
         {fifo, gifInFolder, QStringLiteral("/dev/zero"), dir.filePath("missing.gif"), QString()}) {
        // Returns at once: nobody writes to the FIFO.
        EXPECT_FALSE(ReadPictureSize(name).isValid()) << name.toStdString();
        EXPECT_TRUE(ReadPicture(name).isNull()) << name.toStdString();
        EXPECT_FALSE(IsRegularFile(name)) << name.toStdString();
    }
}

// Thousands of scans in a few kilobytes: every scan is another pass over the
// picture, so the preview stops at the cap instead of holding the dialog. The
// size still comes from the header.
TEST(PictureReader, ManyScanJpegStopsAtTheScanCap)
{
    const QByteArray many = makeManyScanJpeg(64, 48);
    const qsizetype scans = many.count(QByteArrayView("\xff\xda", 2));
    ASSERT_EQ(scans, 1 + 63 * 10);
    const PictureLimits defaults;
    ASSERT_GT(scans, defaults.maxJpegScans);

    PictureLimits roomy;
    roomy.maxJpegScans = 1000;
    PictureLimits fewBlocks = roomy;
    fewBlocks.maxJpegScanBlocks = 48 * 50;  // 48 blocks a scan: about 50 scans

    const struct
    {
        const char *what;
        QByteArray bytes;
        PictureLimits limits;
        bool decoded;
    } cases[] = {
        {"many scans", many, defaults, false},
        {"many scans, cap raised", many, roomy, true},
        {"many scans, block budget", many, fewBlocks, false},
        {"ten scans", makeJpeg(64, 48, JpegKind::Progressive), defaults, true},
        {"one scan", makeJpeg(64, 48), fewBlocks, true},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Picture p = DecodePicture(c.bytes, c.limits);
        EXPECT_EQ(!p.isNull(), c.decoded);
        EXPECT_EQ(p.size.width, 64);
        EXPECT_EQ(p.size.height, 48);
        const QString name = dir.filePath("p.jpg");
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        const PictureSize size = ReadPictureSize(name);
        EXPECT_TRUE(size.isValid());
        EXPECT_EQ(size.width, 64);
        EXPECT_EQ(ReadPicture(name, c.limits).isNull(), !c.decoded);
    }
}

// libjpeg only warns about a scan that repeats what an earlier one refined and
// decodes it again; the same scan a thousand times is a thousand passes.
TEST(PictureReader, JpegWarningsEndTheDecode)
{
    const QByteArray good = makeJpeg(64, 48, JpegKind::Progressive);
    // The last scan again, twice, before the end marker.
    const qsizetype lastScan = good.lastIndexOf(QByteArrayView("\xff\xda", 2));
    const qsizetype end = good.lastIndexOf(QByteArrayView("\xff\xd9", 2));
    ASSERT_GT(lastScan, 0);
    ASSERT_GT(end, lastScan);
    const QByteArray scan = good.mid(lastScan, end - lastScan);
    const QByteArray repeated = good.left(end) + scan + scan + good.mid(end);
    PictureLimits roomy;
    roomy.maxJpegScans = 1000;
    EXPECT_FALSE(DecodePicture(good, roomy).isNull());
    const Picture p = DecodePicture(repeated, roomy);
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(p.size.width, 64);
}
