#pragma once

#include <QObject>

class TColorMemo;

// Where the caret stands in an editor and how much is selected, worked out
// from the editor's line index and the bytes near the last answer, so a caret
// move in a huge page or along a very long line costs the same as in a small one.
class CaretPlace : public QObject
{
    Q_OBJECT
public:
    explicit CaretPlace(TColorMemo *memo);

    struct Place
    {
        qint64 line = 0;    // from 0
        qint64 column = 0;  // from 0, characters, a tab counting to the next tab stop
        qint64 selectedChars = 0;
        bool operator==(const Place &) const = default;
    };
    Place place();

private:
    void modified(int position, int type);
    qint64 column(qint64 pos, qint64 lineStart);
    qint64 selectedChars(qint64 from, qint64 to);
    qint64 chars(qint64 from, qint64 to);

    TColorMemo *m_memo;
    // The last column worked out, kept while no change comes before it.
    bool m_columnKnown = false;
    qint64 m_columnPos = 0, m_columnLineStart = 0, m_column = 0;
    // The last selection counted, kept while no change comes before its end.
    bool m_selectionKnown = false;
    qint64 m_selFrom = 0, m_selTo = 0, m_selChars = 0;
};
