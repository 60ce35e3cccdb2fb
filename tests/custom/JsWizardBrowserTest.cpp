#include "custom/JsWizardDlg.h"

#include "objects/FontMarkup.h"
#include "platform/Settings.h"
#include "support/HeadlessBrowser.h"
#include "support/ScriptedPrompts.h"
#include "support/FakeDocument.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

// The wizard's scripts, written from the shipped entries into a page, run in a
// browser and do what they promise, typed values of every kind included.
namespace {

const QString hostile = QString::fromUtf8("It's \"q\" \\ </script> ~ TL%1 ü€");

class JsWizardBrowserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FontChoice() = FontChoiceValues();
        QFile::remove(JavaScriptFileName());
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAGLOOM_SHIPPED_DATA "/Tagloom.js"), JavaScriptFileName()));
    }
    void TearDown() override
    {
        QFile::remove(JavaScriptFileName());
        FontChoice() = FontChoiceValues();
    }
};

// A page with the caret in its body, then the values written by the wizard.
QByteArray pageWith(const QList<JsWizardValues> &scripts, const QByteArray &charset = "utf-8",
                    const QByteArray &before = {}, const QByteArray &after = {})
{
    ScriptedPrompts prompts;
    const QByteArray head = "<HTML>\r\n<HEAD>\r\n<META CHARSET=\"" + charset
                            + "\">\r\n<TITLE>t</TITLE>\r\n</HEAD>\r\n<BODY>\r\n" + before;
    // A single-byte document is one that is not valid UTF-8.
    const QByteArray marker = charset == "utf-8" ? QByteArray() : QByteArray("<!-- caf\xe9 -->");
    FakeDocument doc(head + marker + "\r\n" + after + "\r\n</BODY>\r\n</HTML>\r\n");
    doc.select(int(head.size() + marker.size()), 0);
    for (const JsWizardValues &values : scripts)
        InsertJsWizardScript(doc, values);
    EXPECT_TRUE(prompts.messages.isEmpty());
    return doc.text();
}

QStringList probed(const BrowserPage &page)
{
    QStringList values;
    for (const QJsonValue &v : QJsonDocument::fromJson(page.probe.toUtf8()).array())
        values.append(v.toString());
    return values;
}

// Records each new value of an expression, now and every 40 ms, for the probe to return.
QByteArray sampler(const char *expression)
{
    return QByteArray("<SCRIPT>var tlSeen = []; function tlSample() { var v = String(") + expression
           + "); if (tlSeen[tlSeen.length - 1] !== v) tlSeen.push(v); } tlSample(); setInterval(tlSample, 40);"
             "</SCRIPT>\r\n";
}

