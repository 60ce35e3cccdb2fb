#pragma once

#include "editor/ColorMemo.h"

#include <QFontDatabase>
#include <QImage>
#include <QTest>

#include <memory>

// A shown editor with a large fixed font, so glyph stems give pixels of the
// exact text colour in a grab.
inline std::unique_ptr<TColorMemo> shownMemo(const QByteArray &text, int width = 600, int height = 300)
{
    auto memo = std::make_unique<TColorMemo>();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(16);
    font.setBold(true);
    memo->setFont(font);
    memo->resize(width, height);
    memo->loadBytes(text);
    memo->show();
    (void)QTest::qWaitForWindowExposed(memo.get());
    return memo;
}

inline int lineHeight(TColorMemo &memo)
{
    return int(memo.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL));
}

// Where bytes [from, to) of one line stand in the viewport.
inline QRect textRect(TColorMemo &memo, int from, int to)
{
    using B = QsciScintillaBase;
    const int x1 = int(memo.SendScintilla(B::SCI_POINTXFROMPOSITION, 0UL, long(from)));
    const int x2 = int(memo.SendScintilla(B::SCI_POINTXFROMPOSITION, 0UL, long(to)));
    const int y = int(memo.SendScintilla(B::SCI_POINTYFROMPOSITION, 0UL, long(from)));
    return QRect(x1, y, x2 - x1, lineHeight(memo));
}

inline QImage grabView(TColorMemo &memo)
{
    return memo.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels within tolerance of the colour inside the rectangle.
inline int countColor(const QImage &image, const QRect &rect, QColor color, int tolerance = 40)
{
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - color.red()) <= tolerance && std::abs(qGreen(p) - color.green()) <= tolerance
                && std::abs(qBlue(p) - color.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

// Pixels that are clearly coloured (not white, grey or black).
inline int countTinted(const QImage &image, const QRect &rect)
{
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
            const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
            if (hi - lo > 60)
                ++count;
        }
    }
    return count;
}

inline const QColor Red(255, 0, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Green(0, 160, 0);
