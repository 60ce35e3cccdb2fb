#include "editor/ColorMemo.h"

#include "editor/ColorRulesFile.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Indicators that carry the colours. The document has no style bytes, so every
// colour is an indicator value over the visible stretch.
constexpr int IndText = 8;              // text colour
constexpr int IndUnderline = 9;         // hot-spot text underline
constexpr int IndBlock = 10;            // hot-spot markers as solid blocks
constexpr long IndicFlagValueFore = 1;  // SC_INDICFLAG_VALUEFORE

// The editor hears of a change before it happens, to tell the program, and
// after, for a screen reader (the library's accessibility tells it of the
// changed text while an assistive technology is active, else does nothing).
// Style and indicator changes, which every colour pass makes, are not sent.
constexpr long ChangeMask = QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE
                            | QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT;

// A big document's text and tables are freed in pieces that the allocator
// would keep for the process; give them back once the editor is done with them.
void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace

TColorMemo::TColorMemo(QWidget *parent) : QsciScintilla(parent)
{
    setObjectName(QStringLiteral("Memo1"));
    // Colours are painted with indicators, so the document needs no style bytes:
    // that halves the memory of a huge file.
    const long doc = SendScintilla(SCI_CREATEDOCUMENT, 0UL, long(SC_DOCUMENTOPTION_STYLES_NONE));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, doc);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, doc);
    SendScintilla(SCI_SETCODEPAGE, SC_CP_UTF8);
    SendScintilla(SCI_SETEOLMODE, SC_EOL_CRLF);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    SendScintilla(SCI_SETHSCROLLBAR, 0);
    setWrapMode(QsciScintilla::WrapWord);
    // Layouts of the lines on screen only: a cache of every line laid out walks
    // all of them on each caret move and keeps a wrapped document's layout twice.
    SendScintilla(SCI_SETLAYOUTCACHE, long(SC_CACHE_PAGE));
    setMarginWidth(1, 0);
    // No annotations are shown: with them visible the library lays out the
    // changed lines again on every edit and redraws the whole view when a
    // line's height looks changed.
    setAnnotationDisplay(QsciScintilla::AnnotationHidden);
    setTabWidth(8);
    setIndentationsUseTabs(true);
    setUpIndicators();
    // Undo and redo keep their keys on every platform (a menu holding one takes it).
    if (QsciCommand *undo = standardCommands()->find(QsciCommand::Undo))
        undo->setKey(Qt::Key_Z | Qt::CTRL);
    if (QsciCommand *redo = standardCommands()->find(QsciCommand::Redo)) {
        redo->setKey(Qt::Key_Y | Qt::CTRL);
        redo->setAlternateKey(Qt::Key_Z | Qt::CTRL | Qt::SHIFT);
    }

    m_passTimer.setSingleShot(true);
    m_passTimer.setInterval(0);
    connect(&m_passTimer, &QTimer::timeout, this, &TColorMemo::runPendingPass);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this, &TColorMemo::modified);
    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, &TColorMemo::updateUi);
    SendScintilla(SCI_SETMODEVENTMASK, ChangeMask);
    // The library would send textChanged for each insertion and deletion; the
    // editor sends it once after each batch of changes (afterChanges), so
    // Replace All does not run its listeners thousands of times.
    disconnect(this, SIGNAL(SCN_MODIFIED(int, int, const char *, int, int, int, int, int, int, int)), this,
               SLOT(handleModified(int, int, const char *, int, int, int, int, int, int, int)));
}

TColorMemo::~TColorMemo()
{
    // The document itself goes after this body, with the base class.
    if (length() >= LargeDocumentBytes / 4 && QCoreApplication::instance())
        QMetaObject::invokeMethod(QCoreApplication::instance(), releaseFreedMemory, Qt::QueuedConnection);
}

