#pragma once

#include "tags/MarkupText.h"
#include "tags/TagScan.h"

#include <cstddef>
#include <vector>

// Ascending document positions that edits shift. The entries after the last
// edit's place keep that shift apart (as the editor keeps its line starts),
// so typing in one place moves none of them, however many there are.
class ShiftedPositions
{
public:
    size_t size() const { return m_pos.size(); }
    int at(size_t i) const { return m_pos[i] + (i >= m_step ? m_delta : 0); }
    // The first entry at or after pos, size() when none.
    size_t lowerBound(int pos) const;
    // Moves the entries at or after `from` by `delta`.
    void shift(int from, int delta);
    // Puts `entries` (ascending, all in [from, to)) in place of those in [from, to).
    void replace(int from, int to, const std::vector<int> &entries);
    void clear();

private:
    void moveStep(size_t to);

    std::vector<int> m_pos;
    size_t m_step = 0;  // entries from here on are m_delta further on than stored
    int m_delta = 0;
};

// Every comment start and end and every raw-text element's start and end tag
// of a whole document, kept up to date as the text changes: what a place
// lies in (ContextAt) is then a few searches in these lists, however far back
// the comment or script that decides it begins.
class ContextIndex
{
public:
    bool isBuilt() const { return m_built; }
    // Reads the marks of the whole document.
    void build(const MarkupText &whole);
    void clear();
    // After `length` bytes were inserted at or deleted from `pos`; `whole`
    // holds the text after the change. Nothing happens until built.
    void inserted(const MarkupText &whole, int pos, int length);
    void deleted(const MarkupText &whole, int pos, int length);
    // The document as it is now, which answers read tags from. The editor
    // moves its text about, so this is given again before each use.
    void setText(const MarkupText &whole) { m_text = whole.withIndex(nullptr); }
    // What ContextAt says over the whole text. The document is read at the
    // first place asked about beyond LookBackBytes: nearer its start a look
    // back costs little, so a small page, or a caret near the top of a big
    // one (as when it opens), never has it read.
    MarkupContext at(int pos);
    static constexpr int LookBackBytes = 64 << 10;

private:
    void rescan(int from, int to);
    // The start of the comment that the mark at q lies in, or -1.
    int commentAround(int q) const;

    MarkupText m_text{QByteArrayView()};
    ShiftedPositions m_commentStarts, m_commentEnds, m_rawStarts, m_rawEnds;
    bool m_built = false;
};
