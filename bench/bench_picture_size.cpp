// The image dialog reads a picture's size on every change of its source: a
// 20 MB JPEG must give its size from the header alone, well under a millisecond.
// Its preview decodes the picture on every change too: a progressive JPEG of
// hundreds of scans must stop at the caps within 50 ms. The previews are timed
// as the user waits for them: read, handed to a shown preview and painted.
#include "BenchHome.h"
#include "platform/PictureReader.h"
#include "widgets/PictureView.h"

#include <QApplication>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// Noise at full quality barely compresses; an Exif-sized block sits before the
// frame header as in camera files.
QString writeBigJpeg(const QString &name)
{
    const int w = 4000, h = 3000;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const QByteArray exif(65000, 'x');
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>(exif.constData()), exif.size());
    QByteArray row(w * 3, '\0');
    QRandomGenerator random(7);
    while (cinfo.next_scanline < cinfo.image_height) {
        random.fillRange(reinterpret_cast<quint32 *>(row.data()), row.size() / 4);
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE *>(row.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QFile f(name);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(buffer), qint64(size));
    std::free(buffer);
    return name;
}

void ReadSizeOfLargeJpeg(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = writeBigJpeg(dir.filePath(QStringLiteral("big.jpg")));
    state.counters["file_MB"] = double(QFileInfo(name).size()) / (1 << 20);
    for (auto _ : state) {
        const PictureSize size = ReadPictureSize(name);
        if (size.width != 4000 || size.height != 3000)
            state.SkipWithError("wrong size");
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(ReadSizeOfLargeJpeg)->Unit(benchmark::kMicrosecond);

// A grey progressive JPEG of 1 + 63 * 11 scans: each AC coefficient in its own
// band, refined bit by bit.
QString writeManyScanJpeg(const QString &name, int side)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(side);
    cinfo.image_height = JDIMENSION(side);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    std::vector<jpeg_scan_info> script;
    script.push_back({1, {0, 0, 0, 0}, 0, 0, 0, 0});
    for (int band = 1; band < 64; ++band) {
        script.push_back({1, {0, 0, 0, 0}, band, band, 0, 10});
        for (int al = 10; al > 0; --al)
            script.push_back({1, {0, 0, 0, 0}, band, band, al, al - 1});
    }
    cinfo.scan_info = script.data();
    cinfo.num_scans = int(script.size());
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(side, '\0');
    QRandomGenerator random(7);
    while (cinfo.next_scanline < cinfo.image_height) {
        random.fillRange(reinterpret_cast<quint32 *>(row.data()), row.size() / 4);
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE *>(row.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QFile f(name);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(buffer), qint64(size));
    std::free(buffer);
    return name;
}

// What the image dialog does on a change of its source: the picture is read
// and the shown preview painted with it.
bool showInPreview(PictureView &view, const QString &name)
{
    const bool shown = view.loadFromFile(name);
    view.repaint();
    return shown;
}

void PreviewManyScanJpeg(benchmark::State &state)
{
    QTemporaryDir dir;
    const int side = int(state.range(0));
    const QString name = writeManyScanJpeg(dir.filePath(QStringLiteral("scans.jpg")), side);
    state.counters["file_MB"] = double(QFileInfo(name).size()) / (1 << 20);
    PictureView view;
    view.resize(400, 300);
    view.show();
    for (auto _ : state) {
        showInPreview(view, name);
        if (ReadPictureSize(name).width != side)
            state.SkipWithError("wrong size");
    }
}
BENCHMARK(PreviewManyScanJpeg)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

// A baseline picture of the largest size the preview decodes unscaled.
void PreviewLargeJpeg(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = writeBigJpeg(dir.filePath(QStringLiteral("big.jpg")));
    PictureView view;
    view.resize(400, 300);
    view.show();
    for (auto _ : state)
        if (!showInPreview(view, name))
            state.SkipWithError("not shown");
}
BENCHMARK(PreviewLargeJpeg)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    return bench::runWithQt(argc, argv);
}
