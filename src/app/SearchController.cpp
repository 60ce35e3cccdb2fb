#include "app/SearchController.h"

#include "search/SearchText.h"
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

}  // namespace

bool FindInDocument(TColorMemo *editor, const SearchQuery &query, QWidget *parent)
{
    if (!editor)
        return false;
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

SearchController::SearchController(QWidget *mainWindow, std::function<TColorMemo *()> activeEditor)
    : QObject(mainWindow), m_mainWindow(mainWindow), m_activeEditor(std::move(activeEditor)),
      m_findDialog(new SearchDialog(SearchDialog::Find, mainWindow)),
      m_replaceDialog(new SearchDialog(SearchDialog::Replace, mainWindow))
{
    for (SearchDialog *dialog : {m_findDialog, m_replaceDialog}) {
        connect(dialog, &SearchDialog::findNextPressed, this,
                [this, dialog] { FindInDocument(m_activeEditor(), dialog->query(), dialog); });
    }
    connect(m_replaceDialog, &SearchDialog::replacePressed, this,
            [this](bool all) { ReplaceInDocument(m_activeEditor(), m_replaceDialog->query(), all, m_replaceDialog); });
}

void SearchController::open(SearchDialog *dialog)
{
    if (TColorMemo *editor = m_activeEditor()) {
        if (editor->SelLength() > 0)
            dialog->setFindText(
                editor->decode(editor->rangeView(editor->SelStart(), editor->SelStart() + editor->SelLength())));
    }
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
