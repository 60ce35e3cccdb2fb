#include "app/TypingHelp.h"

#include "app/ChildWin.h"
#include "app/DocumentView.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "custom/HotkeyMenu.h"
#include "platform/Settings.h"
#include "tags/MarkupNames.h"
#include "tags/TagMatch.h"
#include "tags/TagScan.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

using B = QsciScintillaBase;

namespace {
// Above the colour memo's own indicators.
constexpr int IndMatch = 11;
constexpr int IndNoMatch = 12;
// Marks follow a caret move at once, and the text only once typing pauses.
constexpr int MarkDelayAfterTyping = 150;
// Changes the index follows one by one before it is read anew instead.
constexpr int MaxChangesUnseen = 2000;
// More names than a list can usefully show.
constexpr int MaxFileNames = 2000;

TMDIChild &child(TextDocument &document)
{
    return static_cast<TMDIChild &>(document);
}

void withHelp(TextDocument &d, void (TypingHelp::*command)())
{
    if (TypingHelp *help = TypingHelp::of(child(d).Memo1))
        (help->*command)();
}

// The entries of the folder named by the typed part of a value, relative to
// the document's folder; folders end in '/'.
QStringList fileNames(const QString &documentFolder, const QString &typedFolder)
{
    if (documentFolder.isEmpty())
        return {};
    const QDir dir(QDir(documentFolder).filePath(typedFolder));
    if (!dir.exists())
        return {};
    QStringList names;
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot,
                                                    QDir::Name | QDir::DirsFirst);
    for (const QFileInfo &entry : entries) {
        if (names.size() >= MaxFileNames)
            break;
        names.append(entry.isDir() ? entry.fileName() + QLatin1Char('/') : entry.fileName());
    }
    return names;
}
}  // namespace

TypingHelp::TypingHelp(TColorMemo *memo, std::function<QString()> documentFolder,
                       std::function<void(const QString &)> say)
    : QObject(memo), m_memo(memo), m_documentFolder(std::move(documentFolder)), m_say(std::move(say))
{
    setObjectName(QStringLiteral("typingHelp"));
    m_memo->installEventFilter(this);
    m_markTimer.setSingleShot(true);
    connect(&m_markTimer, &QTimer::timeout, this, &TypingHelp::updateMarks);
    connect(m_memo, &TColorMemo::textChanging, this, [this] { ++m_version; });
    connect(m_memo, &QsciScintillaBase::SCN_MODIFIED, this, [this](int position, int type, const char *, int length) {
        if (!m_contextIndex.isBuilt() || !(type & (B::SC_MOD_INSERTTEXT | B::SC_MOD_DELETETEXT)))
            return;
        // Thousands of changes with no look between (Replace All, a
        // long undo): reading the page again at the next look is cheaper.
        if (++m_changesUnseen > MaxChangesUnseen) {
            m_contextIndex.clear();
            return;
        }
        if (type & B::SC_MOD_INSERTTEXT)
            m_contextIndex.inserted(wholeText(), position, length);
        else if (type & B::SC_MOD_DELETETEXT)
            m_contextIndex.deleted(wholeText(), position, length);
    });
    connect(m_memo, &QsciScintillaBase::SCN_CHARADDED, this, &TypingHelp::charAdded);
    connect(m_memo, QOverload<const char *, int>::of(&QsciScintillaBase::SCN_AUTOCSELECTION), this,
            [this](const char *text, int) { listChosen(text); });
    connect(m_memo, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (!AppSettings().Typing.MatchTags) {
            clearMarks();
            return;
        }
        // Content updates come from the marks themselves too: only a new text version counts.
        if (updated & B::SC_UPDATE_CONTENT && m_version != std::exchange(m_seenVersion, m_version)) {
            // Marks moved by the change may now cover the wrong text: they go
            // at once and come back once typing pauses.
            clearMarks();
            m_markTimer.start(MarkDelayAfterTyping);
        } else if (updated & B::SC_UPDATE_SELECTION && !m_markTimer.isActive())
            m_markTimer.start(0);
    });
    for (int ind : {IndMatch, IndNoMatch}) {
        m_memo->SendScintilla(B::SCI_INDICSETSTYLE, ind, long(B::INDIC_STRAIGHTBOX));
        m_memo->SendScintilla(B::SCI_INDICSETALPHA, ind, 70L);
        m_memo->SendScintilla(B::SCI_INDICSETOUTLINEALPHA, ind, 200L);
        m_memo->SendScintilla(B::SCI_INDICSETUNDER, ind, 1L);
    }
    settingsChanged();
}

