#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QRadioButton;
class QLineEdit;
class QPushButton;

// What a press of a find or replace dialog's button searches for, as typed.
struct SearchQuery
{
    QString findText;
    QString replaceText;
    bool matchCase = false;
    // Our own options, all off by default: then Find and Replace behave as they always have.
    bool wholeWord = false;
    bool regex = false;
    bool up = false;
    // Replace All only within the selection (offered only while one is active).
    bool inSelection = false;
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
    bool wholeWord() const;
    void setWholeWord(bool on);
    bool regex() const;
    void setRegex(bool on);
    bool up() const;
    void setUp(bool on);
    bool inSelection() const;
    // "In &selection" is offered only while the document has a selection.
    void setSelectionActive(bool active);

    // Shows the dialog, or brings it to the front when already shown.
    void present();

signals:
    void findNextPressed();
    // `all` is true for Replace All.
    void replacePressed(bool all);
    // The user came back to the dialog (the selection may have changed meanwhile).
    void activated();
    // Whole word, regular expression or direction changed.
    void optionsChanged();

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateButtons();

    Kind m_kind;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QCheckBox *m_regex = nullptr;
    QCheckBox *m_inSelection = nullptr;
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
    QPushButton *m_findNextBtn = nullptr;
    QPushButton *m_replaceBtn = nullptr;
    QPushButton *m_replaceAllBtn = nullptr;
};
