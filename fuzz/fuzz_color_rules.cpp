// Builds colour rules from arbitrary lines and scans arbitrary text with them.
//
// Input: byte 0 holds flags, byte 1 the number of rule lines, byte 2 where the
// scan starts; then the rule lines separated by LF; the rest is the text.

#include "editor/ColorPaint.h"
#include "editor/ColorRules.h"
#include "editor/ColorRulesFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const uint8_t flags = data[0];
    const int lineCount = data[1] % 48;
    const uint8_t startByte = data[2];
    const char *p = reinterpret_cast<const char *>(data) + 3;
    const char *end = reinterpret_cast<const char *>(data) + size;

    QList<QByteArray> lines;
    while (int(lines.size()) < lineCount && p < end) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *stop = nl ? nl : end;
        lines.append(QByteArray(p, stop - p));
        p = nl ? nl + 1 : end;
    }

    // The text lives in its own allocation so that ASan sees every read past it.
    const size_t textSize = size_t(end - p);
    std::vector<char> owned(p, end);
    const char *text = owned.empty() ? nullptr : owned.data();
    const int from = textSize ? int(startByte % (textSize + 1)) : 0;
    const int limit = int(textSize);

    TDrawRules rules;
    for (int kind = 0; kind < 4; ++kind) {
        TColorRule *rule = rules.Add();
        rule->KeyDrawingType = TKeyDrawingType(kind);
        rule->KeyCase = flags & 1;
        rule->PartWord = flags & 2;
        rule->ZOrder = flags;
        rule->SetKeywords(lines);
        rule->SetKeyBegEndLst(lines);
        rule->SetKeyLineEndLst(lines);
    }
    rules.PrepareRules();

    DrawEventHook hook;
    hook.A.resize(size_t(flags % 5));
    hook.OnDraw = [&](TColorRule *, int, QByteArrayView, std::span<TKeyDescr> a, int &count) {
        for (size_t i = 0; i < a.size() && i < size_t(lines.size()); ++i) {
            const QByteArray &l = lines[qsizetype(i)];
            std::memcpy(&a[i], l.constData(), std::min<size_t>(sizeof(TKeyDescr), size_t(l.size())));
        }
        count = flags >> 2;
    };

    TKeyDescrList ranges(4);
    ScanStretch stretch;
    // Two passes: the second reuses every buffer of the first.
    for (int pass = 0; pass < 2; ++pass) {
        ranges.reset();
        stretch.reset(QByteArrayView(text ? text + from : nullptr, limit - from), from);
        int next = 0;
        for (int i = 0; i < rules.Count(); ++i)
            next = ScanRule(*rules.Items(i), ranges, next, stretch, &hook);
        for (int i = 0; i < next; ++i) {
            const TKeyDescr &r = ranges[i];
            if (r.StartPos < from || r.EndPos >= limit || r.EndPos < r.StartPos)
                std::abort();
        }
        if (next > 0 && (ranges.MinColorPos < from || ranges.MaxColorPos >= limit))
            std::abort();
        if (pass == 0)
            rules.Items(0)->SetKeyCase(!rules.Items(0)->KeyCase);
    }
    ParseRuleColor(QByteArrayView(text, qsizetype(textSize)));

    // The rule lines as lines of the rules file, and a whole paint pass.
    BuildDrawRules(lines, true, rules);
    PaintState state;
    state.HotSpot.Active = flags & 4;
    state.WantTabs = flags & 8;
    state.RedrawAlways = flags & 16;
    state.CaretLineStart = from;
    state.SelStart = startByte;
    state.SelLength = flags & 32 ? int(textSize) : flags >> 6;
    ColorPaint paint;
    const int runs = paint.compute(rules, QByteArrayView(text, qsizetype(textSize)), from, limit, state, &hook);
    int last = from - 1;
    for (int i = 0; i < runs; ++i) {
        const TKeyDescr &r = paint.runs()[size_t(i)];
        if (r.StartPos <= last || r.EndPos < r.StartPos || r.EndPos >= limit)
            std::abort();
        last = r.EndPos;
    }
    return 0;
}
