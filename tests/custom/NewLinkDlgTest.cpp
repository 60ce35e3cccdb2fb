#include "custom/NewLinkDlg.h"
#include "custom/NewLinkMarkup.h"
#include "platform/Settings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompts.h"
#include "support/TestUtil.h"
#include "tags/AttributeHelpers.h"
#include "support/DialogTestUtil.h"
#include "support/FakeDocument.h"
#include "tags/UrlPicker.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString shippedEntries()
{
    return QString::fromUtf8(readFileBytes(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js")));
}

class NewLinkDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppSettings() = Settings();
        QFile::remove(JavaScriptFileName());
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js"), JavaScriptFileName()));
        store = std::make_unique<SettingsStore>(dir.filePath("store.ini"));
        ResetAskFileNameFolder();
    }
    void TearDown() override
    {
        SetUrlPicker({});
        QFile::remove(JavaScriptFileName());
        AppSettings() = Settings();
    }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    ScriptedPrompts prompts;
};

template <typename W>
W *control(QDialog *d, const char *name)
{
    W *w = d->findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Fills the checker page: days, the "Link was added," item and the date as typed.
std::function<int(QDialog *)> checker(int days, int when, const QString &date)
{
    return [=](QDialog *d) {
        control<QSpinBox>(d, "newLink_old")->setValue(days);
        fillDialog(d, {{"newLink_when", QString::number(when)}});
        if (!date.isNull())
            control<QLineEdit>(d, "newLink_whenDate")->setText(date);
        click(d, "OKBtn");
        return d->result();
    };
}

std::function<int(QDialog *)> pictureOk(const QList<Fill> &fills)
{
    return [=](QDialog *d) {
        fillDialog(d, fills);
        click(d, "OKBtn");
        return d->result();
    };
}

QWidget *focusOnShow(QDialog *d)
{
    d->show();
    QApplication::setActiveWindow(d);
    QApplication::processEvents();
    QWidget *focus = QApplication::focusWidget();
    d->hide();
    return focus;
}

}  // namespace

TEST_F(NewLinkDlgTest, CheckerPageStartsAtTodayAndEnablesTheDateOnlyForThisDate)
{
    FakeDocument doc;
    TnewlinkFrm dlg(doc, *store, TnewlinkFrm::CheckerPage);
    EXPECT_EQ(dlg.windowTitle(), "New-link checker");
    EXPECT_EQ(control<QStackedWidget>(&dlg, "Notebook1")->currentIndex(), 0);
    auto *days = control<QSpinBox>(&dlg, "newLink_old");
    EXPECT_EQ(days->value(), 7);
    EXPECT_EQ(days->minimum(), 1);
    EXPECT_EQ(days->maximum(), 99);
    // Typing starts on the shown page, not in a field of the hidden one.
    EXPECT_EQ(focusOnShow(&dlg), days);
    auto *when = control<RadioGroup>(&dlg, "newLink_when");
    EXPECT_EQ(when->itemIndex(), 1);
    auto *date = control<QLineEdit>(&dlg, "newLink_whenDate");
    EXPECT_EQ(date->displayText(), NewLinkDateText(QDate::currentDate()));
    EXPECT_FALSE(date->isEnabled());
    when->setItemIndex(0);
    EXPECT_TRUE(date->isEnabled());
    when->setItemIndex(1);
    EXPECT_FALSE(date->isEnabled());
    // The mask keeps the field to digits in the MM/DD/YY places.
    date->clear();
    EXPECT_EQ(date->displayText(), "  /  /  ");
    date->setText("1a2b/3c");
    EXPECT_FALSE(IsNewLinkDate(date->displayText()));
}

TEST_F(NewLinkDlgTest, CheckerIsWrittenInPlaceOfTheSelectionAsOneUndoStep)
{
    const struct
    {
        int days;
        int when;
        QString date;
        const char *expression;
    } cases[] = {
        {14, 1, QString(), "document.lastModified"},
        {7, 0, "03/15/98", "'03/15/98'"},
        // The date field is used only for "on this date".
        {99, 1, "  /  /  ", "document.lastModified"},
        {1, 0, "02/29/00", "'02/29/00'"},
    };
    for (const auto &c : cases) {
        FakeDocument doc("<P>see <A HREF=\"x.html\">x</A>OLD</P>");
        doc.select(29, 3);
        prompts.modals = {checker(c.days, c.when, c.date)};
        Insertnewlinkchecker2Click(doc, *store);
        const std::optional<QString> expected = NewLinkCheckerText(shippedEntries(), c.days, c.expression);
        ASSERT_TRUE(expected.has_value());
        EXPECT_TRUE(expected->contains(QStringLiteral("(%1, %2);").arg(c.days).arg(c.expression))) << c.expression;
        const QByteArray written = "<P>see <A HREF=\"x.html\">x</A>" + expected->toUtf8() + "</P>";
        EXPECT_EQ(doc.text(), written) << c.expression;
        EXPECT_EQ(doc.editor()->SelStart(), written.size() - 4);
        EXPECT_EQ(doc.editor()->SelLength(), 0);
        EXPECT_TRUE(prompts.messages.isEmpty());
        doc.undo();
        EXPECT_EQ(doc.text(), "<P>see <A HREF=\"x.html\">x</A>OLD</P>") << c.expression;
        EXPECT_FALSE(doc.canUndo());
    }
    EXPECT_EQ(prompts.modalNames.first(), "newlinkFrm");
}

