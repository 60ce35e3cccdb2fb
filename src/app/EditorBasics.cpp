#include "app/EditorBasics.h"

#include "app/ChildWin.h"
#include "app/DocumentManager.h"
#include "app/DocumentView.h"
#include "app/GoToLineDlg.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <algorithm>

namespace {
TMDIChild &child(TextDocument &document)
{
    return static_cast<TMDIChild &>(document);
}

void changeView(const std::function<void(Settings &)> &change)
{
    change(AppSettings());
    AppSettings().Zoom = std::clamp(AppSettings().Zoom, SettingLimits::MinZoom, SettingLimits::MaxZoom);
    emit ViewSettingsEvents::instance().changed();
}

void selectAll(TColorMemo &memo)
{
    // A byte-order mark stays out of the selection, so typing over it all keeps the mark first.
    memo.SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(memo.textStart()),
                       long(memo.length()));
}
}  // namespace

bool SaveAllDocuments(const QList<TMDIChild *> &documents)
{
    QList<QPointer<TMDIChild>> all(documents.cbegin(), documents.cend());
    for (const QPointer<TMDIChild> &doc : all) {
        if (!doc || !doc->Modified)
            continue;
        if (doc->DocumentFileName.isEmpty()) {
            // The user names the page they can see.
            if (QMdiSubWindow *sub = doc->subWindow())
                sub->mdiArea()->setActiveSubWindow(sub);
            if (!doc->saveDocumentAs())
                return false;
        } else if (!doc->SaveDocument(doc->DocumentFileName)) {
            return false;
        }
    }
    return true;
}

const QList<Command> &EditorBasicsCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Undo1", "&Undo", "Ctrl+Z", "Take back the last change",
                    [](TextDocument &d) { child(d).Memo1->undo(); }),
        MakeCommand("Redo1", "Re&do", "Ctrl+Y", "Make the change taken back again",
                    [](TextDocument &d) { child(d).Memo1->redo(); }),
        MakeCommand("SelectAll1", "Select &All", "", "Select the whole document",
                    [](TextDocument &d) { selectAll(*child(d).Memo1); }),
        MakeCommand("GoToLine1", "&Go to Line...", "Ctrl+G", "Move the caret to a line",
                    [](TextDocument &d) { GoToLine1Click(*child(d).Memo1, &child(d)); }),
        MakeCommand("SaveAll1", "Save A&ll", "Ctrl+Shift+S", "Save every changed document",
                    [](TextDocument &d) { SaveAllDocuments(child(d).documents().list()); }),
        MakeCommand("LineNumbers1", "&Line Numbers", "", "Show the line numbers",
                    [](TextDocument &) { changeView([](Settings &s) { s.LineNumbers = !s.LineNumbers; }); }),
        MakeCommand("WhitespaceLineEnds1", "&Whitespace and Line Ends", "", "Show blanks, tabs and line ends",
                    [](TextDocument &) {
                        changeView([](Settings &s) { s.WhitespaceAndLineEnds = !s.WhitespaceAndLineEnds; });
                    }),
        MakeCommand("CurrentLine1", "Current Line &Background", "", "Give the caret's line a faint background",
                    [](TextDocument &) {
                        changeView([](Settings &s) { s.CurrentLineBackground = !s.CurrentLineBackground; });
                    }),
        MakeCommand("ZoomIn1", "Zoom &In", "Ctrl+=", "Make the text larger",
                    [](TextDocument &) { changeView([](Settings &s) { ++s.Zoom; }); }),
        MakeCommand("ZoomOut1", "Zoom &Out", "Ctrl+-", "Make the text smaller",
                    [](TextDocument &) { changeView([](Settings &s) { --s.Zoom; }); }),
        MakeCommand("ResetZoom1", "&Reset Zoom", "Ctrl+0", "Show the text at its own size",
                    [](TextDocument &) { changeView([](Settings &s) { s.Zoom = 0; }); }),
    };
    return commands;
}