void TColorMemo::setUpIndicators()
{
    for (int ind : {IndText, IndUnderline, IndBlock})
        SendScintilla(SCI_INDICSETFLAGS, ind, IndicFlagValueFore);
    SendScintilla(SCI_INDICSETSTYLE, IndText, long(INDIC_TEXTFORE));
    SendScintilla(SCI_INDICSETSTYLE, IndUnderline, long(INDIC_PLAIN));
    SendScintilla(SCI_INDICSETSTYLE, IndBlock, long(INDIC_FULLBOX));
    // Opaque and drawn over the text: the marker character becomes a block.
    SendScintilla(SCI_INDICSETALPHA, IndBlock, 255L);
    SendScintilla(SCI_INDICSETOUTLINEALPHA, IndBlock, 255L);
    SendScintilla(SCI_INDICSETUNDER, IndBlock, 0L);
    // Selected text keeps the platform's highlight whatever colours cover it.
    const QPalette pal = palette();
    setSelectionForegroundColor(pal.color(QPalette::Active, QPalette::HighlightedText));
    setSelectionBackgroundColor(pal.color(QPalette::Active, QPalette::Highlight));
}

void TColorMemo::releaseKeys(const QList<int> &keys)
{
    const auto commands = standardCommands()->commands();
    for (QsciCommand *cmd : commands) {
        if (cmd->key() && keys.contains(cmd->key()))
            cmd->setKey(0);
        if (cmd->alternateKey() && keys.contains(cmd->alternateKey()))
            cmd->setAlternateKey(0);
    }
}

bool TColorMemo::event(QEvent *e)
{
    // QScintilla claims every unmodified or shifted key before shortcuts see it;
    // function keys and Enter with modifiers belong to the menus.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->key() >= Qt::Key_F1 && ke->key() <= Qt::Key_F35)
            return QWidget::event(e);
    }
    return QsciScintilla::event(e);
}

void TColorMemo::keyPressEvent(QKeyEvent *e)
{
    // A moving key starts from the selection's end, and the selection's
    // characters get their colours back.
    const int key = e->key();
    const bool moving = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home
                        || key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (moving && SelLength() > 0 && !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
        SendScintilla(SCI_SETEMPTYSELECTION, long(SelStart() + SelLength()));
        PaintColors(false);
    }
    emit keyDown(e);
    QsciScintilla::keyPressEvent(e);
    afterChanges();
}

void TColorMemo::inputMethodEvent(QInputMethodEvent *e)
{
    QsciScintilla::inputMethodEvent(e);
    afterChanges();
}

void TColorMemo::dropEvent(QDropEvent *e)
{
    QsciScintilla::dropEvent(e);
    afterChanges();
}

void TColorMemo::append(const QString &text)
{
    QsciScintilla::append(text);
    afterChanges();
}

void TColorMemo::clear()
{
    QsciScintilla::clear();
    afterChanges();
}

void TColorMemo::cut()
{
    QsciScintilla::cut();
    afterChanges();
}

void TColorMemo::insert(const QString &text)
{
    QsciScintilla::insert(text);
    afterChanges();
}

void TColorMemo::insertAt(const QString &text, int line, int index)
{
    QsciScintilla::insertAt(text, line, index);
    afterChanges();
}

void TColorMemo::paste()
{
    QsciScintilla::paste();
    afterChanges();
}

void TColorMemo::redo()
{
    QsciScintilla::redo();
    afterChanges();
}

void TColorMemo::removeSelectedText()
{
    QsciScintilla::removeSelectedText();
    afterChanges();
}

void TColorMemo::replaceSelectedText(const QString &text)
{
    QsciScintilla::replaceSelectedText(text);
    afterChanges();
}

void TColorMemo::setText(const QString &text)
{
    QsciScintilla::setText(text);
    afterChanges();
}

void TColorMemo::undo()
{
    QsciScintilla::undo();
    afterChanges();
}

