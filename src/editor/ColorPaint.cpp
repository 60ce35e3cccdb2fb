#include "editor/ColorPaint.h"

#include <algorithm>
#include <cstring>

int PaintScanStartLine(const TDrawRules &rules, int firstLine)
{
    if (rules.Count() == 0 || firstLine <= 0)
        return std::max(firstLine, 0);
    return std::max(0, firstLine - rules.Items(0)->KeyMaxHeight + 1);
}

int PaintLimit(int firstLine, int lineCount, int lineHeight, int clientBottom,
               const std::function<std::optional<int>(int line)> &lineTop,
               const std::function<int(int line)> &lineStart, const std::function<int(int line)> &lineEnd)
{
    int line = firstLine;
    for (int i = 0; i < lineCount; ++i, ++line) {
        const std::optional<int> top = lineTop(line);
        if (!top || *top + lineHeight >= clientBottom)
            return lineStart(line);
    }
    return lineCount > 0 ? lineEnd(line - 1) : lineStart(firstLine);
}

int ColorPaint::hotSpots(int next, QByteArrayView stretch, int from, const THotSpot &hotSpot)
{
    const qsizetype len = stretch.size();
    qsizetype p = 0;
    while (p < len) {
        const qsizetype b = stretch.indexOf(hotSpot.BeginChar, p);
        if (b < 0)
            break;
        const qsizetype e = stretch.indexOf(hotSpot.EndChar, b + 1);
        // A begin marker without its end marker is no hot spot; those found before stand.
        if (e < 0)
            break;
        next = m_ranges.put(next, {from + int(b), from + int(b), hotSpot.MarkerColor, ReservedZ::HotSpotMarker, 0});
        if (e > b + 1)
            next = m_ranges.put(next, {from + int(b) + 1, from + int(e) - 1, hotSpot.Color, ReservedZ::HotSpotText, 0});
        next = m_ranges.put(next, {from + int(e), from + int(e), hotSpot.MarkerColor, ReservedZ::HotSpotMarker, 0});
        p = e + 1;
    }
    return next;
}

int ColorPaint::compute(TDrawRules &rules, QByteArrayView text, int from, int limit, const PaintState &state,
                        DrawEventHook *hook)
{
    from = std::clamp(from, 0, int(text.size()));
    limit = std::clamp(limit, from, int(text.size()));
    const QByteArrayView stretch = text.sliced(from, limit - from);

    rules.PrepareRules();
    m_ranges.reset();
    m_stretch.reset(stretch, from);
    int next = 0;

    if (state.HotSpot.Active && state.HotSpot.BeginChar != 0)
        next = hotSpots(next, stretch, from, state.HotSpot);
    if (state.WantTabs) {
        for (qsizetype p = stretch.indexOf('\t'); p >= 0; p = stretch.indexOf('\t', p + 1))
            next = m_ranges.put(next, {from + int(p), from + int(p), state.BackgroundColor, ReservedZ::Tab, 0});
    }
    if (state.RedrawAlways)
        next = m_ranges.put(next, {state.CaretLineStart, state.SelStart, state.FontColor, 0, 0});
    for (int i = 0; i < rules.Count(); ++i) {
        if (rules.Items(i)->Enabled)
            next = ScanRule(*rules.Items(i), m_ranges, next, m_stretch, hook);
    }
    if (state.SelLength > 0)
        next = m_ranges.put(next,
                            {state.SelStart, state.SelStart + state.SelLength - 1, clRuleRed, ReservedZ::Selection, 0});
    m_rangeCount = next;
    return merge(next, from, limit);
}

int ColorPaint::merge(int count, int from, int limit)
{
    m_runs.clear();
    if (m_ranges.MinColorPos < 0)
        return 0;
    // Only the scanned stretch is ever painted, so a selection or caret-line
    // range reaching beyond it costs no cells.
    const int lo = std::max(m_ranges.MinColorPos, from);
    const int hi = std::min(m_ranges.MaxColorPos, limit - 1);
    if (hi < lo)
        return 0;
    const size_t cells = size_t(hi - lo) + 2;
    if (m_cells.size() < cells)
        m_cells.resize(cells + 1024);
    std::fill_n(m_cells.begin(), cells, ColorCell{});

    for (int i = 0; i < count; ++i) {
        const TKeyDescr &r = m_ranges[i];
        if (r.isFree() || r.EndPos < r.StartPos)
            continue;
        const int s = std::max(r.StartPos, lo);
        const int e = std::min(r.EndPos, hi);
        for (int p = s; p <= e; ++p) {
            ColorCell &c = m_cells[size_t(p - lo)];
            if (c.z <= r.KeyZOrder)
                c = {r.KeyColor, r.KeyZOrder, r.IsKey, 1};
        }
    }

    for (int p = lo; p <= hi;) {
        const ColorCell &c = m_cells[size_t(p - lo)];
        if (!c.covered) {
            ++p;
            continue;
        }
        int q = p + 1;
        while (q <= hi) {
            const ColorCell &d = m_cells[size_t(q - lo)];
            if (!d.covered || d.color != c.color || d.z != c.z || d.key != c.key)
                break;
            ++q;
        }
        m_runs.push_back({p, q - 1, c.color, c.z, c.key});
        p = q;
    }
    return int(m_runs.size());
}
