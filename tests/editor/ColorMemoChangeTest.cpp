// The editor hears of changes before they happen and sends textChanged once
// after them, not the library. Every kind of edit must still reach the
// program: textChanging at once, textChanged and a colour pass after it.
#include "ColorMemoTestUtil.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using B = QsciScintillaBase;

struct EditCase
{
    const char *name;
    std::function<void(TColorMemo &)> edit;
    QByteArray expected;
    bool caretLineOnly;  // the colour pass that follows
};

// "ab\r\ncd" with the caret after "a" before each edit; the clipboard holds "XY".
const EditCase editCases[] = {
    {"typed key", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_Z); }, "azb\r\ncd", true},
    {"backspace", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_Backspace); }, "b\r\ncd", false},
    {"delete key", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_Delete); }, "a\r\ncd", false},
    {"enter", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_Return); }, "a\r\nb\r\ncd", false},
    {"typed over a selection",
     [](TColorMemo &m) {
         m.setSelLength(1);
         QTest::keyClick(&m, Qt::Key_Z);
     },
     "az\r\ncd", false},
    {"written selection", [](TColorMemo &m) { m.setSelText(QByteArray("Q")); }, "aQb\r\ncd", true},
    {"paste", [](TColorMemo &m) { m.paste(); }, "aXYb\r\ncd", false},
    {"cut",
     [](TColorMemo &m) {
         m.setSelLength(3);
         m.cut();
     },
     "acd", false},
    {"undo",
     [](TColorMemo &m) {
         m.setSelText(QByteArray("Q"));
         QApplication::processEvents();
         m.SendScintilla(B::SCI_UNDO);
     },
     "ab\r\ncd", false},
    {"redo",
     [](TColorMemo &m) {
         m.setSelText(QByteArray("Q"));
         m.SendScintilla(B::SCI_UNDO);
         QApplication::processEvents();
         m.SendScintilla(B::SCI_REDO);
     },
     "aQb\r\ncd", true},
    {"many changes as one step",
     [](TColorMemo &m) {
         UndoStep step(&m);
         for (int i = 0; i < 3; ++i)
             m.setSelText(QByteArray("-"));
     },
     "a---b\r\ncd", false},
    {"range deleted by a command", [](TColorMemo &m) { m.SendScintilla(B::SCI_DELETERANGE, 2L, 2L); }, "abcd", false},
};

class ColorMemoChange : public ::testing::TestWithParam<EditCase>
{};

TEST_P(ColorMemoChange, EveryEditIsAnnouncedAndRecoloured)
{
    const EditCase &c = GetParam();
    QApplication::clipboard()->setText(QStringLiteral("XY"));
    auto memo = shownMemo("ab\r\ncd");
    TColorRule *rule = memo->ColorRules().Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->ZOrder = 1;
    rule->SetKeywords({"cd;FF0000"});
    memo->colorsChanged();
    memo->setSelStart(1);
    QApplication::processEvents();
    ASSERT_FALSE(QAccessible::isActive());

    QSignalSpy changing(memo.get(), &TColorMemo::textChanging);
    QSignalSpy changed(memo.get(), &QsciScintilla::textChanged);
    const int passes = memo->lastPass().passes;
    c.edit(*memo);
    // Announced synchronously, so a flag set from it cannot lag behind the text.
    EXPECT_GE(changing.count(), 1);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(memo->bytes(), c.expected);
    EXPECT_GE(changed.count(), 1);
    EXPECT_GT(memo->lastPass().passes, passes);
    EXPECT_EQ(memo->lastPass().caretLineOnly, c.caretLineOnly);
}

INSTANTIATE_TEST_SUITE_P(Edits, ColorMemoChange, ::testing::ValuesIn(editCases), [](const auto &info) {
    QString name = QString::fromLatin1(info.param.name);
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return name.toStdString();
});