void TColorMemo::keyReleaseEvent(QKeyEvent *e)
{
    QsciScintilla::keyReleaseEvent(e);
    if (e->key() == Qt::Key_Shift && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        PaintColors(false);
}

void TColorMemo::mousePressEvent(QMouseEvent *e)
{
    QsciScintilla::mousePressEvent(e);
    if (e->button() == Qt::LeftButton && e->buttons() == Qt::LeftButton
        && !(e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        PaintColors(false);
}

void TColorMemo::mouseReleaseEvent(QMouseEvent *e)
{
    QsciScintilla::mouseReleaseEvent(e);
    afterChanges();  // a middle-button paste
    if (e->button() != Qt::LeftButton)
        return;
    PaintColors(false);
    if (m_handShown && m_hotSpot.Active) {
        const int pos = hotSpotAt(e->position().toPoint());
        if (pos >= 0 && OnHotSpotClick)
            OnHotSpotClick(this, hotSpotText(pos));
    }
}

void TColorMemo::mouseMoveEvent(QMouseEvent *e)
{
    QsciScintilla::mouseMoveEvent(e);
    if (!m_hotSpot.Active) {
        if (m_handShown) {
            viewport()->setCursor(Qt::IBeamCursor);
            m_handShown = false;
        }
        return;
    }
    const bool inside = hotSpotAt(e->position().toPoint()) >= 0;
    if (inside)
        viewport()->setCursor(Qt::PointingHandCursor);
    else if (m_handShown)
        viewport()->setCursor(Qt::IBeamCursor);
    m_handShown = inside;
}

int TColorMemo::hotSpotAt(const QPoint &point)
{
    const long pos = SendScintilla(SCI_CHARPOSITIONFROMPOINTCLOSE, long(point.x()), long(point.y()));
    if (pos < 0)
        return -1;
    const long line = SendScintilla(SCI_LINEFROMPOSITION, pos);
    const QByteArrayView rest = rangeView(int(pos), int(SendScintilla(SCI_GETLINEENDPOSITION, line)));
    // 1-based places, 0 when absent.
    const qsizetype e = rest.indexOf(m_hotSpot.EndChar) + 1;
    const qsizetype b = rest.indexOf(m_hotSpot.BeginChar) + 1;
    const bool inside = e >= 1 && (e < b || b == 0 || m_hotSpot.BeginChar == m_hotSpot.EndChar);
    return inside ? int(pos) : -1;
}

QByteArray TColorMemo::hotSpotText(int pos)
{
    const long line = SendScintilla(SCI_LINEFROMPOSITION, long(pos));
    QByteArrayView before = rangeView(int(SendScintilla(SCI_POSITIONFROMLINE, line)), pos);
    const qsizetype lastBegin = before.lastIndexOf(m_hotSpot.BeginChar);
    if (lastBegin >= 0)
        before = before.sliced(lastBegin + 1);
    QByteArray text = before.toByteArray();
    const QByteArrayView rest = rangeView(pos, int(SendScintilla(SCI_GETLINEENDPOSITION, line)));
    const qsizetype e = rest.indexOf(m_hotSpot.EndChar);
    text += rest.first(std::max<qsizetype>(e, 0));
    return text;
}

void TColorMemo::setColorRules(const TDrawRules &rules)
{
    m_rules.Assign(rules);
    colorsChanged();
}

void TColorMemo::setColorLimMax(int value)
{
    m_drawHook.A.assign(size_t(std::max(value, 0)), TKeyDescr{});
}

void TColorMemo::setRedrawAlways(bool value)
{
    m_redrawAlways = value;
    colorsChanged();
}

void TColorMemo::setHotSpot(const THotSpot &hotSpot)
{
    m_hotSpot = hotSpot;
    colorsChanged();
}

void TColorMemo::colorsChanged()
{
    schedulePass(Pass::Full);
}

void TColorMemo::modified(int /*position*/, int type)
{
    // Every insertion and deletion, undo and redo included, is announced
    // before it happens; the change itself follows at once.
    if (m_loading || !(type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)))
        return;
    if (m_changesPending++ == 0)
        QMetaObject::invokeMethod(this, &TColorMemo::afterChanges, Qt::QueuedConnection);
    emit textChanging();
}

void TColorMemo::afterChanges()
{
    if (m_changesPending == 0)
        return;
    const int changes = std::exchange(m_changesPending, 0);
    const int lines = int(SendScintilla(SCI_GETLINECOUNT));
    const int end = length();
    // One typed character: one change, same lines, one byte more.
    const bool oneChar = changes == 1 && !m_redrawAlways && lines == m_recordedLines
                         && end == m_recordedEnd + std::exchange(m_typedBytes, 1);
    m_recordedLines = lines;
    m_recordedEnd = end;
    schedulePass(oneChar ? Pass::CaretLine : Pass::Full);
    emit textChanged();
}

void TColorMemo::typeText(const QByteArray &text)
{
    const bool oneLine = !text.contains('\n') && !text.contains('\r');
    // Only an insertion at a bare caret is one change.
    if (oneLine && SelLength() == 0 && m_changesPending == 0)
        m_typedBytes = int(text.size());
    setSelText(text);
    if (m_changesPending == 0)
        m_typedBytes = 1;  // nothing was written (read-only)
}

void TColorMemo::updateUi(int updated)
{
    if (updated & SC_UPDATE_V_SCROLL && OnVScroll)
        OnVScroll(this);
    if (updated & SC_UPDATE_H_SCROLL && OnHScroll)
        OnHScroll(this);
    if (updated & (SC_UPDATE_V_SCROLL | SC_UPDATE_H_SCROLL) && viewKey() != m_lastView)
        schedulePass(Pass::Full);
}

void TColorMemo::schedulePass(Pass pass)
{
    // Many changes at once (Replace All) make one pass, run before the next
    // paint; two changes before it make a full one.
    m_pending = m_pending == Pass::None ? pass : Pass::Full;
    if (!m_passTimer.isActive())
        m_passTimer.start();
}

void TColorMemo::runPendingPass()
{
    const Pass pass = m_pending;
    if (pass == Pass::None)
        return;
    m_pending = Pass::None;
    PaintColors(pass == Pass::CaretLine);
}

TColorMemo::ViewKey TColorMemo::viewKey()
{
    ViewKey key;
    key.firstVisible = SendScintilla(SCI_GETFIRSTVISIBLELINE);
    key.xOffset = SendScintilla(SCI_GETXOFFSET);
    key.linesOnScreen = SendScintilla(SCI_LINESONSCREEN);
    key.wrap = SendScintilla(SCI_GETWRAPMODE);
    key.lineHeight = SendScintilla(SCI_TEXTHEIGHT, 0UL);
    key.width = viewport()->width();
    key.height = viewport()->height();
    return key;
}

void TColorMemo::showEvent(QShowEvent *e)
{
    QsciScintilla::showEvent(e);
    schedulePass(Pass::Full);
}

void TColorMemo::paintEvent(QPaintEvent *e)
{
    afterChanges();
    // Scrolling, resizing or rewrapping shows other lines: colour them before
    // they are drawn.
    if (m_pending == Pass::None && (m_hasColors || m_rules.Count() > 0 || m_hotSpot.Active) && viewKey() != m_lastView)
        m_pending = Pass::Full;
    if (m_pending != Pass::None) {
        runPendingPass();
        // What the pass changed outside this paint's region is redrawn by the
        // next paint: updates asked for during a paint can be dropped. Most
        // passes change only what this paint draws anyway.
        const QRegion rest = QRegion(m_changedBand).subtracted(e->region());
        if (!rest.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, rest] { viewport()->update(rest); }, Qt::QueuedConnection);
    }
    QsciScintilla::paintEvent(e);
    if (!OnDrawKey || m_keyRuns.empty())
        return;
    QPainter painter(viewport());
    painter.setFont(font());
    const TColor fontColor = TColor(SendScintilla(SCI_STYLEGETFORE, long(STYLE_DEFAULT)));
    for (const TKeyDescr &run : m_keyRuns) {
        const int x = int(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, long(run.StartPos)));
        const int y = int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, long(run.StartPos)));
        const QString text = decode(rangeView(run.StartPos, run.EndPos + 1));
        const int height = int(SendScintilla(SCI_TEXTHEIGHT, 0UL));
        const QRect rect(x, y, painter.fontMetrics().horizontalAdvance(text), height);
        if (!rect.intersects(viewport()->rect()))
            continue;
        const long c = sciColor(run.KeyColor);
        painter.setPen(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
        OnDrawKey(painter, text, rect, fontColor);
    }
}

