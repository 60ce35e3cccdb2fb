#pragma once

#include "editor/ColorRules.h"
#include "widgets/ColorButton.h"

#include <QDialog>
#include <QList>
#include <QPushButton>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class TColorMemo;

// "Color Rules": switches colour rules on and off and edits the rule lines of
// the rules file (RuleLines) in place. OK writes the file and rebuilds the
// rules of the editors that editors() gives.
class TcolorWordsDlg : public QDialog
{
    Q_OBJECT
public:
    using EditorList = std::function<QList<TColorMemo *>()>;
    explicit TcolorWordsDlg(QWidget *parent = nullptr, EditorList editors = {});

    void FormCreate();
    void FormShow();
    void useColorRulesClick();
    void ruleTypeClick(int item);
    void colorRulesListClick();
    void updateBtnClick();
    void addBtnClick();
    void removeBtnClick();
    void clearBtnClick();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void StoreRuleLine(int index);
    int chosenType() const;
    void chooseType(int item);

    EditorList m_editors;
    QCheckBox *useColorRules;
    QWidget *mainPanel;
    QLineEdit *ruleName;
    QButtonGroup *ruleType;
    ColorButton *ColorButton1;
    QLabel *Label2;
    QLineEdit *keysEdit;
    QSpinBox *zidx;
    QListWidget *colorRulesList;
    QString decode(QByteArrayView bytes) const;
    QByteArray encode(const QString &text) const;

    bool m_shown = false;
    bool m_latin1 = false;  // the rules file is not UTF-8: fields are Latin-1
    int m_loadedRow = -1;   // the rule whose fields were loaded, -1 for none
};

// Runs the dialog modally (through the prompts); on OK the rules of every
// editor that editors() gives are rebuilt. Returns the dialog's result.
int RunColorRulesDialog(QWidget *parent, const TcolorWordsDlg::EditorList &editors);
