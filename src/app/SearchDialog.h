#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

// What a press of a find or replace dialog's button searches for, as typed.
struct SearchQuery
{
    QString findText;
    QString replaceText;
    bool matchCase = false;
};

// The modeless find dialog (`FindDialog1`) or replace dialog (`ReplaceDialog1`)
// that all documents share. It only holds the texts and options and reports
// its button presses; the controller acts on the active document.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    enum Kind { Find, Replace };
    SearchDialog(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    SearchQuery query() const;
    QString findText() const;
    void setFindText(const QString &text);
    QString replaceText() const;
    void setReplaceText(const QString &text);
    bool matchCase() const;
    void setMatchCase(bool on);

    // Shows the dialog, or brings it to the front when already shown.
    void present();

signals:
    void findNextPressed();
    // `all` is true for Replace All.
    void replacePressed(bool all);

private:
    void updateButtons();

    Kind m_kind;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QPushButton *m_findNextBtn = nullptr;
    QPushButton *m_replaceBtn = nullptr;
    QPushButton *m_replaceAllBtn = nullptr;
};