long TColorMemo::sciColor(TColor color)
{
    // Scintilla colours are $BBGGRR like ours; system colours are looked up.
    if (!(color & 0x80000000))
        return long(color & 0xFFFFFF);
    auto fromQt = [](const QColor &c) { return long(c.red() | c.green() << 8 | c.blue() << 16); };
    switch (color & 0xFF) {
    case 5:  // window background
        return SendScintilla(SCI_STYLEGETBACK, long(STYLE_DEFAULT));
    case 8:  // window text
        return SendScintilla(SCI_STYLEGETFORE, long(STYLE_DEFAULT));
    case 13:
        return fromQt(palette().color(QPalette::Highlight));
    case 14:
        return fromQt(palette().color(QPalette::HighlightedText));
    case 15:
        return fromQt(palette().color(QPalette::Button));
    default:
        return SendScintilla(SCI_STYLEGETBACK, long(STYLE_DEFAULT));
    }
}

void TColorMemo::clearIndicators(int from, int to)
{
    if (to <= from)
        return;
    for (int ind : {IndText, IndUnderline, IndBlock}) {
        SendScintilla(SCI_SETINDICATORCURRENT, ind);
        SendScintilla(SCI_INDICATORCLEARRANGE, long(from), long(to - from));
    }
}

void TColorMemo::PaintColors(bool caretLineOnly)
{
    const bool haveWork = m_rules.Count() > 0 || m_hotSpot.Active;
    if (!isEnabled() || !isVisible())
        return;
    if (!haveWork) {
        // Rules switched off: the editor shows plain text again.
        if (m_hasColors)
            clearIndicators(0, length());
        m_hasColors = false;
        m_painted.clear();
        m_keyRuns.clear();
        return;
    }

    const int lineHeight = int(SendScintilla(SCI_TEXTHEIGHT, 0UL));
    const int lineCount = int(SendScintilla(SCI_GETLINECOUNT));
    const int selStart = SelStart();
    const int selLength = SelLength();
    const int caretLine = int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
    const int firstLine = caretLineOnly
                              ? caretLine
                              : int(SendScintilla(SCI_DOCLINEFROMVISIBLE, SendScintilla(SCI_GETFIRSTVISIBLELINE)));
    const int lines = caretLineOnly ? 1 : lineCount - firstLine;
    const int scanLine = PaintScanStartLine(m_rules, firstLine);
    const int from = int(SendScintilla(SCI_POSITIONFROMLINE, long(scanLine)));
    const int firstStart = int(SendScintilla(SCI_POSITIONFROMLINE, long(firstLine)));

    auto lineStart = [this](int line) { return int(SendScintilla(SCI_POSITIONFROMLINE, long(line))); };
    auto lineEnd = [this](int line) { return int(SendScintilla(SCI_GETLINEENDPOSITION, long(line))); };
    // The top of a line's last display line: a wrapped line is coloured only
    // when all of it is visible.
    auto lineTop = [&](int line) -> std::optional<int> {
        if (line >= lineCount || !SendScintilla(SCI_GETLINEVISIBLE, long(line)))
            return std::nullopt;
        const long y = SendScintilla(SCI_POINTYFROMPOSITION, 0UL, SendScintilla(SCI_POSITIONFROMLINE, long(line)));
        const long wraps = std::max(1L, SendScintilla(SCI_WRAPCOUNT, long(line)));
        return int(y + (wraps - 1) * lineHeight);
    };
    const int limit = std::max(
        from, PaintLimit(firstLine, lines, lineHeight, viewport()->height(), lineTop, lineStart, lineEnd));

    // The stretch whose old colours go: the caret's line, or every line that
    // shows, the partly visible ones included.
    int clearTo;
    if (caretLineOnly) {
        clearTo = lineStart(std::min(caretLine + 1, lineCount));
        if (caretLine + 1 >= lineCount)
            clearTo = length();
    } else {
        const long lastVisible = SendScintilla(SCI_GETFIRSTVISIBLELINE) + SendScintilla(SCI_LINESONSCREEN) + 1;
        const int lastLine = int(SendScintilla(SCI_DOCLINEFROMVISIBLE, lastVisible));
        clearTo = lastLine + 1 >= lineCount ? length() : lineStart(lastLine + 1);
        clearTo = std::max(clearTo, limit);
    }

    // The stretches to colour: [scanFrom, paintTo) is read, [paintFrom, paintTo)
    // coloured. Normally one; a long line is cut to the part that shows, so a
    // minified page costs what a screenful of short lines does.
    m_stretches.clear();
    auto longLine = [&](int line) { return lineEnd(line) - lineStart(line) > LongLineBytes; };
    auto addLongLine = [&](int line) {
        const auto [a, b] = visiblePart(line, lineHeight);
        if (b > a)
            m_stretches.push_back({std::max(lineStart(line), a - LongLineLookBack), a, b});
    };
    if (limit > firstStart) {
        int scanFrom = from;
        int paintFrom = firstStart;
        for (int line = firstLine; line < lineCount && lineStart(line) < limit; ++line) {
            if (!longLine(line))
                continue;
            if (lineStart(line) > paintFrom)
                m_stretches.push_back({scanFrom, paintFrom, lineStart(line)});
            addLongLine(line);
            scanFrom = paintFrom = std::min(limit, lineStart(line + 1));
        }
        if (limit > paintFrom)
            m_stretches.push_back({scanFrom, paintFrom, limit});
    } else if (firstLine < lineCount && longLine(firstLine)) {
        // A wrapped long line fills the view: its shown rows get colours.
        addLongLine(firstLine);
    }

    m_painted.clear();
    m_paintedParts.clear();
    m_keyRuns.clear();
    int scanned = 0;
    for (const PaintStretch &stretch : m_stretches)
        scanned += colorStretch(stretch, caretLine, selStart, selLength);

    clearIndicators(firstStart, std::max(clearTo, m_stretches.empty() ? 0 : m_stretches.back().paintTo));
    for (size_t i = 0; i < m_painted.size(); ++i) {
        const TKeyDescr &run = m_painted[i];
        if (run.KeyZOrder == ReservedZ::Selection || run.KeyZOrder == ReservedZ::Tab)
            continue;
        const auto [s, e] = m_paintedParts[i];
        if (e <= s)
            continue;
        if (run.IsKey && OnDrawKey
            && SendScintilla(SCI_LINEFROMPOSITION, long(s)) == SendScintilla(SCI_LINEFROMPOSITION, long(e - 1))) {
            m_keyRuns.push_back({s, e - 1, run.KeyColor, run.KeyZOrder, run.IsKey});
            continue;
        }
        const long color = SC_INDICVALUEBIT | sciColor(run.KeyColor);
        const int ind = run.KeyZOrder == ReservedZ::HotSpotMarker ? IndBlock : IndText;
        SendScintilla(SCI_SETINDICATORCURRENT, ind);
        SendScintilla(SCI_SETINDICATORVALUE, color);
        SendScintilla(SCI_INDICATORFILLRANGE, long(s), long(e - s));
        if (run.KeyZOrder == ReservedZ::HotSpotText && m_hotSpot.Underlined) {
            SendScintilla(SCI_SETINDICATORCURRENT, IndUnderline);
            SendScintilla(SCI_SETINDICATORVALUE, color);
            SendScintilla(SCI_INDICATORFILLRANGE, long(s), long(e - s));
        }
    }
    m_lastPass.scanned = scanned;
    m_hasColors = true;
    const int bandTop = int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, long(firstStart)));
    const int bandBottom = int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, long(clearTo))) + lineHeight;
    m_changedBand = QRect(0, bandTop, viewport()->width(), bandBottom - bandTop);
    if (!m_keyRuns.empty())
        viewport()->update();

    m_lastPass.caretLineOnly = caretLineOnly;
    m_lastPass.firstLine = firstLine;
    m_lastPass.from = m_stretches.empty() ? from : m_stretches.front().scanFrom;
    m_lastPass.limit = m_stretches.empty() ? limit : m_stretches.back().paintTo;
    m_lastPass.runs = int(m_painted.size());
    ++m_lastPass.passes;
    if (!caretLineOnly)
        m_lastView = viewKey();
}

