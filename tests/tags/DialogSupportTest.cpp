#include "tags/AttributeText.h"
#include "tags/TagInsertion.h"
#include "tags/UrlPicker.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(AttributeText, TypedValuesStayAsTypedExceptWhatBreaksTheTag)
{
    const struct
    {
        const char *typed;
        const char *oneLine;
        const char *quoted;
    } cases[] = {
        {"plain", "plain", "plain"},
        {"caf&eacute;", "caf&eacute;", "caf&eacute;"},
        {"say \"hi\"", "say \"hi\"", "say &quot;hi&quot;"},
        {"a\r\nb\nc\rd", "a b c d", "a b c d"},
        {"\r\n\r\n", "  ", "  "},
        {"it's <b>", "it's <b>", "it's <b>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(OneLine(QString::fromUtf8(c.typed)), QString::fromUtf8(c.oneLine)) << c.typed;
        EXPECT_EQ(QuotedValue(QString::fromUtf8(c.typed)), QString::fromUtf8(c.quoted)) << c.typed;
    }
}

TEST(EncodeMarkup, SingleByteDocumentsGetReferencesForWhatTheyCannotHold)
{
    const QString text = QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80!");
    EXPECT_EQ(EncodeMarkup(text, true), text.toUtf8());
    EXPECT_EQ(EncodeMarkup(text, false), QByteArray("caf\xE9 &#8364; &#128512;!"));
    EXPECT_EQ(EncodeMarkup(QString(), false), QByteArray());
}

TEST(UrlPicker, WizardButtonsReplaceTheFieldOnlyWhenAUrlComesBack)
{
    SetUrlPicker({});
    QLineEdit field(QStringLiteral("typed.html"));
    QPushButton button;
    ConnectUrlWizard(&button, &field);
    EXPECT_FALSE(button.isEnabled());

    QList<QString> answers = {QStringLiteral("http://h/p"), QString(), QStringLiteral("-")};
    SetUrlPicker([&answers](QWidget *, QString &url) {
        const QString next = answers.takeFirst();
        if (next == QStringLiteral("-"))
            return false;
        url = next;
        return true;
    });
    QPushButton button2;
    ConnectUrlWizard(&button2, &field);
    ASSERT_TRUE(button2.isEnabled());
    button2.click();
    EXPECT_EQ(field.text(), QStringLiteral("http://h/p"));
    button2.click();  // an empty URL counts as none
    EXPECT_EQ(field.text(), QStringLiteral("http://h/p"));
    button2.click();  // cancelled
    EXPECT_EQ(field.text(), QStringLiteral("http://h/p"));
    EXPECT_TRUE(answers.isEmpty());
    SetUrlPicker({});
}
