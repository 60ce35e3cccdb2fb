#include "app/DocumentView.h"

#include "app/CheckCommands.h"
#include "app/ChildWin.h"
#include "app/EditorBasics.h"
#include "custom/HotkeyMenu.h"
#include "editor/ColorMemo.h"
#include "platform/Settings.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>

#include <algorithm>

using B = QsciScintillaBase;

namespace {
constexpr int NumberMargin = 0;
// A faint blue that leaves the colours of the text readable.
constexpr long CurrentLineColour = 0xFCF4EE;  // BGR of #EEF4FC

// Width in pixels of the numbers of the last line, at least two digits wide.
// Measuring text costs more than a keystroke's repaint, so the width is kept
// with the shown editor and measured again only when the digits, zoom or font change.
long numberMarginWidth(TColorMemo &memo)
{
    const long lines = memo.SendScintilla(B::SCI_GETLINECOUNT);
    int digits = 2;
    for (long n = lines; n >= 100; n /= 10)
        ++digits;
    char font[128] = {};
    if (memo.SendScintilla(B::SCI_STYLEGETFONT, static_cast<unsigned long>(B::STYLE_LINENUMBER),
                           static_cast<char *>(nullptr))
        < long(sizeof font))
        memo.SendScintilla(B::SCI_STYLEGETFONT, static_cast<unsigned long>(B::STYLE_LINENUMBER), font);
    const QString key = QStringLiteral("%1/%2/%3/%4")
                            .arg(digits)
                            .arg(memo.SendScintilla(B::SCI_GETZOOM))
                            .arg(memo.SendScintilla(B::SCI_STYLEGETSIZEFRACTIONAL,
                                                    static_cast<unsigned long>(B::STYLE_LINENUMBER)))
                            .arg(QLatin1String(font));
    static const char *const KeyProperty = "numberMarginKey";
    static const char *const WidthProperty = "numberMarginWidth";
    if (memo.property(KeyProperty).toString() == key)
        return memo.property(WidthProperty).toLongLong();
    const QByteArray nines(digits, '9');
    const long width = memo.SendScintilla(B::SCI_TEXTWIDTH, static_cast<unsigned long>(B::STYLE_LINENUMBER),
                                          nines.constData())
                       + memo.SendScintilla(B::SCI_TEXTWIDTH, static_cast<unsigned long>(B::STYLE_LINENUMBER), "9") / 2
                       + 6;
    // Text is measured for the screen the editor is shown on; a hidden one measures it anew.
    if (memo.isVisible()) {
        memo.setProperty(KeyProperty, key);
        memo.setProperty(WidthProperty, qlonglong(width));
    }
    return width;
}

// Takes the keys off the close item of the sub-window the document window is put in.
class SubWindowKeys : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ParentChange) {
            auto *sub = qobject_cast<QMdiSubWindow *>(static_cast<QWidget *>(watched)->parentWidget());
            if (QMenu *system = sub ? sub->systemMenu() : nullptr)
                for (QAction *a : system->actions())
                    a->setShortcuts(QList<QKeySequence>());
        }
        return false;
    }
};

void syncItems(TMDIChild &child)
{
    const Settings &s = AppSettings();
    const struct
    {
        const char *item;
        bool on;
    } checks[] = {{"LineNumbers1", s.LineNumbers},
                  {"WhitespaceLineEnds1", s.WhitespaceAndLineEnds},
                  {"CurrentLine1", s.CurrentLineBackground}};
    for (const auto &c : checks)
        if (QAction *a = child.action(QString::fromLatin1(c.item)))
            a->setChecked(c.on);
}

void syncUndoItems(TMDIChild &child)
{
    if (QAction *undo = child.action(QStringLiteral("Undo1")))
        undo->setEnabled(child.Memo1->SendScintilla(B::SCI_CANUNDO));
    if (QAction *redo = child.action(QStringLiteral("Redo1")))
        redo->setEnabled(child.Memo1->SendScintilla(B::SCI_CANREDO));
}
}  // namespace

ViewSettingsEvents &ViewSettingsEvents::instance()
{
    static ViewSettingsEvents events;
    return events;
}