std::pair<int, int> TColorMemo::visiblePart(int line, int lineHeight)
{
    // The rows of the line that show in full, from the left edge of the first
    // to the right edge of the last (one row when not wrapping).
    const int start = int(SendScintilla(SCI_POSITIONFROMLINE, long(line)));
    const int end = int(SendScintilla(SCI_GETLINEENDPOSITION, long(line)));
    const int y = int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, long(start)));
    const int wraps = int(std::max(1L, SendScintilla(SCI_WRAPCOUNT, long(line))));
    const int rowsBottom = lineHeight > 0 ? viewport()->height() / lineHeight * lineHeight : 0;
    const int top = std::max(y, 0);
    const int bottom = std::min(y + wraps * lineHeight, rowsBottom);
    if (bottom <= top)
        return {start, start};
    const int a = int(SendScintilla(SCI_POSITIONFROMPOINT, 0UL, long(top + lineHeight / 2)));
    const int b = int(SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(viewport()->width()),
                                    long(bottom - lineHeight / 2)));
    // A character cut by the right edge shows too: a few bytes more are harmless.
    const int from = std::clamp(a, start, end);
    return {from, std::clamp(b + 4, from, end)};
}

int TColorMemo::colorStretch(const PaintStretch &stretch, int caretLine, int selStart, int selLength)
{
    const int from = stretch.scanFrom;
    const int limit = stretch.paintTo;
    if (limit <= from)
        return 0;
    // Positions inside the pass are relative to the scan start, so only the
    // scanned stretch is read.
    const QByteArrayView text = rangeView(from, limit);
    PaintState state;
    state.HotSpot = m_hotSpot;
    state.WantTabs = WantTabs;
    state.BackgroundColor = clWindowBackground;
    state.RedrawAlways = m_redrawAlways;
    state.FontColor = TColor(SendScintilla(SCI_STYLEGETFORE, long(STYLE_DEFAULT)));
    state.CaretLineStart = int(SendScintilla(SCI_POSITIONFROMLINE, long(caretLine))) - from;
    state.SelStart = selStart - from;
    state.SelLength = selLength;
    DrawEventHook *hook = nullptr;
    if (OnDraw && !m_drawHook.A.empty()) {
        m_drawHook.OnDraw = [this, from](TColorRule *sender, int fromPos, QByteArrayView text, std::span<TKeyDescr> a,
                                         int &itemsCount) { OnDraw(sender, fromPos + from, text, a, itemsCount); };
        hook = &m_drawHook;
    }
    if (state.SelStart < 0) {
        // A selection beginning above the stretch masks its visible part.
        state.SelLength = std::max(0, state.SelLength + state.SelStart);
        state.SelStart = 0;
    }
    if (state.CaretLineStart < 0)
        state.CaretLineStart = 0;
    m_paint.compute(m_rules, text, 0, limit - from, state, hook);
    for (TKeyDescr run : m_paint.runs()) {
        run.StartPos += from;
        run.EndPos += from;
        m_painted.push_back(run);
        // What was scanned before the coloured part only gave context.
        m_paintedParts.emplace_back(std::max(run.StartPos, stretch.paintFrom), std::min(run.EndPos + 1, limit));
    }
    return limit - from;
}

