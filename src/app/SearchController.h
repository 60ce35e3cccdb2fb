#pragma once

#include "app/SearchDialog.h"
#include "search/TextSearch.h"

#include <QObject>
#include <functional>

class QWidget;
class SettingsStore;
class TColorMemo;

// The Find Next action: selects the next match after the caret or selection,
// or says "Cant find: '<text>'" and leaves the selection alone.
// Returns whether a match was selected.
bool FindInDocument(TColorMemo *editor, const SearchQuery &query, QWidget *parent);

// The Replace action (all = false): selects each next match in turn and asks
// "Replace selected text?" with Yes, No, Cancel and Yes to All, the last one
// standing for "All". The Replace All action (all = true) replaces every match
// from the caret or selection on without asking, as one undo step.
// Returns the number of replacements made.
int ReplaceInDocument(TColorMemo *editor, const SearchQuery &query, bool all, QWidget *parent);

// Every match of `find` in the editor's whole text replaced as one undo step
// (Replace in Files on an open document); the number replaced, or -1 with
// `error` set (malformed pattern, a group the pattern lacks, a pattern that
// backtracks too much), and then nothing has changed.
int ReplaceAllInEditor(TColorMemo *editor, const QString &find, const QString &replacement,
                       const SearchOptions &options, QString *error);

// The shared find and replace dialogs of the main window. Every press acts on
// the editor that `activeEditor` gives at that moment (nullptr: nothing to do).
class SearchController : public QObject
{
    Q_OBJECT
public:
    SearchController(QWidget *mainWindow, std::function<TColorMemo *()> activeEditor);

    // "&Find..." (Ctrl+F): the selection becomes the find text, the find dialog is shown.
    void find();
    // "Find &Next" (F3): the next match of the find dialog's text.
    void findNext();
    // "&Replace..." (Ctrl+R): as "&Find..." with the replace dialog.
    void replace();

    bool findNextEnabled() const { return m_findNextEnabled; }
    SearchDialog *findDialog() const { return m_findDialog; }
    SearchDialog *replaceDialog() const { return m_replaceDialog; }

    // Whole word, regular expression and direction are read from the store,
    // shared by both dialogs, and written back whenever the user changes them.
    void useSettings(SettingsStore *store);

signals:
    // "Find &Next" becomes usable once a dialog was opened.
    void findNextEnabledChanged(bool enabled);
    // A note for the status bar, such as how many Replace All replaced.
    void statusMessage(const QString &text);

private:
    void open(SearchDialog *dialog);
    void showSelectionState(SearchDialog *dialog);
    void optionsChangedIn(SearchDialog *dialog);

    QWidget *m_mainWindow;
    std::function<TColorMemo *()> m_activeEditor;
    SearchDialog *m_findDialog;
    SearchDialog *m_replaceDialog;
    bool m_findNextEnabled = false;
    SettingsStore *m_store = nullptr;
};