TEST_F(NewLinkDlgTest, IncompleteOrImpossibleDateIsRefusedAndTheDialogStaysOpen)
{
    for (const char *bad : {"  /  /  ", "03/1 /98", "3 /15/98", "13/15/98", "02/30/98", "00/00/00"}) {
        ScriptedPrompts local;
        FakeDocument doc("text");
        local.answers = {QMessageBox::Ok};
        local.modals = {[bad](QDialog *d) {
            checker(7, 0, QString::fromLatin1(bad))(d);
            EXPECT_NE(d->result(), QDialog::Accepted) << bad;
            // Mended, the same dialog goes on to write.
            control<QLineEdit>(d, "newLink_whenDate")->setText("12/31/98");
            click(d, "OKBtn");
            return d->result();
        }};
        Insertnewlinkchecker2Click(doc, *store);
        ASSERT_EQ(local.messages.size(), 1) << bad;
        EXPECT_EQ(local.messages[0].caption, "Information");
        EXPECT_TRUE(local.messages[0].text.contains("MM/DD/YY")) << local.messages[0].text.toStdString();
        EXPECT_TRUE(doc.text().contains("'12/31/98'")) << bad;
        EXPECT_EQ(doc.text().count("<SCRIPT"), 1) << bad;
    }
}

TEST_F(NewLinkDlgTest, HeadPartGoesJustBeforeTheHeadEndOrAtTheCaret)
{
    const struct
    {
        QByteArray text;
        int selStart, selLength;
        int at;  // where the head part goes
    } cases[] = {
        {"<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>x</BODY></HTML>", 45, 1, 28},
        {"<html>\r\n<head>\r\n</head>\r\n<body></body>", 0, 0, 16},
        {"<Html><Head></hEAD>", 2, 3, 12},
        // Without a head end the selection is kept and the text goes at the caret.
        {"<P>no head here</P>", 3, 7, 3},
        {"", 0, 0, 0},
    };
    for (const auto &c : cases) {
        FakeDocument doc(c.text, dir.filePath("page.html"));
        doc.select(c.selStart, c.selLength);
        prompts.modals = {pictureOk({{"urlEdit", "new.gif"}, {"altEdit", "New!"}, {"ALIGNgroupbox", "5"}})};
        Setnewlinkimage1Click(doc, *store);
        const std::optional<QString> head = NewLinkHeadText(shippedEntries(), "new.gif", "ABSMIDDLE", "New!");
        ASSERT_TRUE(head.has_value());
        const QByteArray expected = c.text.left(c.at) + head->toUtf8() + c.text.mid(c.at);
        EXPECT_EQ(doc.text(), expected) << c.text.constData();
        EXPECT_EQ(doc.editor()->SelStart(), c.at + head->toUtf8().size());
        doc.undo();
        EXPECT_EQ(doc.text(), c.text);
        EXPECT_FALSE(doc.canUndo());
    }
}