// Slots of textChanged see the new text, at once, for every way the program
// and the user edit (a change sent to the library directly follows later).
TEST(ColorMemoChangeTracking, TextChangedFollowsEditingCallsAtOnceWithTheNewText)
{
    const std::pair<const char *, std::function<void(TColorMemo &)>> edits[] = {
        {"key", [](TColorMemo &m) { QTest::keyClick(&m, Qt::Key_Z); }},
        {"written selection", [](TColorMemo &m) { m.setSelText(QByteArray("Q")); }},
        {"paste", [](TColorMemo &m) { m.paste(); }},
        {"insert", [](TColorMemo &m) { m.insert(QStringLiteral("I")); }},
        {"undo", [](TColorMemo &m) { m.undo(); }},
    };
    QApplication::clipboard()->setText(QStringLiteral("XY"));
    for (const auto &[what, edit] : edits) {
        auto memo = shownMemo("ab");
        memo->setSelText(QByteArray("-"));
        QApplication::processEvents();
        QList<QByteArray> seen;
        QObject::connect(memo.get(), &QsciScintilla::textChanged, [&] { seen.append(memo->bytes()); });
        edit(*memo);
        ASSERT_EQ(seen.size(), 1) << what;
        EXPECT_EQ(seen.first(), memo->bytes()) << what;
        EXPECT_NE(seen.first(), "-ab") << what;
    }
}

TEST(ColorMemoChangeTracking, MovingTheCaretAndColouringAreNoChange)
{
    auto memo = shownMemo("ab\r\ncd\r\n");
    TColorRule *rule = memo->ColorRules().Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->ZOrder = 1;
    rule->SetKeywords({"cd;FF0000"});
    memo->colorsChanged();
    QApplication::processEvents();
    QSignalSpy changing(memo.get(), &TColorMemo::textChanging);
    QSignalSpy changed(memo.get(), &QsciScintilla::textChanged);
    QTest::keyClick(memo.get(), Qt::Key_Down);
    QTest::keyClick(memo.get(), Qt::Key_End, Qt::ShiftModifier);
    memo->PaintColors(false);
    QApplication::processEvents();
    EXPECT_EQ(changing.count(), 0);
    EXPECT_EQ(changed.count(), 0);
}

TEST(ColorMemoChangeTracking, LoadingIsNoChange)
{
    TColorMemo memo;
    QSignalSpy changing(&memo, &TColorMemo::textChanging);
    QSignalSpy changed(&memo, &QsciScintilla::textChanged);
    memo.loadBytes("first");
    memo.loadBytes("second");
    QApplication::processEvents();
    EXPECT_EQ(changing.count(), 0);
    EXPECT_EQ(changed.count(), 0);
}

TEST(ColorMemoLargeDocument, OpensUnwrappedAboveTheLimitAndWrapsBelowIt)
{
    struct Case
    {
        qsizetype size;
        bool wrapBefore;
        bool suspended;
    };
    const Case cases[] = {
        {TColorMemo::LargeDocumentBytes - 1, true, false},
        {TColorMemo::LargeDocumentBytes, true, true},
        {TColorMemo::LargeDocumentBytes, false, false},  // already unwrapped: nothing to say
    };
    for (const Case &c : cases) {
        TColorMemo memo;
        memo.setWrapMode(c.wrapBefore ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
        QSignalSpy loaded(&memo, &TColorMemo::loaded);
        QByteArray text(c.size, 'a');
        for (qsizetype i = 98; i + 1 < text.size(); i += 100)
            text[i] = '\r', text[i + 1] = '\n';
        memo.loadBytes(text);
        EXPECT_EQ(loaded.count(), 1);
        EXPECT_EQ(memo.wrapSuspended(), c.suspended) << c.size;
        EXPECT_EQ(memo.wrapMode() != QsciScintilla::WrapNone, c.wrapBefore && !c.suspended) << c.size;
        EXPECT_EQ(memo.length(), c.size);
    }
}

}  // namespace
