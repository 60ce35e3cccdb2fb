#include "tags/ContextIndex.h"

#include <algorithm>

size_t ShiftedPositions::lowerBound(int pos) const
{
    const auto step = m_pos.begin() + qsizetype(m_step);
    const auto before = std::lower_bound(m_pos.begin(), step, pos);
    if (before != step)
        return size_t(before - m_pos.begin());
    return size_t(std::lower_bound(step, m_pos.end(), pos - m_delta) - m_pos.begin());
}

void ShiftedPositions::moveStep(size_t to)
{
    if (m_delta != 0) {
        for (size_t i = m_step; i < to; ++i)
            m_pos[i] += m_delta;
        for (size_t i = to; i < m_step; ++i)
            m_pos[i] -= m_delta;
    }
    m_step = to;
}

void ShiftedPositions::shift(int from, int delta)
{
    if (delta == 0)
        return;
    moveStep(lowerBound(from));
    m_delta += delta;
}

void ShiftedPositions::replace(int from, int to, const std::vector<int> &entries)
{
    const size_t i = lowerBound(from);
    const size_t j = lowerBound(to);
    // An edit near a mark usually leaves it as it was: nothing to move then.
    if (j - i == entries.size()) {
        size_t k = 0;
        while (k < entries.size() && at(i + k) == entries[k])
            ++k;
        if (k == entries.size())
            return;
    }
    moveStep(i);
    const auto first = m_pos.begin() + qsizetype(i);
    const auto rest = m_pos.erase(first, first + qsizetype(j - i));
    const auto put = m_pos.insert(rest, entries.begin(), entries.end());
    for (auto p = put; p != put + qsizetype(entries.size()); ++p)
        *p -= m_delta;
}

void ShiftedPositions::clear()
{
    m_pos.clear();
    m_step = 0;
    m_delta = 0;
}

void ContextIndex::clear()
{
    for (ShiftedPositions *list : {&m_commentStarts, &m_commentEnds, &m_rawStarts, &m_rawEnds})
        list->clear();
    m_built = false;
}

void ContextIndex::build(const MarkupText &whole)
{
    clear();
    m_text = whole;
    m_built = true;
    rescan(whole.begin(), whole.end());
}

void ContextIndex::rescan(int from, int to)
{
    from = std::max(from, m_text.begin());
    to = std::min(to, m_text.end());
    std::vector<int> found[4];
    if (from < to) {
        ForEachContextMark(m_text, from, to, [&](int q, ContextMark mark) {
            found[int(mark) - int(ContextMark::CommentStart)].push_back(q);
        });
    }
    static_assert(int(ContextMark::RawTextEnd) - int(ContextMark::CommentStart) == 3);
    m_commentStarts.replace(from, to, found[0]);
    m_commentEnds.replace(from, to, found[1]);
    m_rawStarts.replace(from, to, found[2]);
    m_rawEnds.replace(from, to, found[3]);
}

void ContextIndex::inserted(const MarkupText &whole, int pos, int length)
{
    m_text = whole;
    if (!m_built)
        return;
    for (ShiftedPositions *list : {&m_commentStarts, &m_commentEnds, &m_rawStarts, &m_rawEnds})
        list->shift(pos, length);
    // Marks just before the new text may have read what is now after it.
    rescan(pos - ContextMarkBytes, pos + length);
}

void ContextIndex::deleted(const MarkupText &whole, int pos, int length)
{
    m_text = whole;
    if (!m_built)
        return;
    for (ShiftedPositions *list : {&m_commentStarts, &m_commentEnds, &m_rawStarts, &m_rawEnds}) {
        list->replace(pos, pos + length, {});
        list->shift(pos, -length);
    }
    rescan(pos - ContextMarkBytes, pos);
}

int ContextIndex::commentAround(int q) const
{
    const size_t i = m_commentStarts.lowerBound(q);
    if (i == 0)
        return -1;
    const int start = m_commentStarts.at(i - 1);
    // The nearest "-->" whose '>' lies before q, if it comes after that start.
    const size_t j = m_commentEnds.lowerBound(q - 2);
    if (j > 0 && m_commentEnds.at(j - 1) + 2 > start)
        return -1;
    return start;
}

MarkupContext ContextIndex::at(int pos)
{
    if (!m_built) {
        if (pos <= LookBackBytes)
            return ContextAt(m_text, pos);
        build(m_text);
    }
    // The same walk back as a look through the text, over the marks alone.
    const size_t starts = m_commentStarts.lowerBound(pos);
    const int comment = starts > 0 ? m_commentStarts.at(starts - 1) : -1;
    bool commentsClosed = false;
    const auto last = [](const ShiftedPositions &list, int below) {
        const size_t i = list.lowerBound(below);
        return i > 0 ? list.at(i - 1) : -1;
    };
    int below = pos;
    for (;;) {
        const int rawStart = last(m_rawStarts, below);
        const int rawEnd = last(m_rawEnds, below);
        const int raw = std::max(rawStart, rawEnd);
        if (!commentsClosed && comment > raw) {
            const size_t end = m_commentEnds.lowerBound(comment + 4);
            if (end == m_commentEnds.size() || m_commentEnds.at(end) + 3 > pos)
                return {MarkupContext::Comment, {}};
            commentsClosed = true;
            continue;
        }
        if (raw < 0)
            return {};
        // Every raw-text tag inside a comment is text: go on below it.
        if (const int start = commentAround(raw); start >= 0) {
            below = start;
            continue;
        }
        if (raw == rawEnd)
            return {};
        const Tag tag = ParseTag(m_text, raw, pos);
        if (!tag.closed() || tag.selfClosing)
            return {};
        QByteArray element;
        ContextMarkAt(m_text, raw, &element);
        return {MarkupContext::RawText, element};
    }
}