TEST_F(NewLinkDlgTest, PicturePageKeepsItsSettingsAndStoresThemAtOnce)
{
    AppSettings().NewLinkImage = "old.gif";
    AppSettings().NewLinkAltText = "Old";
    const struct
    {
        const char *stored;
        int item;
    } alignments[] = {{"LEFT", 0}, {"ABSBOTTOM", 8}, {"TEXTTOP", 3}, {"CENTER", 0}};
    for (const auto &a : alignments) {
        AppSettings().NewLinkImageAlignment = a.stored;
        FakeDocument doc;
        TnewlinkFrm dlg(doc, *store, TnewlinkFrm::PicturePage);
        EXPECT_EQ(control<QStackedWidget>(&dlg, "Notebook1")->currentIndex(), 1);
        EXPECT_EQ(focusOnShow(&dlg), control<QLineEdit>(&dlg, "urlEdit"));
        EXPECT_EQ(control<QLineEdit>(&dlg, "urlEdit")->text(), "old.gif");
        EXPECT_EQ(control<QLineEdit>(&dlg, "altEdit")->text(), "Old");
        EXPECT_EQ(control<RadioGroup>(&dlg, "ALIGNgroupbox")->itemIndex(), a.item) << a.stored;
    }

    FakeDocument doc("<head></head>", dir.filePath("page.html"));
    prompts.modals = {
        pictureOk({{"urlEdit", "pics/new\r\none.gif"}, {"altEdit", QString(300, 'a')}, {"ALIGNgroupbox", "1"}})};
    Setnewlinkimage1Click(doc, *store);
    EXPECT_EQ(AppSettings().NewLinkImage, "pics/new one.gif");
    EXPECT_EQ(AppSettings().NewLinkAltText, QString(255, 'a'));
    EXPECT_EQ(AppSettings().NewLinkImageAlignment, "RIGHT");
    // Written to the store before the program ends.
    SettingsStore reread(dir.filePath("store.ini"));
    EXPECT_EQ(reread.readString("Misc", "New Link Image", ""), "pics/new one.gif");
    EXPECT_EQ(reread.readString("Misc", "New Link Alt Text", ""), QString(255, 'a'));
    EXPECT_EQ(reread.readString("Misc", "New Link Image Alignment", ""), "RIGHT");

    // The next dialog shows what was confirmed, the alignment included.
    TnewlinkFrm again(doc, *store, TnewlinkFrm::PicturePage);
    EXPECT_EQ(control<RadioGroup>(&again, "ALIGNgroupbox")->itemIndex(), 1);
}

TEST_F(NewLinkDlgTest, AlignmentCaptionsAreWordsAndTheStoredValuesKeywords)
{
    const char *const captions[] = {"Left",      "Right",    "Top",    "TextTop",  "Middle",
                                    "AbsMiddle", "BaseLine", "Bottom", "AbsBottom"};
    const char *const stored[] = {"LEFT",      "RIGHT",    "TOP",    "TEXTTOP",  "MIDDLE",
                                  "ABSMIDDLE", "BASELINE", "BOTTOM", "ABSBOTTOM"};
    for (int i = 0; i < 9; ++i) {
        FakeDocument doc("<head></head>", dir.filePath("page.html"));
        {
            TnewlinkFrm dlg(doc, *store, TnewlinkFrm::PicturePage);
            auto *group = control<RadioGroup>(&dlg, "ALIGNgroupbox");
            ASSERT_EQ(group->count(), 9);
            EXPECT_EQ(group->button(i)->text().remove(QLatin1Char('&')), QLatin1String(captions[i]));
        }
        prompts.modals = {pictureOk({{"urlEdit", "new.gif"}, {"ALIGNgroupbox", QString::number(i)}})};
        Setnewlinkimage1Click(doc, *store);
        EXPECT_EQ(AppSettings().NewLinkImageAlignment, QLatin1String(stored[i])) << captions[i];
    }
}

TEST_F(NewLinkDlgTest, PictureNearTheDocumentIsWrittenRelativeWithSlashes)
{
    const QString folder = dir.filePath("site");
    ASSERT_TRUE(QDir().mkpath(folder + "/img"));
    const struct
    {
        QString chosen;
        const char *written;
    } cases[] = {
        {folder + "/new.gif", "\"new.gif\""},
        {folder + "/img/new.gif", "\"img/new.gif\""},
        {dir.filePath("up.gif"), "\"../up.gif\""},
        {"http://example.org/new.gif", "\"http://example.org/new.gif\""},
    };
    for (const auto &c : cases) {
        FakeDocument doc("<HEAD></HEAD>", folder + "/page.html");
        prompts.files = {c.chosen};
        prompts.modals = {[](QDialog *d) {
            click(d, "Button2");
            click(d, "OKBtn");
            return d->result();
        }};
        Setnewlinkimage1Click(doc, *store);
        EXPECT_TRUE(doc.text().contains(QByteArray("var tagloomNewLinkImage = ") + c.written))
            << doc.text().constData();
        // The setting keeps the name as chosen, for documents elsewhere.
        EXPECT_EQ(AppSettings().NewLinkImage, c.chosen);
        EXPECT_EQ(prompts.fileRequests.last().filterIndex, FileFilterKind::Pictures - 1);
    }
}

