// Every dialog of the program, opened as its command opens it, and the dialogs
// that its buttons open in turn: each control has a name a screen reader can
// speak, and no two controls that show together share a mnemonic.
#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "objects/ImageDlg.h"
#include "platform/Prompts.h"
#include "support/AccessibleNames.h"
#include "support/QuietMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Every question is cancelled and every file or colour choice too. Each dialog
// run is looked at; the buttons of a dialog that a command opened are then
// pressed once each, to reach the dialogs they open.
class DialogWalk : public Prompts
{
public:
    DialogWalk() { Prompts::setInstance(this); }
    ~DialogWalk() override { Prompts::setInstance(nullptr); }

    QMessageBox::StandardButton message(QWidget *, const QString &, const QString &, QMessageBox::Icon,
                                        QMessageBox::StandardButtons buttons) override
    {
        for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
            if (buttons.testFlag(b))
                return b;
        }
        return QMessageBox::NoButton;
    }
    FileAnswer askFile(QWidget *, const FileRequest &) override { return {}; }
    QColor askColor(QWidget *, const QColor &) override { return {}; }
    int runModal(QDialog *dialog) override
    {
        look(dialog);
        if (m_depth == 0) {
            ++m_depth;
            pressButtons(dialog);
            --m_depth;
        }
        return QDialog::Rejected;
    }

    void look(QDialog *dialog)
    {
        m_looked.insert(dialog);
        const QString name = dialog->objectName().isEmpty() ? QString::fromLatin1(dialog->metaObject()->className())
                                                            : dialog->objectName();
        seen.insert(QString::fromLatin1(dialog->metaObject()->className()));
        seen.insert(name);
        dialog->show();
        QApplication::processEvents();
        const QStringList found = accessibilityFaults(dialog);
        for (const QString &fault : found) {
            if (!faults.contains(fault))
                faults.insert(fault, command);
        }
        dialog->hide();
    }
    // Dialogs that stay open beside the document (find, replace).
    void lookAtModeless()
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            auto *dialog = qobject_cast<QDialog *>(w);
            if (dialog && dialog->isVisible() && !m_looked.contains(dialog)) {
                look(dialog);
                dialog->close();
            }
        }
    }

    QString command;
    QSet<QString> seen;
    QMap<QString, QString> faults;  // fault, the first command that showed it

private:
    void pressButtons(QDialog *dialog)
    {
        static const QStringList closing = {QStringLiteral("OKBtn"), QStringLiteral("CancelBtn"),
                                            QStringLiteral("OkBtn"), QStringLiteral("HelpBtn")};
        const auto buttons = dialog->findChildren<QAbstractButton *>();
        for (QAbstractButton *b : buttons) {
            if (b->isCheckable() || !b->isEnabled() || !b->isVisibleTo(dialog) || closing.contains(b->objectName()))
                continue;
            const QString text = b->text().remove(QLatin1Char('&'));
            if (text == QLatin1String("OK") || text == QLatin1String("Cancel") || text == QLatin1String("Close"))
                continue;
            b->click();
            QApplication::processEvents();
        }
    }

    QSet<QDialog *> m_looked;
    int m_depth = 0;
};

// Commands left out: they end the session or the document, start a browser or
// another program, or wait for a key to be pressed.
const QStringList leftOut = {
    "FileExitItem",      "FileCloseItem",         "CloseAll1", "FileNewItem", "Viewinbrowser1",
    "GetTagloombutton1", "Changeitemsshortcuts1",
};

}  // namespace

TEST(DialogAccessibility, EveryControlHasANameAndEveryMnemonicOneOwner)
{
    QuietMainWindowStore quiet;
    DialogWalk walk;
    {
        TMainForm main(&quiet.store, {});
        main.show();
        main.FileNewItemClick();
        TMDIChild *doc = main.documents().active();
        ASSERT_NE(doc, nullptr);
        doc->Memo1->setSelText(QByteArray("<P>text</P>"));
        const auto actions = doc->findChildren<QAction *>();
        for (QAction *action : actions) {
            if (action->objectName().isEmpty() || action->menu() || leftOut.contains(action->objectName()))
                continue;
            walk.command = action->objectName();
            doc->Memo1->setSelStart(3);
            doc->Memo1->setSelLength(4);
            action->trigger();
            QApplication::processEvents();
            walk.lookAtModeless();
            if (main.documents().active() != doc)
                FAIL() << "the document went away after " << walk.command.toStdString();
        }
        doc->Modified = false;
    }
    // The image dialog asks for the map's name once a page is chosen, which
    // the walk's cancelled file choice never does.
    walk.command = QStringLiteral("AskMapName");
    const QString page = quiet.dir.filePath(QStringLiteral("maps.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<MAP NAME=\"nav\"></MAP>");
    file.close();
    QString mapName;
    AskMapName(nullptr, page, mapName);

    // Every dialog class of the program, and the plain dialogs that its
    // commands put together.
    const QStringList dialogs = {
        "TcolorWordsDlg",   "TLinksDlg", "TURLDlg",     "TImageDlg",     "TJavaAppletDlg", "TMapsDlg",
        "TlayerFrm",        "TfontsDlg", "GoToLineDlg", "TOptionsDlg",   "AboutBox",       "SearchDialog",
        "TprivateMenuFrm",  "TjsWiz",    "TnewlinkFrm", "TDocStructure", "TMiscDlg",       "TListDlg",
        "TFormElementsDlg", "TTableDlg", "TFramesDlg",  "MapNameDlg",
    };
    for (const QString &dialog : dialogs)
        EXPECT_TRUE(walk.seen.contains(dialog)) << "never opened: " << dialog.toStdString();
    QStringList faults;
    for (auto it = walk.faults.cbegin(); it != walk.faults.cend(); ++it)
        faults.append(it.key() + QStringLiteral(" (opened by ") + it.value() + QLatin1Char(')'));
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}
