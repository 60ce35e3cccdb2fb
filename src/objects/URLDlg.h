#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The URL composer: a scheme and a few fields make the URL line, which the
// user may also type into. Created for one use by PickURL.
class TURLDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TURLDlg(QWidget *parent = nullptr);

    // The URL line at OK; empty when cancelled.
    QString ResultURL() const { return m_resultUrl; }

    void RTypeComboChange(int index);
    // Rebuilds the URL line from the fields; an index outside the list leaves it alone.
    void ComposeURL(int scheme);
    void LayoutForScheme(int scheme);
    void OKBtnClick();

    QComboBox *RTypeCombo;
    QLineEdit *HostEdit, *PortEdit, *PathEdit, *FNEdit, *TargetEdit, *URLEdit;
    QLabel *RTypePanel, *HostPanel, *PortPanel, *PathPanel, *FNPanel, *TargetPanel, *URLPanel;
    QLabel *Sep1, *Sep2, *Sep3, *Sep4, *Sep5;
    QPushButton *OKBtn, *CancelBtn;

private:
    QString m_resultUrl;
};

// Runs the composer; when it gives a URL, sets url to it and returns true.
// A cancelled composer or an empty URL line leaves url alone and returns false.
bool PickURL(QWidget *parent, QString &url);
