// What a screen reader reads of the editor: offsets are QString positions (a
// character outside the BMP counts two, an invalid UTF-8 byte one U+FFFD), in
// UTF-8 and Latin-1 documents, and the events of every edit and caret move
// name the ranges that changed.
#include "ColorMemoTestUtil.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

namespace {

using B = QsciScintillaBase;

struct Heard
{
    QAccessible::Event type = QAccessible::InvalidEvent;
    int position = -1;  // change position or cursor
    QString removed, inserted;
    int selStart = -1, selEnd = -1;
};

QList<Heard> &heard()
{
    static QList<Heard> events;
    return events;
}

QObject *&listenedTo()
{
    static QObject *object = nullptr;
    return object;
}

void recordEvent(QAccessibleEvent *event)
{
    if (event->object() != listenedTo())
        return;
    Heard h;
    h.type = event->type();
    switch (event->type()) {
    case QAccessible::TextInserted: {
        auto *e = static_cast<QAccessibleTextInsertEvent *>(event);
        h.position = e->changePosition();
        h.inserted = e->textInserted();
        break;
    }
    case QAccessible::TextRemoved: {
        auto *e = static_cast<QAccessibleTextRemoveEvent *>(event);
        h.position = e->changePosition();
        h.removed = e->textRemoved();
        break;
    }
    case QAccessible::TextUpdated: {
        auto *e = static_cast<QAccessibleTextUpdateEvent *>(event);
        h.position = e->changePosition();
        h.removed = e->textRemoved();
        h.inserted = e->textInserted();
        break;
    }
    case QAccessible::TextCaretMoved:
        h.position = static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition();
        break;
    case QAccessible::TextSelectionChanged: {
        auto *e = static_cast<QAccessibleTextSelectionEvent *>(event);
        h.position = e->cursorPosition();
        h.selStart = e->selectionStart();
        h.selEnd = e->selectionEnd();
        break;
    }
    default:
        return;
    }
    heard().append(h);
}

// An assistive technology listening to one editor for the lifetime of the
// object. Qt sends events only while its platform's accessibility is active:
// on a desktop with the accessibility bus (the CTest entry
// editor_accessibility_events), never on the offscreen platform.
struct Listener
{
    explicit Listener(QObject *memo)
    {
        listenedTo() = memo;
        heard().clear();
        QAccessible::installUpdateHandler(recordEvent);
        QAccessible::setActive(true);
        // The bridge comes up once it has found the bus.
        if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
            (void)QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
    }
    ~Listener()
    {
        QAccessible::setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        listenedTo() = nullptr;
    }
};

QAccessibleTextInterface *textOf(TColorMemo &memo)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&memo);
    return iface ? iface->textInterface() : nullptr;
}

