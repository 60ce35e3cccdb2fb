#pragma once

// Text and rules shared by the benchmarks: hand-written HTML lines of 120
// characters (CR LF included) and the rules shipped in data/Tagloom.colors.

#include "editor/ColorRulesFile.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>

#include <fstream>
#include <string>

namespace bench {

constexpr int LineWidth = 120;

inline QByteArray htmlLine(int i)
{
    static const char *const parts[] = {
        "<TR><TD ALIGN=\"left\" WIDTH=\"40%\"><A HREF=\"page",
        ".html\">Link text &amp; more</A></TD>",
        "<!-- note --> <td class=\"x\">plain words in a cell</td>",
        "<P>Some <B>bold</B> and <I>italic</I> text, <FONT COLOR=\"#FF0000\">red</FONT> ",
        "<img src=\"pic.gif\" alt=\"a picture\" border=0> &nbsp; <BR>",
    };
    QByteArray line;
    for (int k = i; line.size() < LineWidth - 2; ++k) {
        line += parts[k % 5];
        line += QByteArray::number(k);
    }
    line.truncate(LineWidth - 2);
    return line + "\r\n";
}

// Exactly `size` bytes of markup lines with varied words, for the searches;
// never holds "</html>" in any case. `images`: every fifth line holds an <IMG>
// (else that line is a plain paragraph again).
inline QByteArray searchMarkup(qsizetype size, bool images = true)
{
    static const QByteArray lines[] = {
        "<P>The quick brown fox jumps over the lazy dog, <EM>twice</EM> a day.</P>\r\n",
        "<TABLE BORDER=\"1\"><TR><TD>cell</TD><TD ALIGN=\"RIGHT\">42</TD></TR></TABLE>\r\n",
        "<A HREF=\"chapter/more.html#top\">Read more</A> about the mammals of the hill.<BR>\r\n",
        "<UL><LI>milk</LI><LI>thyme</LI><LI>lemons</LI></UL>\r\n",
        "<!-- some remark --><IMG SRC=\"pics/html.gif\" WIDTH=\"10\" HEIGHT=\"12\">\r\n",
    };
    QByteArray text;
    text.reserve(size + 128);
    for (int i = 0; text.size() < size; ++i)
        text.append(images || i % 5 != 4 ? lines[i % 5] : lines[0]);
    text.truncate(size);
    return text;
}

// Lines from `first` on until the text holds at least `size` bytes.
inline QByteArray htmlText(qint64 size, int first = 0)
{
    QByteArray text;
    text.reserve(size + LineWidth);
    for (int i = first; text.size() < size; ++i)
        text += htmlLine(i);
    return text;
}

inline QList<QByteArray> shippedRuleLines()
{
    QList<QByteArray> lines;
    ReadColorRulesFile(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.colors"), lines);
    return lines;
}

// The process's resident memory in KiB, as the system reports it.
inline long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

}  // namespace bench
