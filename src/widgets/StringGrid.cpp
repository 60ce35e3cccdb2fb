#include "widgets/StringGrid.h"

void StringGrid::commitEditing()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// Tab past the last cell (Shift+Tab before the first) leaves the grid, so the
// keyboard reaches the buttons; inside the grid it moves from cell to cell.
bool StringGrid::atEdge(bool next) const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return true;
    return next ? current.row() == rowCount() - 1 && current.column() == columnCount() - 1
                : current.row() == 0 && current.column() == 0;
}

bool StringGrid::focusNextPrevChild(bool next)
{
    if (atEdge(next))
        return QWidget::focusNextPrevChild(next);
    return QTableWidget::focusNextPrevChild(next);
}

void StringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool leave = (hint == QAbstractItemDelegate::EditNextItem && atEdge(true))
                       || (hint == QAbstractItemDelegate::EditPreviousItem && atEdge(false));
    QTableWidget::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
    if (leave)
        QWidget::focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}
