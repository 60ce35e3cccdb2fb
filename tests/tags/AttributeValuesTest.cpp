#include "support/ScriptedPrompts.h"
#include "tags/AttributeHelpers.h"

#include <gtest/gtest.h>

TEST(ToFileUrlPath, ChangesDriveColonAndBackslashes)
{
    EXPECT_EQ(ToFileUrlPath(QStringLiteral("C:\\web\\a.gif")), QStringLiteral("C|/web/a.gif"));
    EXPECT_EQ(ToFileUrlPath(QStringLiteral("..\\img\\a.gif")), QStringLiteral("../img/a.gif"));
    EXPECT_EQ(ToFileUrlPath(QStringLiteral("/web/a.gif")), QStringLiteral("/web/a.gif"));
    EXPECT_EQ(ToFileUrlPath(QStringLiteral("a:")), QStringLiteral("a|"));
    EXPECT_EQ(ToFileUrlPath(QStringLiteral(":")), QStringLiteral(":"));
    EXPECT_EQ(ToFileUrlPath(QString()), QString());
}

TEST(ColorToHex, WritesRedGreenBlueInUpperCase)
{
    EXPECT_EQ(ColorToHex(quint32(0x00563412)), QStringLiteral("123456"));
    EXPECT_EQ(ColorToHex(quint32(0x80FFFFFF)), QStringLiteral("FFFFFF"));  // highest byte ignored
    EXPECT_EQ(ColorToHex(QColor(0, 0, 255)), QStringLiteral("0000FF"));
    EXPECT_EQ(ColorToHex(QColor(0xAB, 0xCD, 0xEF)), QStringLiteral("ABCDEF"));
    EXPECT_EQ(ColorToRef(QColor(1, 2, 3)), 0x030201u);
}

TEST(ImageAlignValue, MapsTheNineItems)
{
    const char *expected[] = {"LEFT",      "RIGHT",    "TOP",    "TEXTTOP",  "MIDDLE",
                              "ABSMIDDLE", "BASELINE", "BOTTOM", "ABSBOTTOM"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(ImageAlignValue(i), QString::fromLatin1(expected[i]));
    EXPECT_EQ(ImageAlignValue(-1), QString());
    EXPECT_EQ(ImageAlignValue(9), QString());
}

TEST(ChoiceValue, PicksTheEntryOfTheSelectedItem)
{
    const QString rule = QStringLiteral("\\LEFT\\RIGHT\\CENTER\\");
    EXPECT_EQ(ChoiceValue(0, rule), QString());
    EXPECT_EQ(ChoiceValue(3, rule), QStringLiteral("CENTER"));
    EXPECT_EQ(ChoiceValue(-1, rule), QString());

    const QString bullets = QStringLiteral("DISC\\CIRCLE\\SQUARE\\");
    EXPECT_EQ(ChoiceValue(0, bullets), QStringLiteral("DISC"));
    EXPECT_EQ(ChoiceValue(3, bullets), QString());  // "Default" has no entry
    EXPECT_EQ(ChoiceValue(19, bullets), QString());
    EXPECT_EQ(ChoiceValue(25, bullets), QString());

    const QString clear = QStringLiteral("\\ CLEAR=LEFT\\ CLEAR=RIGHT\\ CLEAR=ALL\\");
    EXPECT_EQ(ChoiceValue(3, clear), QStringLiteral(" CLEAR=ALL"));
    EXPECT_EQ(ChoiceValue(1, QStringLiteral("A\\\\B\\")), QString());
    EXPECT_EQ(ChoiceValue(2, QStringLiteral("A\\\\B\\")), QStringLiteral("B"));
    // Text after the last backslash is no entry.
    EXPECT_EQ(ChoiceValue(1, QStringLiteral("A\\tail")), QString());
    EXPECT_EQ(ChoiceValue(0, QString()), QString());
}

TEST(ChoiceValue, KeepsAtMostTwentyEntries)
{
    QString list;
    for (int i = 0; i < 25; ++i)
        list += QString::number(i) + QLatin1Char('\\');
    EXPECT_EQ(ChoiceValue(19, list), QStringLiteral("19"));
    EXPECT_EQ(ChoiceValue(20, list), QString());
}

TEST(ShowFileMessage, ShowsTheNumberedMessagesInAnErrorBox)
{
    ScriptedPrompts prompts;
    prompts.answers = {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    ShowFileMessage(1, QStringLiteral("/p/x.tlp"));
    ShowFileMessage(FileNotFound, QStringLiteral("Tagloom %s.colors"));
    ShowFileMessage(3, QStringLiteral("ignored"));
    ShowFileMessage(0, QStringLiteral("x"));
    ShowFileMessage(4, QStringLiteral("x"));
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("/p/x.tlp\r\nis not a valid project file"));
    EXPECT_EQ(prompts.messages[1].text, QStringLiteral("Tagloom %s.colors\r\nnot found"));
    EXPECT_EQ(prompts.messages[2].text, QStringLiteral("Maximum 20 private tags"));
    for (const auto &m : prompts.messages) {
        EXPECT_EQ(m.caption, QStringLiteral("Error"));
        EXPECT_EQ(m.icon, QMessageBox::Critical);
        EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
}
