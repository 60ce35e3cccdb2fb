#pragma once

#include <QTableWidget>

// An item grid, edited in place; rows are items (the column titles are the header).
class StringGrid : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;
    // Takes the text of a cell that is still being edited into the grid.
    void commitEditing();
    bool isEditing() const { return state() == EditingState; }

protected:
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    bool atEdge(bool next) const;
};
