#pragma once

#include "tags/Command.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class SettingsStore;
class RadioGroup;
class TextDocument;

// "New-link checker": page 0 writes a checker at the caret, page 1 keeps the
// picture settings and writes the head part that names the picture.
class TnewlinkFrm : public QDialog
{
    Q_OBJECT
public:
    enum Page { CheckerPage = 0, PicturePage = 1 };

    // store receives the picture settings when page 1 is confirmed.
    TnewlinkFrm(TextDocument &document, SettingsStore &store, int page, QWidget *parent = nullptr);

    void FormCreate();
    void newLink_whenClick();
    void OKBtnClick();
    void CancelBtnClick();

private:
    bool writeChecker();
    void writeHeadPart();

    TextDocument &m_document;
    SettingsStore &m_store;
    QStackedWidget *Notebook1;
    QSpinBox *newLink_old;
    RadioGroup *newLink_when;
    QLineEdit *newLink_whenDate;
    QLineEdit *urlEdit;
    QPushButton *Button1;
    QPushButton *Button2;
    QLineEdit *altEdit;
    RadioGroup *ALIGNgroupbox;
};

// The two commands of the "New-link checker" submenu. Both need the settings store.
void Setnewlinkimage1Click(TextDocument &document, SettingsStore &store);
void Insertnewlinkchecker2Click(TextDocument &document, SettingsStore &store);

// The store the two commands use for a document: app/ installs one that names the
// main window's store. While none is installed, or it gives none, they do nothing.
using NewLinkStoreFinder = std::function<SettingsStore *(TextDocument &)>;
void SetNewLinkStoreFinder(NewLinkStoreFinder finder);

// The submenu's commands, in menu order.
const QList<Command> &NewLinkCommands();
