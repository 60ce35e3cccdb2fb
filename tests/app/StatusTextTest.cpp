#include "app/CaretPlace.h"
#include "app/DocumentFile.h"
#include "app/StatusText.h"
#include "editor/ColorMemo.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using B = QsciScintillaBase;

TEST(StatusText, CaretTexts)
{
    const struct
    {
        qint64 line, column, selected;
        const char *text;
    } cases[] = {
        {0, 0, 0, "Ln 1, Col 1"},
        {11, 4, 0, "Ln 12, Col 5"},
        {11, 4, 7, "Ln 12, Col 5 (7 selected)"},
        {999999, 123456, 52428800, "Ln 1000000, Col 123457 (52428800 selected)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(caretStatus(c.line, c.column, c.selected), QString::fromLatin1(c.text)) << c.text;
}

TEST(StatusText, EncodingAndLineEndLabels)
{
    EXPECT_EQ(encodingLabel(true, false), "UTF-8");
    EXPECT_EQ(encodingLabel(true, true), "UTF-8 BOM");
    EXPECT_EQ(encodingLabel(false, false), "Latin-1");
    // A single-byte document has no byte-order mark: those bytes are three characters.
    EXPECT_EQ(encodingLabel(false, true), "Latin-1");

    const struct
    {
        LineEndCount ends;
        const char *label, *note;
    } cases[] = {
        {{}, "CR LF", "Line ends: CR LF"},
        {{5, 0, 0}, "CR LF", "Line ends: CR LF"},
        {{0, 3, 0}, "mixed", "The file came with 3 LF line ends; they were made CR LF on load and are saved so"},
        {{2, 1, 4},
         "mixed",
         "The file came with 2 CR LF, 1 LF, 4 CR line ends; they were made CR LF on load and are saved so"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(lineEndsLabel(c.ends), QString::fromLatin1(c.label)) << c.note;
        EXPECT_EQ(lineEndsNote(c.ends), QString::fromLatin1(c.note));
    }
}

TEST(StatusText, CharactersOfBytes)
{
    const struct
    {
        QByteArray bytes;
        bool utf8;
        qint64 chars;
    } cases[] = {
        {"", true, 0},
        {"abc\r\n", true, 5},
        {"gr\xC3\xBC\xC3\x9F", true, 4},            // two 2-byte characters
        {"\xE2\x82\xAC\xF0\x9F\x98\x80", true, 2},  // 3 and 4 bytes
        {"gr\xC3\xBC\xC3\x9F", false, 6},           // Latin-1: a byte is a character
        {"\t\t", true, 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(countCharacters(c.bytes, c.utf8), c.chars) << c.bytes.toHex().toStdString();
}

// What loading reports about the file's own line ends, the pieces split
// anywhere, a CR LF across two pieces included.
TEST(StatusText, LoaderCountsTheLineEndsItChanges)
{
    const struct
    {
        QByteArray text;
        LineEndCount ends;
    } cases[] = {
        {"a\r\nb\r\n", {2, 0, 0}},     {"a\nb\n", {0, 2, 0}},   {"a\rb", {0, 0, 1}},
        {"a\r\nb\nc\rd\r", {1, 1, 2}}, {"\r\r\n\n", {1, 1, 1}}, {"no line end", {0, 0, 0}},
    };
    for (const auto &c : cases) {
        for (qsizetype cut = 0; cut <= c.text.size(); ++cut) {
            QByteArray out;
            bool pendingCR = false;
            LineEndCount ends;
            AppendWithCRLF(QByteArrayView(c.text).first(cut), out, pendingCR, &ends);
            AppendWithCRLF(QByteArrayView(c.text).sliced(cut), out, pendingCR, &ends);
            EXPECT_EQ(ends, c.ends) << c.text.toHex().toStdString() << " cut at " << cut;
            EXPECT_EQ(out, ConvertLineEnds(c.text));
        }
    }
}

// The column and selection kept up from the last answer must be what the
// editor counts from the line start, whatever the caret and the text do.
TEST(CaretPlace, AgreesWithTheEditorsOwnCountThroughMovesAndEdits)
{
    for (const bool utf8 : {true, false}) {
        TColorMemo memo;
        QByteArray line;
        for (int i = 0; i < 400; ++i)
            line += i % 37 == 0 ? QByteArray("\t") : i % 11 == 0 ? QByteArray("\xC3\xA9") : QByteArray("x");
        QByteArray text = "short\r\n" + line + line + "\r\n" + line;
        if (!utf8)
            text += "\xFF";  // not UTF-8: the document is single-byte
        memo.loadBytes(text);
        ASSERT_EQ(memo.isUtf8Document(), utf8);
        CaretPlace place(&memo);
        QRandomGenerator random(7);
        for (int step = 0; step < 3000; ++step) {
            const int len = memo.length();
            const int pick = int(random.bounded(10));
            // A character boundary at or before a byte position.
            auto boundary = [&memo, len](int pos) {
                pos = std::clamp(pos, 0, len);
                const int after = int(memo.SendScintilla(B::SCI_POSITIONAFTER, static_cast<unsigned long>(pos)));
                return pos == len ? len
                                  : int(memo.SendScintilla(B::SCI_POSITIONBEFORE, static_cast<unsigned long>(after)));
            };
            if (pick < 5) {
                // Small steps mostly, as keys make them, and now and then a jump.
                const int from = int(memo.SendScintilla(B::SCI_GETCURRENTPOS));
                memo.setSelStart(boundary(pick < 4 ? from + int(random.bounded(9)) - 4 : int(random.bounded(len + 1))));
            } else if (pick < 7) {
                const int anchor = int(memo.SendScintilla(B::SCI_GETANCHOR));
                const int to = boundary(int(memo.SendScintilla(B::SCI_GETCURRENTPOS)) + int(random.bounded(21)) - 10);
                memo.SendScintilla(B::SCI_SETSEL, static_cast<unsigned long>(anchor), long(to));
            } else if (pick < 9) {
                memo.setSelText(QByteArray(random.bounded(2) ? "\t" : "y\xC3\xA9"));
            } else {
                memo.SendScintilla(B::SCI_DELETEBACK);
            }
            const qint64 caret = memo.SendScintilla(B::SCI_GETCURRENTPOS);
            const CaretPlace::Place got = place.place();
            EXPECT_EQ(got.line, memo.SendScintilla(B::SCI_LINEFROMPOSITION, static_cast<unsigned long>(caret)));
            ASSERT_EQ(got.column, memo.SendScintilla(B::SCI_GETCOLUMN, static_cast<unsigned long>(caret)))
                << "step " << step << " utf8 " << utf8;
            const int from = memo.SelStart();
            ASSERT_EQ(got.selectedChars, memo.SendScintilla(B::SCI_COUNTCHARACTERS, static_cast<unsigned long>(from),
                                                            long(from + memo.SelLength())))
                << "step " << step;
        }
    }
}

TEST(CaretPlace, TheByteOrderMarkIsNoColumn)
{
    TColorMemo memo;
    memo.loadBytes("\xEF\xBB\xBF<P>\r\nx");
    CaretPlace place(&memo);
    EXPECT_EQ(place.place(), (CaretPlace::Place{0, 0, 0}));  // the load leaves the caret after the mark
    memo.setSelStart(5);
    EXPECT_EQ(place.place(), (CaretPlace::Place{0, 2, 0}));
    memo.setSelStart(8);
    EXPECT_EQ(place.place(), (CaretPlace::Place{1, 0, 0}));
}