TypingHelp *TypingHelp::of(TColorMemo *memo)
{
    return memo ? memo->findChild<TypingHelp *>(QStringLiteral("typingHelp"), Qt::FindDirectChildrenOnly) : nullptr;
}

void TypingHelp::settingsChanged()
{
    const TypingHelpSettings &s = AppSettings().Typing;
    m_memo->SendScintilla(B::SCI_INDICSETFORE, IndMatch, long(s.MatchColor & 0xFFFFFF));
    m_memo->SendScintilla(B::SCI_INDICSETFORE, IndNoMatch, long(s.NoMatchColor & 0xFFFFFF));
    m_markedTagStart = -1;
    if (s.MatchTags)
        m_markTimer.start(0);
    else
        clearMarks();
}

MarkupText TypingHelp::text(int from, int to) const
{
    // Two pieces either side of the editor's gap: asking for a range across it would move it.
    const int gap = std::clamp(int(m_memo->SendScintilla(B::SCI_GETGAPPOSITION)), from, to);
    return MarkupText(m_memo->rangeView(from, gap), m_memo->rangeView(gap, to), from, m_memo->length());
}

MarkupText TypingHelp::wholeText() const
{
    return text(0, m_memo->length());
}

MarkupText TypingHelp::window(int pos) const
{
    m_changesUnseen = 0;
    m_contextIndex.setText(wholeText());
    const int len = m_memo->length();
    return text(std::max(0, pos - MatchWindowBytes), std::min(len, pos + MatchWindowBytes)).withIndex(&m_contextIndex);
}

bool TypingHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_memo || event->type() != QEvent::KeyPress)
        return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods = ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) && mods == Qt::NoModifier
        && m_memo->SendScintilla(B::SCI_AUTOCACTIVE)) {
        // The shown list takes Enter; the line-break setting never sees it.
        m_memo->SendScintilla(B::SCI_AUTOCCOMPLETE);
        return true;
    }
    if (ke->text() == QLatin1String(">") && !(mods & (Qt::ControlModifier | Qt::AltModifier)))
        return typeGreaterThan();
    if (ke->text() == QLatin1String("\"") && !(mods & (Qt::ControlModifier | Qt::AltModifier)))
        return stepOverQuote();
    return false;
}

bool TypingHelp::stepOverQuote()
{
    // The closing quote of a value a completion wrote is typed over, not doubled.
    const int start = std::exchange(m_quotedValue, -1);
    const int pos = m_memo->SelStart();
    if (start < 1 || pos < start || m_memo->SelLength() > 0 || pos - start > MaxTagBytes)
        return false;
    const QByteArrayView value = m_memo->rangeView(start - 1, pos + 1);
    if (value.size() != pos - start + 2 || value.front() != '"' || value.back() != '"'
        || value.sliced(1, value.size() - 2).contains('"'))
        return false;
    m_memo->setSelStart(pos + 1);
    return true;
}

bool TypingHelp::typeGreaterThan()
{
    if (!AppSettings().Typing.CloseTags || m_memo->isReadOnly() || m_memo->SelLength() > 0
        || m_memo->SendScintilla(B::SCI_GETSELECTIONS) != 1 || m_memo->SendScintilla(B::SCI_GETOVERTYPE))
        return false;
    const int pos = m_memo->SelStart();
    const QByteArray endTag = EndTagForTypedGt(window(pos), pos);
    if (endTag.isEmpty())
        return false;
    if (m_memo->SendScintilla(B::SCI_AUTOCACTIVE))
        m_memo->SendScintilla(B::SCI_AUTOCCANCEL);
    {
        // The typed '>' and the end tag are one undo step.
        UndoStep step(m_memo);
        m_memo->typeText(">" + endTag);
    }
    m_memo->setSelStart(pos + 1);
    return true;
}

