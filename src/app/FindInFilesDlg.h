#pragma once

#include "search/FileSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// What a find or replace in files is asked to do, as the dialog shows it.
struct FindInFilesValues
{
    QString findText;
    QString replaceText;
    SearchOptions options;
    QString folder;
    QString patterns = QStringLiteral("*.htm;*.html;*.shtml;*.xhtml;*.css;*.js;*.php;*.txt");
    bool subfolders = true;
    bool inProject = false;
};

// "Find in Files" (`FindInFilesDlg`) or "Replace in Files" (`ReplaceInFilesDlg`):
// find what (and replace with), the options of the find dialog, the folder with
// its file patterns and sub-folders, or the open project's files instead.
class FindInFilesDlg : public QDialog
{
    Q_OBJECT
public:
    FindInFilesDlg(bool replace, bool projectOpen, QWidget *parent = nullptr);

    void setValues(const FindInFilesValues &values);
    FindInFilesValues values() const;

private:
    void browse();
    void updateButtons();

    bool m_replace;
    QLineEdit *m_find;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QCheckBox *m_regex;
    QLineEdit *m_folder;
    QLineEdit *m_patterns;
    QCheckBox *m_subfolders;
    QCheckBox *m_inProject;
    QPushButton *m_ok;
};
