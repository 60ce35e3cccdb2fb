#pragma once

#include "editor/ColorRules.h"

#include <functional>
#include <optional>
#include <vector>

// Stretches between two marker characters, painted as links.
struct THotSpot
{
    char BeginChar = 30;  // 0 switches hot spots off
    char EndChar = 31;
    TColor Color = 0x00FF0000;
    TColor MarkerColor = clWindowBackground;
    bool Active = false;
    bool Underlined = true;
};

// What the editor knows at the start of a paint pass.
struct PaintState
{
    THotSpot HotSpot;
    bool WantTabs = false;
    TColor BackgroundColor = clWindowBackground;
    bool RedrawAlways = false;
    TColor FontColor = 0;
    int CaretLineStart = 0;
    int SelStart = 0;
    int SelLength = 0;
};

// First line that a pass scans: KeyMaxHeight (of the first rule) - 1 lines above
// the first painted line, not above line 0.
int PaintScanStartLine(const TDrawRules &rules, int firstLine);

// End of the painted stretch: walks at most lineCount lines from firstLine and
// stops at the first line whose top is unknown or whose bottom reaches
// clientBottom, so a partly visible bottom line gets no colours.
int PaintLimit(int firstLine, int lineCount, int lineHeight, int clientBottom,
               const std::function<std::optional<int>(int line)> &lineTop,
               const std::function<int(int line)> &lineStart, const std::function<int(int line)> &lineEnd);

// Computes the coloured runs of one paint pass. Keep one per editor: its range
// records and buffers are reused from pass to pass.
class ColorPaint
{
public:
    struct ColorCell
    {
        TColor color = 0;
        quint8 z = 0;
        quint8 key = 0;
        quint8 covered = 0;
    };

    // Appends the ranges of hot spots, tabs, the caret line, the rules and the
    // selection for the text from `from` to `limit` (the rules' tables are
    // prepared first), merges them by z-order into runs and returns their number.
    // text is the editor's whole text; only [from, limit) is read.
    int compute(TDrawRules &rules, QByteArrayView text, int from, int limit, const PaintState &state,
                DrawEventHook *hook = nullptr);

    // The runs in position order, valid until the next compute(). Runs with
    // z-order 254 or 255 mask other colours and are not painted.
    const std::vector<TKeyDescr> &runs() const { return m_runs; }
    // The ranges as appended before the merge, valid until the next compute().
    const TKeyDescrList &ranges() const { return m_ranges; }
    int rangeCount() const { return m_rangeCount; }

private:
    int hotSpots(int next, QByteArrayView stretch, int from, const THotSpot &hotSpot);
    int merge(int count, int from, int limit);

    TKeyDescrList m_ranges;
    ScanStretch m_stretch;
    std::vector<ColorCell> m_cells;
    std::vector<TKeyDescr> m_runs;
    int m_rangeCount = 0;
};