void TypingHelp::charAdded(int ch)
{
    if (!AppSettings().Typing.CompleteNames || m_memo->SelLength() > 0
        || m_memo->SendScintilla(B::SCI_GETSELECTIONS) != 1)
        return;
    CompletionPlace::Kind wanted;
    switch (ch) {
    case '<':
        wanted = CompletionPlace::ElementName;
        break;
    case '/':
        wanted = CompletionPlace::EndTag;
        break;
    case '&':
        wanted = CompletionPlace::EntityName;
        break;
    case ' ':
    case '\t':
        wanted = CompletionPlace::AttributeName;
        break;
    case '"':
    case '\'':
        wanted = CompletionPlace::FileName;
        break;
    default:
        return;
    }
    const int pos = m_memo->SelStart();
    const CompletionPlace place = CompletionAt(window(pos), pos);
    if (place.kind != wanted)
        return;
    // A list shown before would take this character as its own next one.
    if (m_memo->SendScintilla(B::SCI_AUTOCACTIVE))
        m_memo->SendScintilla(B::SCI_AUTOCCANCEL);
    showList(place, false);
}

void TypingHelp::completeName()
{
    const int pos = m_memo->SelStart();
    if (m_memo->SelLength() > 0)
        return;
    const CompletionPlace place = CompletionAt(window(pos), pos);
    if (place.kind == CompletionPlace::None) {
        m_say(QStringLiteral("No names to offer here"));
        return;
    }
    showList(place, true);
}

void TypingHelp::showList(const CompletionPlace &given, bool onDemand)
{
    CompletionPlace place = given;
    const int pos = m_memo->SelStart();
    const bool upper = AppSettings().Typing.UpperCaseNames;
    QStringList names;
    switch (place.kind) {
    case CompletionPlace::ElementName:
        names = InCase(AppMarkupNames().elements(), upper);
        break;
    case CompletionPlace::EndTag:
        names = {m_memo->decode(place.element)};
        break;
    case CompletionPlace::AttributeName:
        names = InCase(AppMarkupNames().attributes(place.element), upper);
        break;
    case CompletionPlace::EntityName:
        names = AppMarkupNames().entities();
        break;
    case CompletionPlace::FileName: {
        const QString typed = m_memo->decode(place.typed);
        const qsizetype slash = typed.lastIndexOf(QLatin1Char('/'));
        names = fileNames(m_documentFolder(), typed.left(slash + 1));
        place.from += int(m_memo->encode(typed.left(slash + 1)).size());
        break;
    }
    case CompletionPlace::None:
        return;
    }
    if (names.isEmpty()) {
        if (onDemand)
            m_say(QStringLiteral("No names to offer here"));
        return;
    }
    m_place = place;
    m_memo->SendScintilla(B::SCI_AUTOCSETSEPARATOR, long('\n'));
    m_memo->SendScintilla(B::SCI_AUTOCSETIGNORECASE, 1L);
    m_memo->SendScintilla(B::SCI_AUTOCSETORDER, long(B::SC_ORDER_PERFORMSORT));
    m_memo->SendScintilla(B::SCI_AUTOCSETCHOOSESINGLE, 0L);
    m_memo->SendScintilla(B::SCI_AUTOCSETAUTOHIDE, 1L);
    m_memo->SendScintilla(B::SCI_AUTOCSETDROPRESTOFWORD, 0L);
    m_memo->SendScintilla(B::SCI_AUTOCSETMAXHEIGHT, 10L);
    const QByteArray list = m_memo->encode(names.join(QLatin1Char('\n')));
    m_memo->SendScintilla(B::SCI_AUTOCSHOW, static_cast<unsigned long>(std::max(0, pos - place.from)),
                          list.constData());
}

