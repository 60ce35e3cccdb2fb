#pragma once

#include "tags/CloseTag.h"
#include "tags/Command.h"
#include "tags/ContextIndex.h"
#include "tags/MarkupText.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

class MarkupNames;
class TColorMemo;
class TMDIChild;

// Help while typing markup in one editor: typing a start tag's '>' writes its
// end tag, the tag matching the one at the caret is marked, and lists offer
// element, attribute, entity and file names. Each part follows its setting in
// AppSettings().Typing at the moment it acts. Only what the user types sets it
// off: pasting, replacing, undoing and dialogs write nothing more.
class TypingHelp : public QObject
{
    Q_OBJECT
public:
    // `documentFolder` gives the folder file names are offered from (empty for
    // none); `say` shows a short note to the user.
    TypingHelp(TColorMemo *memo, std::function<QString()> documentFolder, std::function<void(const QString &)> say);

    // The help of an editor, when it has one.
    static TypingHelp *of(TColorMemo *memo);

    void goToMatchingTag();
    // The element around the caret, or the next larger one around the selection.
    void selectElement();
    // The list of names that fit at the caret, on demand.
    void completeName();
    // Marks the tags now rather than when the editor next reports a caret move.
    void updateMarks();
    // Applies changed colours and settings to the marks.
    void settingsChanged();

    // The document's bytes within the matching window around pos, without a
    // copy, with the index of its comments and scripts: valid until the next
    // change of the text.
    MarkupText window(int pos) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The document's bytes [from, to) without a copy.
    MarkupText text(int from, int to) const;
    MarkupText wholeText() const;
    bool typeGreaterThan();
    bool stepOverQuote();
    void charAdded(int ch);
    void showList(const CompletionPlace &place, bool onDemand);
    void listChosen(const char *text);
    void clearMarks();
    void mark(int indicator, int from, int to);

    TColorMemo *m_memo;
    std::function<QString()> m_documentFolder;
    std::function<void(const QString &)> m_say;
    CompletionPlace m_place;  // what the shown list completes
    int m_quotedValue = -1;   // start of the value whose closing quote a completion wrote
    // Read at the first look far enough into the page, then kept up to date with every change.
    mutable ContextIndex m_contextIndex;
    mutable int m_changesUnseen = 0;  // since the last look
    QTimer m_markTimer;
    std::vector<std::pair<int, int>> m_marks;  // indicator ranges [from, to) now shown
    // The tag last matched and the text version then: moving inside it again costs nothing.
    int m_markedTagStart = -1, m_markedTagEnd = -1;
    quint64 m_markedVersion = 0;
    quint64 m_version = 0;      // counts changes of the text
    quint64 m_seenVersion = 0;  // the version the last editor update showed
};

// Gives a document window's editor its typing help.
void AttachTypingHelp(TMDIChild &child);

// "Go to Matching Tag", "Select Element" and "Complete Name": rows of the
// window's own commands (see WindowCommands()).
const QList<Command> &TypingHelpCommands();

// The names offered, read once from "markup-names.txt" in the data folder, or
// else the one shipped with the program.
const MarkupNames &AppMarkupNames();
