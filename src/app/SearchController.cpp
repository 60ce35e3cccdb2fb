#include "app/SearchController.h"

#include "platform/SettingsStore.h"
#include "search/SearchText.h"
#include "search/TextSearch.h"

#include <utility>
#include "editor/ColorMemo.h"
#include "platform/Prompts.h"

namespace {

// Text the document cannot hold (a character outside Latin-1 in a Latin-1
// document) matches nothing, rather than the '?' it would be encoded as.
bool encodeExactly(const TColorMemo *editor, const QString &text, QByteArray *bytes)
{
    *bytes = editor->encode(text);
    return editor->decode(*bytes) == text;
}

void select(TColorMemo *editor, qsizetype pos, qsizetype length)
{
    editor->setSelStart(int(pos));
    editor->setSelLength(int(length));
}

// With word wrap on, the editor lays out every inserted line at once, seconds
// for a large stretch; switched back on, wrapping catches up lazily instead.
class WrapSuspension
{
public:
    explicit WrapSuspension(TColorMemo *editor) : m_editor(editor), m_mode(editor->wrapMode())
    {
        if (m_mode != QsciScintilla::WrapNone)
            m_editor->setWrapMode(QsciScintilla::WrapNone);
    }
    ~WrapSuspension()
    {
        if (m_mode != QsciScintilla::WrapNone)
            m_editor->setWrapMode(m_mode);
    }
    WrapSuspension(const WrapSuspension &) = delete;
    WrapSuspension &operator=(const WrapSuspension &) = delete;

private:
    TColorMemo *m_editor;
    QsciScintilla::WrapMode m_mode;
};

// Replaces every match from `first` on in one editor operation: one undo step,
// one repaint, every other byte kept.
int replaceAllFrom(TColorMemo *editor, qsizetype first, const QByteArray &find, const QByteArray &replacement,
                   bool matchCase)
{
    ReplaceAllResult r = ReplaceAllMatches(editor->textView(), first, find, replacement, matchCase);
    if (r.count == 0)
        return 0;
    {
        WrapSuspension wrap(editor);
        UndoStep step(editor);
        select(editor, r.from, r.to - r.from);
        editor->setSelText(r.bytes);
    }
    editor->SendScintilla(QsciScintilla::SCI_SCROLLCARET);
    return int(r.count);
}

void sayCantFind(QWidget *parent, const QString &findText)
{
    Prompts::instance().message(parent, QStringLiteral("Tagloom"),
                                QStringLiteral("Cant find: '") + findText + QLatin1Char('\''), QMessageBox::NoIcon,
                                QMessageBox::Ok);
}

void sayError(QWidget *parent, const QString &text)
{
    Prompts::instance().message(parent, QStringLiteral("Tagloom"), text, QMessageBox::Warning, QMessageBox::Ok);
}

bool usesOurOptions(const SearchQuery &q)
{
    return q.wholeWord || q.regex || q.up || q.inSelection;
}

SearchOptions optionsOf(const SearchQuery &q)
{
    return {q.matchCase, q.wholeWord, q.regex};
}

// The next match in the query's direction from the caret or selection.
TextMatch nextMatch(TextSearcher &searcher, const TColorMemo *editor, const SearchQuery &query, qsizetype findLength)
{
    const QByteArrayView text = editor->textView();
    if (query.up)
        return searcher.findBackward(text, editor->SelStart());
    const qsizetype start = NextSearchStart(text, editor->SelStart(), editor->SelLength(), findLength, query.regex);
    // An empty match at the caret was found last time: go on past it.
    return searcher.findForward(text, start, query.regex && editor->SelLength() == 0 ? start : -1);
}

// Writes a Replace All result over the editor's text: one undo step, one repaint.
void applyReplaceAll(TColorMemo *editor, const ReplaceAllResult &r)
{
    WrapSuspension wrap(editor);
    UndoStep step(editor);
    select(editor, r.from, r.to - r.from);
    editor->setSelText(r.bytes);
}

// Replace All with whole word, regular expression, direction or selection:
// down from the selection's start (a selected match is replaced too), up to
// the caret, or within the selection.
int replaceAllWithOptions(TColorMemo *editor, TextSearcher &searcher, const SearchQuery &query,
                          const QByteArray &replacement, QWidget *parent)
{
    const QByteArrayView text = editor->textView();
    const qsizetype selStart = editor->SelStart();
    const qsizetype selEnd = selStart + editor->SelLength();
    const bool inSelection = query.inSelection && selEnd > selStart;
    qsizetype first = selStart;
    QByteArrayView view = text;
    if (inSelection)
        view = text.first(selEnd);
    else if (query.up)
        view = text.first(selStart), first = 0;
    const ReplaceAllResult r = searcher.replaceAll(view, first, replacement);
    if (!searcher.error().isEmpty()) {
        sayError(parent, searcher.error());
        return 0;
    }
    if (r.count == 0)
        return 0;
    const qsizetype grown = r.bytes.size() - (r.to - r.from);
    applyReplaceAll(editor, r);
    if (inSelection)
        select(editor, selStart, selEnd + grown - selStart);
    editor->SendScintilla(QsciScintilla::SCI_SCROLLCARET);
    return int(r.count);
}

bool findWithOptions(TColorMemo *editor, const SearchQuery &query, QWidget *parent)
{
    QByteArray find;
    if (!encodeExactly(editor, query.findText, &find)) {
        sayCantFind(parent, query.findText);
        return false;
    }
    TextSearcher searcher(find, optionsOf(query), editor->isUtf8Document());
    if (!searcher.isValid() && !find.isEmpty()) {
        sayError(parent, searcher.error());
        return false;
    }
    const TextMatch m = nextMatch(searcher, editor, query, find.size());
    if (!searcher.error().isEmpty() && !find.isEmpty()) {
        sayError(parent, searcher.error());
        return false;
    }
    if (!m.found()) {
        sayCantFind(parent, query.findText);
        return false;
    }
    select(editor, m.start, m.length);
    return true;
}

int replaceWithOptions(TColorMemo *editor, const SearchQuery &query, bool all, QWidget *parent)
{
    QByteArray find;
    if (!encodeExactly(editor, query.findText, &find) || find.isEmpty())
        return 0;
    const QByteArray replacement = editor->encode(query.replaceText);
    TextSearcher searcher(find, optionsOf(query), editor->isUtf8Document());
    QString error = searcher.isValid() ? searcher.replacementError(replacement) : searcher.error();
    if (!error.isEmpty()) {
        sayError(parent, error);
        return 0;
    }
    if (all)
        return replaceAllWithOptions(editor, searcher, query, replacement, parent);

    int replaced = 0;
    TextMatch m = nextMatch(searcher, editor, query, find.size());
    while (m.found()) {
        select(editor, m.start, m.length);
        const auto answer = Prompts::instance().message(
            parent, QStringLiteral("Confirm"), QStringLiteral("Replace selected text?"), QMessageBox::Question,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll);
        if (answer == QMessageBox::YesToAll) {
            // "All" replaces the occurrence it was asked about as well, then
            // every one further in the search's direction.
            if (query.up)
                select(editor, m.end(), 0);
            SearchQuery rest = query;
            rest.inSelection = false;
            return replaced + replaceAllWithOptions(editor, searcher, rest, replacement, parent);
        }
        if (answer == QMessageBox::Yes) {
            QByteArray bytes;
            searcher.appendReplacement(bytes, editor->textView(), replacement);
            UndoStep step(editor);
            editor->setSelText(bytes);
            ++replaced;
            if (query.up)
                select(editor, m.start, 0);
        } else if (answer != QMessageBox::No) {
            break;
        }
        m = nextMatch(searcher, editor, query, find.size());
    }
    if (!searcher.error().isEmpty())
        sayError(parent, searcher.error());
    return replaced;
}

}  // namespace