void TypingHelp::listChosen(const char *text)
{
    // The list's own insertion is cancelled: what goes in depends on the kind of name.
    m_memo->SendScintilla(B::SCI_AUTOCCANCEL);
    const int pos = m_memo->SelStart();
    const int from = m_place.from;
    if (from < 0 || from > pos)
        return;
    QByteArray insert(text);
    int back = 0;
    switch (m_place.kind) {
    case CompletionPlace::EndTag:
        insert += '>';
        break;
    case CompletionPlace::AttributeName:
        insert += "=\"\"";
        back = 1;
        break;
    case CompletionPlace::EntityName:
        insert += ';';
        break;
    default:
        break;
    }
    {
        UndoStep step(m_memo);
        m_memo->SendScintilla(B::SCI_SETSEL, long(from), long(pos));
        m_memo->setSelText(insert);
    }
    if (back) {
        m_memo->setSelStart(m_memo->SelStart() - back);
        m_quotedValue = m_memo->SelStart();
    }
    const bool folder = m_place.kind == CompletionPlace::FileName && insert.endsWith('/');
    const bool fileValue = m_place.kind == CompletionPlace::AttributeName
                           && (insert.toLower() == "href=\"\"" || insert.toLower() == "src=\"\"");
    m_place = {};
    if ((folder || fileValue) && AppSettings().Typing.CompleteNames) {
        // The next names at once: a folder's entries, or the files for a new HREF or SRC.
        QMetaObject::invokeMethod(
            this,
            [this] {
                const int at = m_memo->SelStart();
                const CompletionPlace next = CompletionAt(window(at), at);
                if (next.kind == CompletionPlace::FileName)
                    showList(next, false);
            },
            Qt::QueuedConnection);
    }
}

void TypingHelp::clearMarks()
{
    if (m_marks.empty())
        return;
    // The editor has moved the marks with every change since: its own runs say
    // where they are now. Clearing only those keeps the repaint to the marked
    // tags; a clear over the whole text would redraw the whole view per key.
    const long len = m_memo->length();
    for (int ind : {IndMatch, IndNoMatch}) {
        m_memo->SendScintilla(B::SCI_SETINDICATORCURRENT, ind);
        for (long pos = 0; pos < len;) {
            const long end = m_memo->SendScintilla(B::SCI_INDICATOREND, ind, pos);
            if (end <= pos)
                break;
            if (m_memo->SendScintilla(B::SCI_INDICATORVALUEAT, ind, pos))
                m_memo->SendScintilla(B::SCI_INDICATORCLEARRANGE, pos, end - pos);
            pos = end;
        }
    }
    m_marks.clear();
    m_markedTagStart = -1;
}

void TypingHelp::mark(int indicator, int from, int to)
{
    from = std::clamp(from, 0, m_memo->length());
    to = std::clamp(to, from, m_memo->length());
    if (to == from)
        return;
    m_memo->SendScintilla(B::SCI_SETINDICATORCURRENT, indicator);
    m_memo->SendScintilla(B::SCI_INDICATORFILLRANGE, long(from), long(to - from));
    m_marks.emplace_back(from, to);
}

void TypingHelp::updateMarks()
{
    m_markTimer.stop();
    if (!AppSettings().Typing.MatchTags) {
        clearMarks();
        return;
    }
    const int pos = int(m_memo->SendScintilla(B::SCI_GETCURRENTPOS));
    if (m_version == m_markedVersion && m_markedTagStart >= 0 && pos >= m_markedTagStart && pos <= m_markedTagEnd)
        return;
    const TagMatch m = MatchTag(window(pos), pos);
    clearMarks();
    m_markedVersion = m_version;
    m_markedTagStart = m.kind == TagMatch::NoTag ? -1 : m.tag.start;
    m_markedTagEnd = m.tag.end;
    switch (m.kind) {
    case TagMatch::Matched:
        mark(IndMatch, m.tag.start, m.tag.end);
        mark(IndMatch, m.other.start, m.other.end);
        break;
    case TagMatch::Implied:
        mark(IndMatch, m.tag.start, m.tag.end);
        break;
    case TagMatch::Unmatched:
        mark(IndNoMatch, m.tag.start, m.tag.end);
        break;
    case TagMatch::TooFar:
        m_say(QStringLiteral("No match within 1 MB"));
        break;
    default:
        break;
    }
}