QString decoded(TColorMemo &memo)
{
    const QByteArray bytes = memo.bytes();
    return memo.isUtf8Document() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

// A byte position's offset when no character crosses it: the QString length of
// the bytes before it.
int offsetOf(TColorMemo &memo, int position)
{
    const QByteArray before = memo.bytes().left(position);
    return int(memo.isUtf8Document() ? QString::fromUtf8(before).size() : before.size());
}

// Every offset of the text reads what QString has there; an offset between
// the halves of a surrogate pair stands for the character's start.
void expectTextMatches(TColorMemo &memo, const char *name)
{
    SCOPED_TRACE(name);
    QAccessibleTextInterface *text = textOf(memo);
    ASSERT_NE(text, nullptr);
    const QString expected = decoded(memo);
    ASSERT_EQ(text->characterCount(), expected.size());
    EXPECT_EQ(text->text(0, int(expected.size())), expected);
    auto whole = [&](int k) { return k > 0 && k < expected.size() && expected.at(k).isLowSurrogate() ? k - 1 : k; };
    for (int k = 0; k <= expected.size(); ++k) {
        EXPECT_EQ(text->text(0, k), expected.left(whole(k))) << k;
        EXPECT_EQ(text->text(k, int(expected.size())), expected.mid(whole(k))) << k;
    }
}

struct DocumentCase
{
    const char *name;
    QByteArray loaded;
    QByteArray inserted;  // bytes written at insertAt after the load, e.g. invalid UTF-8
    int insertAt;
    bool utf8;
};

const DocumentCase documentCases[] = {
    {"UTF-8 with CR LF and a character outside the BMP", "a\xC3\xA9 b\r\n\xE2\x82\xAC\r\n\xF0\x9F\x98\x80x\r\n", "", 0,
     true},
    {"Latin-1", "caf\xE9\r\n\xFF\xFEz", "", 0, false},
    {"UTF-8 with invalid bytes written into it", "\xC3\xA9\r\nab\xF0\x9F\x98\x80",
     "\xE2\x82|\x80|\xF0\x9F|\xED\xA0\x80|\xC0\x80|\xF4\x90\x80\x80|\xEF\xBF\xBE|\xF0\x9F\xBF\xBE", 4, true},
    {"long UTF-8 line, read from both ends",
     "\xC3\xA9" + QByteArray(300, 'a') + "\xF0\x9F\x98\x80" + QByteArray(300, 'b') + "\xE2\x82\xAC\r\nend", "", 0,
     true},
    {"Latin-1 bytes that are a UTF-8 sequence by chance", "\xC3\xA9\xFF", "", 0, false},
};

class ColorMemoAccessibleText : public ::testing::TestWithParam<DocumentCase>
{};

TEST_P(ColorMemoAccessibleText, OffsetsAreQStringPositions)
{
    const DocumentCase &c = GetParam();
    auto memo = shownMemo(c.loaded);
    ASSERT_EQ(memo->isUtf8Document(), c.utf8);
    if (!c.inserted.isEmpty()) {
        memo->setSelStart(c.insertAt);
        memo->setSelText(c.inserted);
    }
    Listener listener(memo.get());
    expectTextMatches(*memo, "as loaded");

    // The caret at every place it can stand, reported as the offset there.
    QAccessibleTextInterface *text = textOf(*memo);
    for (int pos = 0;;) {
        memo->SendScintilla(B::SCI_GOTOPOS, long(pos));
        // The caret can stand inside a non-character (U+FFFE), which is one
        // character to Qt: the offset is then that of the character.
        const QByteArray bytes = memo->bytes();
        const bool boundary = !memo->isUtf8Document()
                              || QString::fromUtf8(bytes.left(pos)) + QString::fromUtf8(bytes.mid(pos))
                                     == QString::fromUtf8(bytes);
        if (boundary) {
            EXPECT_EQ(text->cursorPosition(), offsetOf(*memo, pos)) << pos;
        }
        const int next = int(memo->SendScintilla(B::SCI_POSITIONAFTER, long(pos)));
        if (next == pos)
            break;
        pos = next;
    }
    // And back: an offset puts the caret on its character.
    const QString expected = decoded(*memo);
    for (int k = 0; k <= expected.size(); ++k) {
        // Not between the halves of a surrogate pair, nor between CR and LF,
        // where the caret cannot stand.
        if (k > 0 && k < expected.size()
            && (expected.at(k).isLowSurrogate() || (expected.at(k - 1) == u'\r' && expected.at(k) == u'\n')))
            continue;
        text->setCursorPosition(k);
        EXPECT_EQ(offsetOf(*memo, memo->SelStart()), k) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, ColorMemoAccessibleText, ::testing::ValuesIn(documentCases), [](const auto &info) {
    QString name = QString::fromLatin1(info.param.name);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
    return name.toStdString();
});

// A document read in pieces is single-byte until its end shows it is UTF-8;
// the offsets follow the switch.
TEST(ColorMemoAccessibility, OffsetsFollowADocumentThatTurnsOutUtf8)
{
    auto memo = shownMemo("\xC3\xA9");
    Listener listener(memo.get());
    expectTextMatches(*memo, "first");
    const QByteArray page = "\xE2\x82\xAC\r\n\xF0\x9F\x98\x80 x\r\n\xC3\xA9";
    memo->beginLoad(page.size());
    memo->appendLoadedBytes(page.left(3));
    memo->appendLoadedBytes(page.mid(3));
    memo->endLoad();
    ASSERT_TRUE(memo->isUtf8Document());
    expectTextMatches(*memo, "reloaded");
    // Typed into after the switch, it keeps counting right.
    memo->setSelStart(int(page.size()));
    memo->setSelText(QStringLiteral("\u00E9\U0001F600"));
    expectTextMatches(*memo, "typed");
}

// Events need an active platform accessibility; where it is asked for and does
// not come up, that is a fault.
#define REQUIRE_EVENTS() \
    do { \
        if (!QAccessible::isActive()) { \
            if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) \
                FAIL() << "the platform's accessibility did not come up"; \
            GTEST_SKIP() << "no accessibility bus: run as the CTest entry editor_accessibility_events"; \
        } \
    } while (false)

// A screen reader keeps a copy of the text from the change events: after any
// edit, invalid UTF-8 joined or split included, the copy is the text.
TEST(ColorMemoAccessibilityEvents, ChangeEventsKeepAScreenReadersCopyOfTheText)
{
    const QByteArray pieces[] = {"a",    "\r\n", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                 "\x80", "\xE2", "\xF0\x9F", "\xC3",         "\xEF\xBF\xBE",
                                 "zz"};
    auto memo = shownMemo("\xC3\xA9t\xC3\xA9\r\n\xF0\x9F\x98\x80");
    Listener listener(memo.get());
    REQUIRE_EVENTS();
    QString copy = decoded(*memo);
    QRandomGenerator random(7);
    for (int step = 0; step < 400; ++step) {
        heard().clear();
        const int length = memo->length();
        const int at = int(random.bounded(length + 1));
        QByteArray edit;
        if (random.bounded(3) == 0 && length > 0) {
            const int count = std::min(int(random.bounded(1, 4)), length - at);
            memo->SendScintilla(B::SCI_DELETERANGE, long(at), long(count));
            edit = "delete " + QByteArray::number(count);
        } else {
            edit = pieces[random.bounded(int(std::size(pieces)))];
            memo->SendScintilla(B::SCI_INSERTTEXT, long(at), edit.constData());
            // The library stops at a NUL; none of the pieces has one.
        }
        for (const Heard &h : heard()) {
            if (h.type == QAccessible::TextInserted || h.type == QAccessible::TextRemoved
                || h.type == QAccessible::TextUpdated) {
                ASSERT_EQ(copy.mid(h.position, h.removed.size()), h.removed) << step << " " << edit.toHex().data();
                copy.replace(h.position, h.removed.size(), h.inserted);
            }
        }
        QString told;
        for (const Heard &h : heard())
            told += QStringLiteral("[%1 at %2: -%3 +%4] ")
                        .arg(int(h.type))
                        .arg(h.position)
                        .arg(QString::fromLatin1(h.removed.toUtf8().toHex()),
                             QString::fromLatin1(h.inserted.toUtf8().toHex()));
        ASSERT_EQ(copy, decoded(*memo)) << step << " at " << at << " " << edit.toHex().data() << " in "
                                        << memo->bytes().mid(std::max(0, at - 12), 24).toHex().data() << " told "
                                        << told.toStdString();
        ASSERT_EQ(textOf(*memo)->characterCount(), copy.size())
            << step << " at " << at << " " << edit.toHex().data() << " in "
            << memo->bytes().mid(std::max(0, at - 12), 24).toHex().data();
        if (step % 20 == 0) {
            ASSERT_EQ(textOf(*memo)->text(0, int(copy.size())), copy) << step;
        }
    }
    // Opening a file again replaces the text without undo, which the library
    // tells without the removed text.
    heard().clear();
    memo->loadBytes("new \xF0\x9F\x98\x80\r\n");
    for (const Heard &h : heard()) {
        ASSERT_EQ(copy.mid(h.position, h.removed.size()), h.removed);
        copy.replace(h.position, h.removed.size(), h.inserted);
    }
    EXPECT_EQ(copy, decoded(*memo));
}

// The caret and the selection are told as offsets where they stand.
TEST(ColorMemoAccessibilityEvents, CaretAndSelectionEventsNameTheirOffsets)
{
    auto memo = shownMemo("\xF0\x9F\x98\x80\xC3\xA9\r\nab");
    Listener listener(memo.get());
    REQUIRE_EVENTS();
    ASSERT_NE(textOf(*memo), nullptr);
    auto lastOf = [](QAccessible::Event type) {
        for (qsizetype i = heard().size() - 1; i >= 0; --i)
            if (heard().at(i).type == type)
                return heard().at(i);
        return Heard();
    };
    memo->setFocus();
    QTest::keyClick(memo.get(), Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(lastOf(QAccessible::TextCaretMoved).position, 7);
    QTest::keyClick(memo.get(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(memo.get(), Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_EQ(lastOf(QAccessible::TextCaretMoved).position, 2);
    EXPECT_EQ(textOf(*memo)->cursorPosition(), 2);
    QTest::keyClick(memo.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(memo.get(), Qt::Key_Right, Qt::ShiftModifier);
    QApplication::processEvents();
    const Heard selection = lastOf(QAccessible::TextSelectionChanged);
    EXPECT_EQ(selection.selStart, 2);
    EXPECT_EQ(selection.selEnd, 5);
    EXPECT_EQ(selection.position, 5);
    int start = -1, end = -1;
    textOf(*memo)->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(2, 5));
    QTest::keyClick(memo.get(), Qt::Key_Z);
    QApplication::processEvents();
    const Heard typed = lastOf(QAccessible::TextInserted);
    EXPECT_EQ(typed.position, 2);
    EXPECT_EQ(typed.inserted, QStringLiteral("z"));
    EXPECT_EQ(lastOf(QAccessible::TextRemoved).removed, QStringLiteral("\u00E9\r\n"));
    EXPECT_EQ(lastOf(QAccessible::TextCaretMoved).position, 3);
}

// The editor always has the library's accessible text, whether or not an
// assistive technology listens, and tells the program of a change once.
TEST(ColorMemoAccessibility, OneInterfaceAndOneChangeSignalWithOrWithoutAScreenReader)
{
    auto memo = shownMemo("ab\r\ncd");
    for (bool active : {false, true}) {
        SCOPED_TRACE(active);
        std::optional<Listener> listener;
        if (active)
            listener.emplace(memo.get());
        QAccessibleTextInterface *text = textOf(*memo);
        ASSERT_NE(text, nullptr);
        memo->setSelStart(memo->length());
        EXPECT_EQ(text->text(0, text->characterCount()), decoded(*memo));
        EXPECT_EQ(text->cursorPosition(), memo->length());
        QSignalSpy changing(memo.get(), &TColorMemo::textChanging);
        QSignalSpy changed(memo.get(), &QsciScintilla::textChanged);
        {
            UndoStep step(memo.get());
            memo->setSelText(QByteArray("e"));
            memo->setSelText(QByteArray("f"));
        }
        QApplication::processEvents();
        EXPECT_EQ(changing.count(), 2);
        EXPECT_EQ(changed.count(), 2);
        memo->SendScintilla(B::SCI_DELETERANGE, 0L, 1L);
        memo->SendScintilla(B::SCI_DELETERANGE, 0L, 1L);
        QApplication::processEvents();
        EXPECT_EQ(changed.count(), 3);
    }
}

}  // namespace