bool FindInDocument(TColorMemo *editor, const SearchQuery &query, QWidget *parent)
{
    if (!editor)
        return false;
    if (usesOurOptions(query))
        return findWithOptions(editor, query, parent);
    QByteArray find;
    qsizetype pos = -1;
    if (encodeExactly(editor, query.findText, &find))
        pos = FindNextPosition(editor->textView(), editor->SelStart(), editor->SelLength(), find, query.matchCase);
    if (pos < 0) {
        Prompts::instance().message(parent, QStringLiteral("Tagloom"),
                                    QStringLiteral("Cant find: '") + query.findText + QLatin1Char('\''),
                                    QMessageBox::NoIcon, QMessageBox::Ok);
        return false;
    }
    select(editor, pos, find.size());
    return true;
}

int ReplaceInDocument(TColorMemo *editor, const SearchQuery &query, bool all, QWidget *parent)
{
    if (!editor)
        return 0;
    if (usesOurOptions(query))
        return replaceWithOptions(editor, query, all, parent);
    QByteArray find;
    if (!encodeExactly(editor, query.findText, &find))
        return 0;
    const QByteArray replacement = editor->encode(query.replaceText);
    const bool matchCase = query.matchCase;

    qsizetype pos = FindNextPosition(editor->textView(), editor->SelStart(), editor->SelLength(), find, matchCase);
    if (all)
        return pos < 0 ? 0 : replaceAllFrom(editor, pos, find, replacement, matchCase);

    int replaced = 0;
    while (pos >= 0) {
        select(editor, pos, find.size());
        const auto answer = Prompts::instance().message(
            parent, QStringLiteral("Confirm"), QStringLiteral("Replace selected text?"), QMessageBox::Question,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll);
        // "All" replaces the occurrence it was asked about as well.
        if (answer == QMessageBox::YesToAll)
            return replaced + replaceAllFrom(editor, pos, find, replacement, matchCase);
        if (answer == QMessageBox::Yes) {
            UndoStep step(editor);
            editor->setSelText(replacement);
            ++replaced;
        } else if (answer != QMessageBox::No) {
            break;
        }
        pos = FindNextPosition(editor->textView(), editor->SelStart(), editor->SelLength(), find, matchCase);
    }
    return replaced;
}