TEST_F(JsWizardBrowserTest, LastModifiedShowsTheDateInsideTheFontAndDiv)
{
    FontChoice() = {QString(), QString(), QStringLiteral("FF0000"), QStringLiteral("b")};
    JsWizardValues v;
    v.script = JsWizardScript::LastModified;
    v.align = QStringLiteral("Center");
    const BrowserPage page = LoadInBrowser(
        pageWith({v}),
        QStringLiteral("JSON.stringify([Array.prototype.filter.call(document.querySelector('font[color] b div[align]')"
                       ".childNodes, function (n) { return n.nodeType == 3; }).map(function (n) { return n.data; })"
                       ".join('').trim()])"));
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join("\n").toStdString();
    const QString shown = probed(page).value(0);
    EXPECT_TRUE(shown.startsWith("Last modified: ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QRegularExpression("\\d{1,2}:\\d{2}"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains("Invalid")) << shown.toStdString();
}

TEST_F(JsWizardBrowserTest, TheSubmitButtonScrollsItsTextOnceItsFormExists)
{
    JsWizardValues v;
    v.script = JsWizardScript::ScrollingButton;
    v.scrollText = hostile;
    // Another case than the page's, and the script stands before the form.
    v.formName = QStringLiteral("orderFORM");
    v.submitName = QStringLiteral("SEND");
    const QByteArray form = "<FORM NAME=\"OrderForm\"><INPUT TYPE=\"SUBMIT\" NAME=\"Send\" VALUE=\"x\"></FORM>\r\n";
    const BrowserPage page = LoadInBrowser(
        pageWith({v}, "utf-8", {}, form + sampler("document.forms[0].elements[0].value")),
        QStringLiteral("JSON.stringify(tlSeen)"), 1500);
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join("\n").toStdString();
    const QStringList seen = probed(page);
    ASSERT_GE(seen.size(), 4) << page.probe.toStdString();
    const QString ring = hostile + QStringLiteral("   ");
    for (const QString &value : seen.mid(1)) {
        EXPECT_EQ(value.size(), ring.size()) << value.toStdString();
        EXPECT_TRUE((ring + ring).contains(value)) << value.toStdString();
    }
    EXPECT_TRUE(seen.contains(ring)) << page.probe.toStdString();
}

// What shows behind the page: the root's background when it has one, else the body's.
const char *const canvasColour =
    "(function () { var c = getComputedStyle(document.documentElement).backgroundColor;"
    " return c == 'rgba(0, 0, 0, 0)' ? getComputedStyle(document.body).backgroundColor : c; })()";

TEST_F(JsWizardBrowserTest, FadeWrittenIntoTheHeadAlsoEndsOnTheEndColour)
{
    ScriptedPrompts prompts;
    FakeDocument doc(
        "<HTML>\r\n<HEAD>\r\n<TITLE>t</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<P>text</P>\r\n</BODY>\r\n</HTML>\r\n");
    doc.select(int(doc.text().indexOf("</HEAD>")), 0);
    JsWizardValues v;
    v.script = JsWizardScript::Fade;
    v.fadeFrom = {255, 255, 0};
    v.fadeTo = {0, 64, 0};
    v.speed = 9;
    InsertJsWizardScript(doc, v);
    const BrowserPage page = LoadInBrowser(doc.text(), QString::fromLatin1(canvasColour), 1500);
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join("\n").toStdString();
    EXPECT_EQ(page.probe.toStdString(), "rgb(0, 64, 0)");
}

TEST_F(JsWizardBrowserTest, FadeTakesTheBackgroundToTheEndColour)
{
    JsWizardValues v;
    v.script = JsWizardScript::Fade;
    v.fadeFrom = {255, 0, 0};
    v.fadeTo = {0, 0, 255};
    v.speed = 17;
    const BrowserPage page = LoadInBrowser(
        pageWith({v}, "utf-8", {}, sampler("getComputedStyle(document.body).backgroundColor")),
        QStringLiteral("JSON.stringify(tlSeen.concat([%1]))").arg(QString::fromLatin1(canvasColour)), 1500);
    REQUIRE_BROWSER(page);
    EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join("\n").toStdString();
    const QStringList seen = probed(page);
    ASSERT_GE(seen.size(), 4) << page.probe.toStdString();
    EXPECT_EQ(seen.first().toStdString(), "rgb(255, 0, 0)");
    EXPECT_EQ(seen.last().toStdString(), "rgb(0, 0, 255)");
}

TEST_F(JsWizardBrowserTest, TextFadeWritesOneFontPerCharacterFromColourToColour)
{
    JsWizardValues v;
    v.script = JsWizardScript::TextFade;
    v.textFrom = {0, 128, 0};
    v.textTo = {255, 255, 255};
    v.fadeText = hostile;
    const QString probe = QStringLiteral(
        "JSON.stringify([String(document.querySelectorAll('font').length), Array.prototype.map.call("
        "document.querySelectorAll('font'), function (f) { return f.textContent; }).join(''),"
        "document.querySelector('font').getAttribute('color'),"
        "document.querySelectorAll('font')[document.querySelectorAll('font').length - 1].getAttribute('color'),"
        "String(document.head.querySelectorAll('script').length)])");
    // Twice in the same page, in both encodings: the head part is written once and both texts fade.
    for (const QByteArray &charset : {QByteArray("utf-8"), QByteArray("windows-1252")}) {
        const QByteArray html = pageWith({v, v}, charset);
        const BrowserPage page = LoadInBrowser(html, probe);
        REQUIRE_BROWSER(page);
        EXPECT_TRUE(page.scriptErrors.isEmpty()) << page.scriptErrors.join("\n").toStdString();
        const QStringList seen = probed(page);
        ASSERT_EQ(seen.size(), 5) << page.probe.toStdString();
        EXPECT_EQ(seen[0].toStdString(), std::to_string(2 * hostile.size())) << charset.constData();
        EXPECT_EQ(seen[1].toStdString(), (hostile + hostile).toStdString()) << charset.constData();
        EXPECT_EQ(seen[2].toStdString(), "#008000");
        EXPECT_EQ(seen[3].toStdString(), "#ffffff");
        EXPECT_EQ(seen[4].toStdString(), "1") << html.constData();
    }
}

}  // namespace
