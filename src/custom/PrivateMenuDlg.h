#pragma once

#include "custom/PrivateTags.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Edit Private menu": edits a copy of the 20 snippets; OK writes them to the file.
class TprivateMenuFrm : public QDialog
{
    Q_OBJECT
public:
    explicit TprivateMenuFrm(QWidget *parent = nullptr);

    // The dialog's own copy of the records.
    const PrivateTagList &records() const { return m_tags; }
    // The file OK writes; the data folder's by default.
    std::function<QString()> privateMenuFileName;

    void FormCreate();
    void tagsClick();
    void preTagsClick();
    void tagOpenChange();
    void Layout1Click();
    void layout2Click();
    void addBtnClick();
    void updateBtnClick();
    void removeBtnClick();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    void StorePrivateTag(int index);
    // False (after telling the user) when the name field is empty.
    bool nameGiven();
    void fillList();
    void showLayout(int layout);

    PrivateTagList m_tags;
    QList<int> m_rowRecords;  // the record shown at each row of `tags`
    QListWidget *m_list = nullptr;
    QListWidget *m_preTags = nullptr;
    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_open = nullptr;
    QPlainTextEdit *m_close = nullptr;
    QGroupBox *m_layout1Box = nullptr;
    QGroupBox *m_layout2Box = nullptr;
    QButtonGroup *m_layout1 = nullptr;
    QButtonGroup *m_layout2 = nullptr;
    QPlainTextEdit *m_picture0 = nullptr;
    QLineEdit *m_picture1 = nullptr;
};

// Runs the dialog modally through the prompts.
void RunPrivateMenuDialog(QWidget *parent);