void TypingHelp::goToMatchingTag()
{
    const int pos = int(m_memo->SendScintilla(B::SCI_GETCURRENTPOS));
    const TagMatch m = MatchTag(window(pos), pos);
    switch (m.kind) {
    case TagMatch::Matched:
        // Just inside the other tag, so the next jump comes back.
        m_memo->setSelStart(m.other.start + 1);
        break;
    case TagMatch::Implied:
        m_memo->setSelStart(m.impliedEnd);
        m_say(QStringLiteral("The element ends here without its end tag"));
        break;
    case TagMatch::TooFar:
        m_say(QStringLiteral("No match within 1 MB"));
        break;
    case TagMatch::Unmatched:
        m_say(m.tag.kind == Tag::Start ? QStringLiteral("This start tag has no end tag")
                                       : QStringLiteral("This end tag has no start tag"));
        break;
    case TagMatch::Empty:
        m_say(QStringLiteral("This element has no end tag"));
        break;
    case TagMatch::NoTag:
        m_say(QStringLiteral("The caret is in no tag"));
        break;
    }
}

void TypingHelp::selectElement()
{
    const int from = m_memo->SelStart();
    const int to = from + m_memo->SelLength();
    const ElementRange r = ElementAround(window(from), from, to);
    if (!r.valid()) {
        m_say(QStringLiteral("No element around the selection within 1 MB"));
        return;
    }
    m_memo->SendScintilla(B::SCI_SETSEL, long(r.from), long(r.to));
    m_memo->SendScintilla(B::SCI_SCROLLCARET);
}

void AttachTypingHelp(TMDIChild &child)
{
    // Keys users gave other items before these items existed stay theirs.
    for (const Command &row : TypingHelpCommands())
        if (QAction *a = child.action(row.itemName))
            a->setProperty(NewerItemProperty, true);
    TMDIChild *doc = &child;
    auto *help = new TypingHelp(
        child.Memo1,
        [doc] { return doc->DocumentFileName.isEmpty() ? QString() : QFileInfo(doc->DocumentFileName).absolutePath(); },
        [doc](const QString &text) { doc->mainForm()->setStatusText(0, text); });
    QObject::connect(&ViewSettingsEvents::instance(), &ViewSettingsEvents::changed, help, &TypingHelp::settingsChanged);
}

const QList<Command> &TypingHelpCommands()
{
    static const QList<Command> commands = {
        MakeCommand("GoToMatchingTag1", "Go to &Matching Tag", "Ctrl+E", "Move the caret to the tag that matches",
                    [](TextDocument &d) { withHelp(d, &TypingHelp::goToMatchingTag); }),
        MakeCommand("SelectElement1", "Select &Element", "Ctrl+Shift+E",
                    "Select the element around the caret; again for the one around it",
                    [](TextDocument &d) { withHelp(d, &TypingHelp::selectElement); }),
        MakeCommand("CompleteName1", "Complete Name", "Ctrl+Space",
                    "List the element, attribute, entity or file names that fit here",
                    [](TextDocument &d) { withHelp(d, &TypingHelp::completeName); }),
    };
    return commands;
}

const MarkupNames &AppMarkupNames()
{
    static const MarkupNames names = [] {
        const QString name = QStringLiteral("markup-names.txt");
        MarkupNames own = MarkupNames::load(DataFolder() + name);
        if (!own.isEmpty())
            return own;
        return MarkupNames::load(ShippedDataFolder(QCoreApplication::applicationDirPath()) + QLatin1Char('/') + name);
    }();
    return names;
}
