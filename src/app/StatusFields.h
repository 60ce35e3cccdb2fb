#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QStatusBar;
class TColorMemo;
class TMDIChild;

// The status bar fields of the active document: where the caret is and how
// much is selected, the encoding and the line ends. They follow the area's
// active document window and are hidden while none is open.
class DocumentStatusFields : public QObject
{
    Q_OBJECT
public:
    DocumentStatusFields(QStatusBar *bar, QMdiArea *area);

private:
    void follow(QMdiSubWindow *window);
    void showCaret();
    void showFile();

    QLabel *m_caret;
    QLabel *m_encoding;
    QLabel *m_lineEnds;
    QMdiArea *m_area;
    QPointer<TMDIChild> m_doc;
    QList<QMetaObject::Connection> m_connections;
};