int ReplaceAllInEditor(TColorMemo *editor, const QString &find, const QString &replacement,
                       const SearchOptions &options, QString *error)
{
    QByteArray findBytes;
    if (!encodeExactly(editor, find, &findBytes))
        return 0;
    QByteArray replacementBytes;
    if (!encodeExactly(editor, replacement, &replacementBytes)) {
        *error = QStringLiteral("The document's encoding cannot hold the replacement text.");
        return -1;
    }
    TextSearcher searcher(findBytes, options, editor->isUtf8Document());
    *error = searcher.isValid() ? searcher.replacementError(replacementBytes) : searcher.error();
    if (!error->isEmpty())
        return -1;
    const ReplaceAllResult r = searcher.replaceAll(editor->textView(), 0, replacementBytes);
    if (!searcher.error().isEmpty()) {
        *error = searcher.error();
        return -1;
    }
    if (r.count > 0)
        applyReplaceAll(editor, r);
    return int(r.count);
}

SearchController::SearchController(QWidget *mainWindow, std::function<TColorMemo *()> activeEditor)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_activeEditor(std::move(activeEditor)),
      m_findDialog(new SearchDialog(SearchDialog::Find, mainWindow)),
      m_replaceDialog(new SearchDialog(SearchDialog::Replace, mainWindow))
{
    for (SearchDialog *dialog : {m_findDialog, m_replaceDialog}) {
        connect(dialog, &SearchDialog::findNextPressed, this,
                [this, dialog] { FindInDocument(m_activeEditor(), dialog->query(), dialog); });
    }
    connect(m_replaceDialog, &SearchDialog::replacePressed, this, [this](bool all) {
        const int count = ReplaceInDocument(m_activeEditor(), m_replaceDialog->query(), all, m_replaceDialog);
        if (count > 0)
            emit statusMessage(count == 1 ? QStringLiteral("Replaced 1 occurrence")
                                          : QStringLiteral("Replaced %1 occurrences").arg(count));
    });
    for (SearchDialog *dialog : {m_findDialog, m_replaceDialog}) {
        connect(dialog, &SearchDialog::optionsChanged, this, [this, dialog] { optionsChangedIn(dialog); });
        connect(dialog, &SearchDialog::activated, this, [this, dialog] { showSelectionState(dialog); });
    }
}

namespace {
const QString kSearchSection = QStringLiteral("Search");
const QString kWholeWord = QStringLiteral("Whole word");
const QString kRegex = QStringLiteral("Regular expression");
const QString kUp = QStringLiteral("Search up");
}  // namespace

void SearchController::useSettings(SettingsStore *store)
{
    m_store = nullptr;  // loading is no change to write back
    for (SearchDialog *dialog : {m_findDialog, m_replaceDialog}) {
        dialog->setWholeWord(store->readBool(kSearchSection, kWholeWord, false));
        dialog->setRegex(store->readBool(kSearchSection, kRegex, false));
        dialog->setUp(store->readBool(kSearchSection, kUp, false));
    }
    m_store = store;
}

void SearchController::optionsChangedIn(SearchDialog *dialog)
{
    SearchDialog *other = dialog == m_findDialog ? m_replaceDialog : m_findDialog;
    SettingsStore *store = std::exchange(m_store, nullptr);
    other->setWholeWord(dialog->wholeWord());
    other->setRegex(dialog->regex());
    other->setUp(dialog->up());
    m_store = store;
    if (m_store) {
        m_store->writeBool(kSearchSection, kWholeWord, dialog->wholeWord());
        m_store->writeBool(kSearchSection, kRegex, dialog->regex());
        m_store->writeBool(kSearchSection, kUp, dialog->up());
    }
}

void SearchController::showSelectionState(SearchDialog *dialog)
{
    const TColorMemo *editor = m_activeEditor();
    dialog->setSelectionActive(editor && editor->SelLength() > 0);
}

void SearchController::open(SearchDialog *dialog)
{
    if (TColorMemo *editor = m_activeEditor()) {
        if (editor->SelLength() > 0)
            dialog->setFindText(
                editor->decode(editor->rangeView(editor->SelStart(), editor->SelStart() + editor->SelLength())));
    }
    showSelectionState(dialog);
    dialog->present();
    if (!m_findNextEnabled) {
        m_findNextEnabled = true;
        emit findNextEnabledChanged(true);
    }
}

void SearchController::find()
{
    open(m_findDialog);
}

void SearchController::replace()
{
    open(m_replaceDialog);
}

void SearchController::findNext()
{
    FindInDocument(m_activeEditor(), m_findDialog->query(), m_mainWindow);
}