void FitLineNumberMargin(TColorMemo &memo, bool shown)
{
    const long width = shown ? numberMarginWidth(memo) : 0;
    if (memo.SendScintilla(B::SCI_GETMARGINWIDTHN, static_cast<unsigned long>(NumberMargin)) != width)
        memo.SendScintilla(B::SCI_SETMARGINWIDTHN, static_cast<unsigned long>(NumberMargin), width);
}

void ApplyViewSettings(TColorMemo &memo, const Settings &s)
{
    memo.SendScintilla(B::SCI_SETMARGINTYPEN, static_cast<unsigned long>(NumberMargin), long(B::SC_MARGIN_NUMBER));
    memo.SendScintilla(B::SCI_SETVIEWWS, s.WhitespaceAndLineEnds ? B::SCWS_VISIBLEALWAYS : B::SCWS_INVISIBLE);
    memo.SendScintilla(B::SCI_SETVIEWEOL, s.WhitespaceAndLineEnds ? 1UL : 0UL);
    memo.SendScintilla(B::SCI_SETCARETLINEVISIBLE, s.CurrentLineBackground ? 1UL : 0UL);
    memo.SendScintilla(B::SCI_SETCARETLINEVISIBLEALWAYS, 1UL);
    memo.SendScintilla(B::SCI_SETCARETLINEBACK, static_cast<unsigned long>(CurrentLineColour));
    const int zoom = std::clamp(s.Zoom, SettingLimits::MinZoom, SettingLimits::MaxZoom);
    if (memo.SendScintilla(B::SCI_GETZOOM) != zoom)
        memo.SendScintilla(B::SCI_SETZOOM, static_cast<unsigned long>(long(zoom)));
    FitLineNumberMargin(memo, s.LineNumbers);
}

void AttachDocumentView(TMDIChild &child)
{
    TColorMemo *memo = child.Memo1;
    // Keys users gave other items before these items existed stay theirs.
    for (const Command &row : EditorBasicsCommands() + CheckCommands())
        if (QAction *a = child.action(row.itemName))
            a->setProperty(NewerItemProperty, true);
    ApplyViewSettings(*memo, AppSettings());
    syncItems(child);
    syncUndoItems(child);
    QObject::connect(&ViewSettingsEvents::instance(), &ViewSettingsEvents::changed, &child, [&child] {
        ApplyViewSettings(*child.Memo1, AppSettings());
        syncItems(child);
    });
    // Cheap enough for every caret move: the line count and undo state are kept by the editor.
    QObject::connect(memo, &QsciScintillaBase::SCN_UPDATEUI, &child, [&child](int) {
        FitLineNumberMargin(*child.Memo1, AppSettings().LineNumbers);
        syncUndoItems(child);
    });
    // At once after each change too, so a key pressed before the next paint finds the item's state.
    QObject::connect(memo, &QsciScintilla::textChanged, &child, [&child] { syncUndoItems(child); });
    QObject::connect(memo, &TColorMemo::loaded, &child, [&child] { syncUndoItems(child); });
    // The wheel with Ctrl, or the editor's own keys, zoom one editor: all follow, as from the menu.
    QObject::connect(memo, &QsciScintillaBase::SCN_ZOOM, &child, [memo] {
        const int zoom = int(memo->SendScintilla(B::SCI_GETZOOM));
        if (zoom == AppSettings().Zoom)
            return;
        AppSettings().Zoom = std::clamp(zoom, SettingLimits::MinZoom, SettingLimits::MaxZoom);
        emit ViewSettingsEvents::instance().changed();
    });
    // MDI programs close a document with Ctrl+F4 too; the menu item keeps Ctrl+W
    // (or the user's hotkey), this key stays. The sub-window's own close item
    // would hold both keys as well, and a key held twice runs neither.
    child.installEventFilter(new SubWindowKeys(&child));
    auto *closeKey = new QAction(&child);
    closeKey->setObjectName(QStringLiteral("closeKey"));
    closeKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    closeKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    child.addAction(closeKey);
    QObject::connect(closeKey, &QAction::triggered, &child, [&child] {
        if (QAction *close = child.action(QStringLiteral("FileCloseItem")); close && close->isEnabled())
            close->trigger();
    });
}
