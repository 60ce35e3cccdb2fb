#include "app/CaretPlace.h"

#include "app/StatusText.h"
#include "editor/ColorMemo.h"

#include <cstring>

using B = QsciScintillaBase;

CaretPlace::CaretPlace(TColorMemo *memo) : QObject(memo), m_memo(memo)
{
    connect(
        memo, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int position, int type, const char *, int, int, int, int, int, int, int) { modified(position, type); });
}

void CaretPlace::modified(int position, int type)
{
    // The editor announces changes before they happen (it may send nothing after).
    if (!(type & (B::SC_MOD_BEFOREINSERT | B::SC_MOD_BEFOREDELETE | B::SC_MOD_INSERTTEXT | B::SC_MOD_DELETETEXT)))
        return;
    // Text before a remembered place moves it; text after it changes nothing there.
    if (position < m_columnPos)
        m_columnKnown = false;
    if (position < m_selTo)
        m_selectionKnown = false;
}

qint64 CaretPlace::chars(qint64 from, qint64 to)
{
    return m_memo->SendScintilla(B::SCI_COUNTCHARACTERS, static_cast<unsigned long>(from), long(to));
}

qint64 CaretPlace::column(qint64 pos, qint64 lineStart)
{
    if (m_columnKnown && m_columnLineStart == lineStart) {
        const qint64 from = std::min(pos, m_columnPos), to = std::max(pos, m_columnPos);
        // Counting on from the last answer pays while the step is shorter than the way from the line start.
        if (to - from < pos - lineStart) {
            const QByteArrayView between = m_memo->rangeView(int(from), int(to));
            // A tab's width depends on where it starts: only a step without one is counted on.
            if (between.empty() || !std::memchr(between.data(), '\t', size_t(between.size()))) {
                const qint64 step = chars(from, to);
                m_column += pos >= m_columnPos ? step : -step;
                m_columnPos = pos;
                return m_column;
            }
        }
    }
    m_column = m_memo->SendScintilla(B::SCI_GETCOLUMN, static_cast<unsigned long>(pos));
    m_columnPos = pos;
    m_columnLineStart = lineStart;
    m_columnKnown = true;
    return m_column;
}

qint64 CaretPlace::selectedChars(qint64 from, qint64 to)
{
    const bool utf8 = m_memo->isUtf8Document();
    if (!utf8 || from == to)
        return to - from;
    auto count = [this](qint64 a, qint64 b) {
        return a <= b ? countCharacters(m_memo->rangeView(int(a), int(b)), true)
                      : -countCharacters(m_memo->rangeView(int(b), int(a)), true);
    };
    if (m_selectionKnown && std::abs(m_selFrom - from) + std::abs(m_selTo - to) < to - from)
        m_selChars += count(m_selTo, to) - count(m_selFrom, from);
    else
        m_selChars = count(from, to);
    m_selFrom = from;
    m_selTo = to;
    m_selectionKnown = true;
    return m_selChars;
}

CaretPlace::Place CaretPlace::place()
{
    Place out;
    const qint64 caret = m_memo->SendScintilla(B::SCI_GETCURRENTPOS);
    out.line = m_memo->SendScintilla(B::SCI_LINEFROMPOSITION, static_cast<unsigned long>(caret));
    const qint64 lineStart = m_memo->SendScintilla(B::SCI_POSITIONFROMLINE, static_cast<unsigned long>(out.line));
    out.column = column(caret, lineStart);
    // The byte-order mark is no character the user typed.
    if (out.line == 0 && caret > 0 && m_memo->textStart() > 0)
        --out.column;
    out.selectedChars = selectedChars(m_memo->SelStart(), m_memo->SelStart() + m_memo->SelLength());
    return out;
}