TEST_F(NewLinkDlgTest, Latin1DocumentGetsEscapesForWhatItCannotHold)
{
    FakeDocument doc("<HEAD>\xfc</HEAD>", dir.filePath("page.html"));
    ASSERT_FALSE(doc.editor()->isUtf8Document());
    prompts.modals = {pictureOk({{"urlEdit", "new.gif"}, {"altEdit", QString::fromUtf8("\xc3\xbc\xe2\x82\xac")}})};
    Setnewlinkimage1Click(doc, *store);
    EXPECT_TRUE(doc.text().contains("var tagloomNewLinkAlt = \"\xfc\\u20AC\";")) << doc.text().constData();
    EXPECT_FALSE(doc.text().contains("&#")) << doc.text().constData();
}

TEST_F(NewLinkDlgTest, UntitledDocumentIsAskedAboutBeforeAnythingIsWritten)
{
    FakeDocument doc("<HEAD></HEAD>");
    prompts.answers = {QMessageBox::No};
    prompts.modals = {pictureOk({{"urlEdit", dir.filePath("new.gif")}})};
    Setnewlinkimage1Click(doc, *store);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, UnsavedDocumentQuestion());
    EXPECT_TRUE(doc.text().contains(dir.filePath("new.gif").toUtf8()));
    doc.undo();
    EXPECT_EQ(doc.text(), "<HEAD></HEAD>");
}

TEST_F(NewLinkDlgTest, CancelledBrowseOrWizardKeepsTheField)
{
    SetUrlPicker([](QWidget *, QString &url) {
        if (!url.isEmpty())
            return false;  // the composer starts empty
        static int calls = 0;
        if (calls++ % 2)
            return false;
        url = QStringLiteral("http://example.org/new.gif");
        return true;
    });
    FakeDocument doc;
    TnewlinkFrm dlg(doc, *store, TnewlinkFrm::PicturePage);
    auto *url = control<QLineEdit>(&dlg, "urlEdit");
    url->setText("typed.gif");
    prompts.files = {"", dir.filePath("chosen.gif")};
    click(&dlg, "Button2");
    EXPECT_EQ(url->text(), "typed.gif");
    click(&dlg, "Button2");
    EXPECT_EQ(url->text(), dir.filePath("chosen.gif"));
    click(&dlg, "Button1");
    EXPECT_EQ(url->text(), "http://example.org/new.gif");
    click(&dlg, "Button1");
    EXPECT_EQ(url->text(), "http://example.org/new.gif");
}

TEST_F(NewLinkDlgTest, CancelWritesNothingAndStoresNothing)
{
    for (int page : {0, 1}) {
        FakeDocument doc("<HEAD></HEAD>");
        prompts.modals = {[](QDialog *d) {
            fillDialog(d, {{"urlEdit", "x.gif"}, {"newLink_when", "0"}});
            click(d, "CancelBtn");
            return d->result();
        }};
        (page == 0 ? Insertnewlinkchecker2Click : Setnewlinkimage1Click)(doc, *store);
        EXPECT_EQ(doc.text(), "<HEAD></HEAD>");
        EXPECT_FALSE(doc.isModified());
    }
    EXPECT_EQ(AppSettings().NewLinkImage, "");
    EXPECT_FALSE(store->hasValue("Misc", "New Link Image"));
}

TEST_F(NewLinkDlgTest, MissingEntriesFileOrEntryWritesNothing)
{
    const struct
    {
        bool file;  // false: no entries file at all
        int page;
    } cases[] = {{false, 0}, {false, 1}, {true, 0}, {true, 1}};
    for (const auto &c : cases) {
        QFile::remove(JavaScriptFileName());
        if (c.file) {
            ASSERT_TRUE(
                writeFileBytes(JavaScriptFileName(), "Tagloom JS Entry #0\r\nx\r\nTagloom JS Entry #5\r\ny\r\n"));
        }
        ScriptedPrompts local;
        FakeDocument doc("<HEAD></HEAD>");
        doc.select(6, 0);
        if (!c.file)
            local.answers = {QMessageBox::Ok};
        local.modals = {[](QDialog *d) {
            fillDialog(d, {{"urlEdit", "x.gif"}});
            click(d, "OKBtn");
            return d->result();
        }};
        (c.page == 0 ? Insertnewlinkchecker2Click : Setnewlinkimage1Click)(doc, *store);
        EXPECT_EQ(doc.text(), "<HEAD></HEAD>") << c.file << c.page;
        EXPECT_EQ(doc.editor()->SelStart(), 6);
        EXPECT_FALSE(doc.isModified());
        if (c.file) {
            EXPECT_TRUE(local.messages.isEmpty());
        } else {
            ASSERT_EQ(local.messages.size(), 1);
            EXPECT_EQ(local.messages[0].text, FileMessageText(FileNotFound, JavaScriptFileName()));
        }
    }
    // The picture settings were confirmed all the same.
    EXPECT_EQ(store->readString("Misc", "New Link Image", ""), "x.gif");
}
