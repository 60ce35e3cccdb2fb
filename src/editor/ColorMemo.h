#pragma once

#include "editor/ColorPaint.h"
#include "editor/ColorRules.h"

#include <QByteArray>
#include <optional>
#include <QRect>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include <functional>
#include <vector>

class QPainter;
class TColorMemo;

// The line ends a file came with, before loading made each one CR LF.
struct LineEndCount
{
    qint64 crlf = 0;
    qint64 lf = 0;  // LF alone
    qint64 cr = 0;  // CR alone
    bool operator==(const LineEndCount &) const = default;
};

using NotifyEvent = std::function<void(TColorMemo *sender)>;
// SRC: the text of the clicked hot spot.
using THotSpotClickEvent = std::function<void(TColorMemo *sender, const QByteArray &SRC)>;
// Paints one keyword run instead of the editor: canvas has the keyword's colour
// as its pen, rect is where the text stands, KColor the editor's font colour.
using TKeyDrawEvent = std::function<void(QPainter &canvas, const QString &PKey, const QRect &rect, TColor KColor)>;

// The editor of a document window. The document is bytes: positions are byte
// offsets and a line break is the two bytes CR LF.
class TColorMemo : public QsciScintilla
{
    Q_OBJECT
public:
    explicit TColorMemo(QWidget *parent = nullptr);
    ~TColorMemo() override;

    // The whole text, without a copy: valid until the next change.
    QByteArrayView textView() const;
    QByteArray bytes() const { return textView().toByteArray(); }
    int length() const;
    // Bytes [from, to) without copying the rest of the document.
    QByteArrayView rangeView(int from, int to) const;

    // Replaces the whole text; empties undo history and leaves the caret at 0.
    void loadBytes(const QByteArray &bytes);
    // Loading in pieces: the text is emptied, the pieces appended, and the
    // display encoding chosen from the whole text at the end. `utf8`: whether
    // the whole text is valid UTF-8, when the caller knows it before the load.
    void beginLoad(qint64 expectedSize, std::optional<bool> utf8 = std::nullopt);
    void appendLoadedBytes(QByteArrayView bytes);
    // `utf8`: whether the whole text is valid UTF-8, when the caller already knows.
    void endLoad(std::optional<bool> utf8 = std::nullopt);

    int SelStart() const;
    int SelLength() const;
    QByteArray SelText() const;
    // Moves the caret and removes the selection.
    void setSelStart(int pos);
    // Selects that many bytes from the caret.
    void setSelLength(int length);
    // Replaces the selection (or inserts at the caret), caret after the text.
    void setSelText(const QByteArray &bytes);
    // Text typed in dialogs, encoded into the document's encoding.
    void setSelText(const QString &text);
    QByteArray encode(const QString &text) const;
    QString decode(QByteArrayView bytes) const;

    // Whether the display reads the bytes as UTF-8 (else Latin-1).
    bool isUtf8Document() const;
    // Where the text proper begins: after a UTF-8 byte-order mark, else 0. The
    // mark must stay the first bytes of the file, so nothing is written before it.
    int textStart() const;

    // The line ends of the file as it was read, when the loader counted them;
    // empty after loadBytes() and once the text has been saved as it is now.
    const LineEndCount &loadedLineEnds() const { return m_loadedLineEnds; }
    void setLoadedLineEnds(const LineEndCount &ends) { m_loadedLineEnds = ends; }

    // Documents at least this long open with word wrap off: wrapping lays out
    // every line before the first jump to the end can show it.
    static constexpr int LargeDocumentBytes = 1 << 20;
    // Whether the last load left word wrap off because of the size.
    bool wrapSuspended() const { return m_wrapSuspended; }
    void setWrapSuspended(bool value) { m_wrapSuspended = value; }

    void beginUndoAction();
    void endUndoAction();

    // Colouring. Every change of the text, the selection by key or mouse and
    // the view recomputes the colours of the visible lines from the rules.
    NotifyEvent OnVScroll;
    NotifyEvent OnHScroll;
    THotSpotClickEvent OnHotSpotClick;
    TDrawEvent OnDraw;  // ranges of dtEventDraw rules; needs ColorLimMax > 0
    TKeyDrawEvent OnDrawKey;

    TDrawRules &ColorRules() { return m_rules; }
    // Copies the rules and recolours.
    void setColorRules(const TDrawRules &rules);
    int ColorLimMax() const { return int(m_drawHook.A.size()); }
    void setColorLimMax(int value);
    bool RedrawAlways() const { return m_redrawAlways; }
    void setRedrawAlways(bool value);
    const THotSpot &HotSpot() const { return m_hotSpot; }
    void setHotSpot(const THotSpot &hotSpot);
    // Tab characters never take a colour.
    bool WantTabs = true;

    // Writes text at the caret as part of the key being typed (an end tag
    // written with its '>'): the colours follow as for one typed character,
    // the caret's line alone. Text with a line break takes the full pass.
    void typeText(const QByteArray &text);