void ApplyColorRules(TColorMemo &memo, QWidget *parent)
{
    ApplyColorRules(memo.ColorRules(), parent);
    memo.colorsChanged();
}

QByteArrayView TColorMemo::textView() const
{
    auto *self = const_cast<TColorMemo *>(this);
    const int len = length();
    const char *p = reinterpret_cast<const char *>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
    return QByteArrayView(p, len);
}

int TColorMemo::length() const
{
    return int(const_cast<TColorMemo *>(this)->SendScintilla(SCI_GETLENGTH));
}

QByteArrayView TColorMemo::rangeView(int from, int to) const
{
    auto *self = const_cast<TColorMemo *>(this);
    const int len = length();
    from = std::clamp(from, 0, len);
    to = std::clamp(to, from, len);
    if (to == from)
        return {};
    const char *p = reinterpret_cast<const char *>(
        self->SendScintilla(SCI_GETRANGEPOINTER, long(from), long(to - from)));
    return QByteArrayView(p, to - from);
}

void TColorMemo::loadBytes(const QByteArray &bytes)
{
    const bool utf8 = bytes.isValidUtf8();
    beginLoad(bytes.size(), utf8);
    appendLoadedBytes(bytes);
    endLoad(utf8);
}

void TColorMemo::beginLoad(qint64 expectedSize, std::optional<bool> utf8)
{
    // Wrapping while appending lays out every line at once; it is switched
    // back on at the end, when only the visible lines need it.
    m_loading = true;
    m_loadedLineEnds = {};
    m_wrapAfterLoad = SendScintilla(SCI_GETWRAPMODE);
    SendScintilla(SCI_SETWRAPMODE, SC_WRAP_NONE);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0);
    SendScintilla(SCI_CLEARALL);
    // The final encoding from the start when it is known: changing it after the
    // load makes the editor rebuild its tables over every line. Else
    // single-byte while loading: a piece may end inside a UTF-8 sequence.
    SendScintilla(SCI_SETCODEPAGE, utf8.value_or(false) ? SC_CP_UTF8 : 0);
    // Room for typing after the load: else the first key copies the whole
    // document into a larger buffer, a visible pause on tens of megabytes.
    constexpr qint64 TypingRoom = 64 << 10;
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(expectedSize + 1 + TypingRoom));
}

