#include "../../fuzz/TagNameReference.h"
#include "support/FakeDocument.h"
#include "objects/TagNameScan.h"
#include "tags/TagInsertion.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QList<QByteArray> anchors(const QByteArray &text)
{
    return CollectTagNames(text, "<A", "NAME=\"");
}

}  // namespace

TEST(TagNameScan, AnchorNames)
{
    using L = QList<QByteArray>;
    const struct
    {
        const char *text;
        L names;
    } cases[] = {
        {"<a name=\"Top\"> x <A NAME=\"Intro\">", L{"Top", "Intro"}},  // as written, in order
        {"<A NAME=\"x\"></A><A NAME=\"x\"></A>", L{"x", "x"}},
        {"<APPLET CODE=\"c\" NAME=\"ap\"><ADDRESS name=\"ad\">", L{"ap", "ad"}},  // longer tag names count
        {"<A HREF=\"#x\" NAME=\"\">", L{""}},
        {"<A DATANAME=\"d\">", L{"d"}},  // at the end of a longer attribute name
        {"<A NAME=\"a\" NAME=\"b\">", L{"a"}},
        {"<a name=x><a name='y'><a name = \"z\"><B NAME=\"b\">", L{}},
        {"<A NAME=\"x\"", L{}},                       // no ">"
        {"<A NAME=\"ok\"> <A NAME=\"cut", L{"ok"}},   // no ">" after the last tag
        {"<A NAME=\"a>b\"> <A NAME=\"c\">", L{"c"}},  // no closing quote inside the tag
        {"<A <A NAME=\"x\">", L{"x", "x"}},           // both tags end at the same ">"
        {"<<AA NAME=\"x\">", L{"x"}},                 // no phantom tag made of the pieces
        {"<!-- <A NAME=\"c\"> --><SCRIPT>'<a name=\"s\">'</SCRIPT>", L{"c", "s"}},
        {"", L{}},
        {"<A", L{}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(anchors(c.text), c.names) << c.text;
}

TEST(TagNameScan, BytesComeBackAsWritten)
{
    const QByteArray nul("<A NAME=\"a\0b\">", 14);
    EXPECT_EQ(anchors(nul), QList<QByteArray>{QByteArray("a\0b", 3)});
    EXPECT_EQ(anchors("<A NAME=\"\xff\xfe\xc3\">"), QList<QByteArray>{"\xff\xfe\xc3"});
    // Bytes above 127 are not letters: no case folding of Latin-1 or UTF-8.
    EXPECT_EQ(CollectTagNames("<\xc4 NAME=\"x\">", "<\xe4", "NAME=\""), QList<QByteArray>{});
    EXPECT_EQ(CollectTagNames("<map Name=\"Nav\"><MAP NAME=\"n2\">", "<MAP", "NAME=\""),
              (QList<QByteArray>{"Nav", "n2"}));
    EXPECT_EQ(CollectTagNames("<FORM NAME=\"f\">", "<form", "name=\""), QList<QByteArray>{"f"});
}

// A name picked from a document and written back gives the document's own bytes,
// in a UTF-8 and in a Latin-1 document.
TEST(TagNameScan, DocumentNamesRoundTrip)
{
    for (const QByteArray &name : {QByteArray("Kapitel-\xc3\x84"), QByteArray("Kapitel-\xc4"), QByteArray("a\0b", 3)}) {
        FakeDocument doc("<A NAME=\"" + name + "\"></A>\r\n");
        const QStringList names = CollectTagNames(doc, QStringLiteral("<A"), QStringLiteral("NAME=\""));
        ASSERT_EQ(names.size(), 1);
        doc.editor()->setSelStart(doc.text().size());
        ReplaceSelection(doc, names.first());
        EXPECT_EQ(doc.text().sliced(doc.text().size() - name.size()), name);
    }
}

// Random texts made of the bytes that matter agree with the plain scan.
TEST(TagNameScan, AgreesWithThePlainScan)
{
    const char alphabet[] = "<aA>\"nN=me ";
    QRandomGenerator rng(12);
    for (int round = 0; round < 3000; ++round) {
        QByteArray text;
        const int n = rng.bounded(60);
        for (int i = 0; i < n; ++i)
            text += alphabet[rng.bounded(int(sizeof alphabet) - 1)];
        for (const char *attr : {"name=\"", "\"", ""}) {
            ASSERT_EQ(FindTagNames(text, "<a", attr), ReferenceTagNames(text, "<a", attr)) << text.constData();
            ASSERT_EQ(FindTagNames(text, "a", attr), ReferenceTagNames(text, "a", attr)) << text.constData();
        }
    }
}