    // One paint pass: the visible lines, or only the caret's line.
    virtual void PaintColors(bool CaretLineOnly);
    // Recolours the visible lines before the next paint (after rules changed).
    void colorsChanged();
    // The editor gives up its own bindings of these keys (Qt key combinations),
    // so the menu shortcuts that use them are not swallowed. Every other binding
    // stays: redo's Ctrl+Shift+Z and zoom's keypad keys, for one.
    void releaseKeys(const QList<int> &keys);

    // What the last pass did, for tests and benchmarks.
    struct PassInfo
    {
        bool caretLineOnly = false;
        int firstLine = -1;
        int from = 0;   // scan start
        int limit = 0;  // end of the coloured stretch
        int runs = 0;
        int passes = 0;   // passes run so far
        int scanned = 0;  // bytes read by the last pass
    };
    const PassInfo &lastPass() const { return m_lastPass; }
    // The runs of the last pass, in position order.
    const std::vector<TKeyDescr> &paintedRuns() const { return m_painted; }

signals:
    void keyDown(QKeyEvent *event);
    // Emitted just before every change of the text (typing, commands, undo
    // and redo alike), while the text is still the old one. textChanged()
    // follows once the change is done: at once for keys, mouse, drops and
    // this class's own editing calls, after the current event for a change
    // made through SendScintilla directly.
    void textChanging();
    // A load has ended (see wrapSuspended()).
    void loaded();

public:
    // The library's editing calls, so that textChanged follows them at once.
    void append(const QString &text) override;
    void clear() override;
    void cut() override;
    void insert(const QString &text) override;
    void insertAt(const QString &text, int line, int index) override;
    void paste() override;
    void redo() override;
    void removeSelectedText() override;
    void replaceSelectedText(const QString &text) override;
    void setText(const QString &text) override;
    void undo() override;

protected:
    bool event(QEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class Pass { None, CaretLine, Full };
    struct ViewKey
    {
        long firstVisible = -1, xOffset = 0, linesOnScreen = 0, wrap = 0, lineHeight = 0;
        int width = 0, height = 0;
        bool operator==(const ViewKey &) const = default;
    };

    void setUpIndicators();
    void modified(int position, int type);
    void afterChanges();
    void updateUi(int updated);
    void schedulePass(Pass pass);
    void runPendingPass();
    ViewKey viewKey();
    struct PaintStretch
    {
        int scanFrom, paintFrom, paintTo;
    };
    // Lines longer than this are coloured only where they show, scanned from
    // LongLineLookBack bytes before.
    static constexpr int LongLineBytes = 16 << 10;
    static constexpr int LongLineLookBack = 4 << 10;
    // Bytes [first, second) of a line that show on screen in full rows.
    std::pair<int, int> visiblePart(int line, int lineHeight);
    // Colours one stretch into m_painted; returns the bytes read.
    int colorStretch(const PaintStretch &stretch, int caretLine, int selStart, int selLength);
    void clearIndicators(int from, int to);
    long sciColor(TColor color);
    // Position inside a hot spot (the mouse's character), or -1.
    int hotSpotAt(const QPoint &pos);
    QByteArray hotSpotText(int pos);

    LineEndCount m_loadedLineEnds;
    long m_wrapAfterLoad = 0;
    bool m_loading = false;
    bool m_wrapSuspended = false;
    int m_changesPending = 0;  // changes whose after-effects have not run yet

    TDrawRules m_rules{this};
    THotSpot m_hotSpot;
    bool m_redrawAlways = false;
    DrawEventHook m_drawHook;
    ColorPaint m_paint;
    std::vector<TKeyDescr> m_painted;
    std::vector<std::pair<int, int>> m_paintedParts;  // [start, end) of each run that gets colour
    std::vector<PaintStretch> m_stretches;
    std::vector<TKeyDescr> m_keyRuns;  // runs left to OnDrawKey
    PassInfo m_lastPass;
    bool m_hasColors = false;
    int m_recordedLines = 1;
    int m_recordedEnd = 0;
    int m_typedBytes = 1;  // growth of the text that counts as one typed key
    Pass m_pending = Pass::None;
    QTimer m_passTimer;
    ViewKey m_lastView;
    bool m_handShown = false;
    QRect m_changedBand;  // viewport rows the last pass recoloured
};

// Rebuilds the editor's rules from the rules file (see ColorRulesFile.h) and
// recolours it.
void ApplyColorRules(TColorMemo &memo, QWidget *parent = nullptr);

// Groups changes into one undo step for the lifetime of the object.
class UndoStep
{
public:
    explicit UndoStep(TColorMemo *memo) : m_memo(memo) { m_memo->beginUndoAction(); }
    ~UndoStep() { m_memo->endUndoAction(); }
    UndoStep(const UndoStep &) = delete;
    UndoStep &operator=(const UndoStep &) = delete;

private:
    TColorMemo *m_memo;
};