void TColorMemo::appendLoadedBytes(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
}

void TColorMemo::endLoad(std::optional<bool> utf8)
{
    if (!utf8)
        utf8 = textView().isValidUtf8();
    if (*utf8 != isUtf8Document())
        SendScintilla(SCI_SETCODEPAGE, *utf8 ? SC_CP_UTF8 : 0);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
    // Text typed or inserted at once goes after a byte-order mark, not before it.
    SendScintilla(SCI_GOTOPOS, long(textStart()));
    // A large document stays unwrapped until the user asks for wrapping.
    m_wrapSuspended = m_wrapAfterLoad != SC_WRAP_NONE && length() >= LargeDocumentBytes;
    if (!m_wrapSuspended)
        SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(m_wrapAfterLoad));
    else
        SendScintilla(SCI_SETHSCROLLBAR, 1UL);  // unwrapped lines scroll sideways
    m_loading = false;
    m_changesPending = 0;
    m_recordedLines = int(SendScintilla(SCI_GETLINECOUNT));
    m_recordedEnd = length();
    schedulePass(Pass::Full);
    if (length() >= LargeDocumentBytes / 4)
        releaseFreedMemory();
    emit loaded();
}

bool TColorMemo::isUtf8Document() const
{
    return const_cast<TColorMemo *>(this)->SendScintilla(SCI_GETCODEPAGE) == SC_CP_UTF8;
}

int TColorMemo::textStart() const
{
    static constexpr QByteArrayView Bom("\xEF\xBB\xBF");
    return isUtf8Document() && rangeView(0, int(Bom.size())) == Bom ? int(Bom.size()) : 0;
}

int TColorMemo::SelStart() const
{
    return int(const_cast<TColorMemo *>(this)->SendScintilla(SCI_GETSELECTIONSTART));
}

int TColorMemo::SelLength() const
{
    auto *self = const_cast<TColorMemo *>(this);
    return int(self->SendScintilla(SCI_GETSELECTIONEND) - self->SendScintilla(SCI_GETSELECTIONSTART));
}

QByteArray TColorMemo::SelText() const
{
    const int start = SelStart();
    return rangeView(start, start + SelLength()).toByteArray();
}

void TColorMemo::setSelStart(int pos)
{
    pos = std::clamp(pos, 0, length());
    SendScintilla(SCI_SETEMPTYSELECTION, long(pos));
    SendScintilla(SCI_SCROLLCARET);
}

void TColorMemo::setSelLength(int len)
{
    const int start = SelStart();
    const int end = std::clamp(start + std::max(len, 0), start, length());
    SendScintilla(SCI_SETSEL, long(start), long(end));
}

void TColorMemo::setSelText(const QByteArray &bytes)
{
    // SCI_REPLACESEL stops at a NUL; replacing the target takes a length.
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    SendScintilla(SCI_SETTARGETRANGE, start, end);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    SendScintilla(SCI_SETEMPTYSELECTION, start + long(bytes.size()));
    SendScintilla(SCI_SCROLLCARET);
    afterChanges();
}

void TColorMemo::setSelText(const QString &text)
{
    setSelText(encode(text));
}

QByteArray TColorMemo::encode(const QString &text) const
{
    return isUtf8Document() ? text.toUtf8() : text.toLatin1();
}

QString TColorMemo::decode(QByteArrayView bytes) const
{
    return isUtf8Document() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

void TColorMemo::beginUndoAction()
{
    SendScintilla(SCI_BEGINUNDOACTION);
}

void TColorMemo::endUndoAction()
{
    SendScintilla(SCI_ENDUNDOACTION);
}
