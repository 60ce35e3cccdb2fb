#include "check/MarkupCheck.h"
#include "objects/AppletMarkup.h"
#include "objects/FontMarkup.h"
#include "objects/ImageMarkup.h"
#include "objects/LayerMarkup.h"
#include "objects/LinkMarkup.h"
#include "objects/MapMarkup.h"
#include "support/FakeDocument.h"
#include "tags/DocStructureMarkup.h"
#include "tags/FormMarkup.h"
#include "tags/FramesMarkup.h"
#include "tags/ListMarkup.h"
#include "tags/MiscMarkup.h"
#include "tags/TableMarkup.h"
#include "tags/TagCommands.h"

#include <gtest/gtest.h>

// The markup the program's own commands and dialogs write, put through the
// page check: tidy finds no error in it. This guards the generators as much as
// the check: an error here is either wrong markup written or a check too strict.
namespace {
QByteArray written(const QByteArray &selected, const std::function<void(TextDocument &)> &write)
{
    FakeDocument doc(selected);
    doc.select(0, int(selected.size()));
    write(doc);
    return doc.text();
}

template <typename Texts>
QByteArray pair(const Texts &texts, const QByteArray &inside = {})
{
    return texts.start.toUtf8() + inside + texts.end.toUtf8() + "\r\n";
}

QString errors(const QByteArray &page)
{
    QString out;
    for (const MarkupMessage &m : CheckMarkup(page, true))
        if (m.severity == CheckSeverity::Error)
            out += QStringLiteral("%1:%2: %3\n").arg(m.line).arg(m.column).arg(m.message);
    return out;
}

QByteArray skeleton(const QByteArray &body)
{
    DocStructureValues values;
    values.docType = 0;
    values.title = QStringLiteral("Checked");
    values.author = QStringLiteral("A. Writer");
    values.keywords = QStringLiteral("tags, check");
    values.background = QStringLiteral("back.gif");
    values.colors[0] = QColor(0xFF, 0xFF, 0xFF);
    values.colors[2] = QColor(0, 0, 0xFF);
    return (DocStructureHeadLines(values).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8() + body
           + DocStructureTailLines().join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}
}  // namespace

TEST(GeneratedMarkupCheck, BodyElementsHaveNoMarkupErrors)
{
    QByteArray body;
    for (const char *item : {"Header11", "Header32", "Bold1", "Italic1", "Underline1", "Strong1", "Emphasis1",
                             "BlockQuote1", "Center1", "Code1", "Address1", "Subscript1", "Superscript1"})
        if (const TagCommand *command = FindTagCommand(QString::fromLatin1(item)))
            body += "<DIV>" + written("x", [command](TextDocument &d) { command->run(d); }) + "</DIV>\r\n";
    body += GetTagloomButtonMarkup().toUtf8() + "\r\n";
    body += AnchorText(QStringLiteral("Intro")).toUtf8() + "\r\n"
            + LinkText(QStringLiteral("#Intro"), QStringLiteral("_top"), QStringLiteral("here")).toUtf8() + "\r\n";
    ImageValues image;
    image.src = QStringLiteral("m.gif");
    image.alt = QStringLiteral("Map");
    image.width = QStringLiteral("100");
    image.height = QStringLiteral("60");
    image.border = QStringLiteral("0");
    image.useMap = QStringLiteral("#Nav");
    body += ImageText(image).toUtf8() + "\r\n";
    using V = NameValueList;
    body += pair(
        MapTagText(MapTag, V{{"name", "Nav"}}),
        MapTagText(AreaTag, V{{"href", "a.html"}, {"left", "0"}, {"top", "0"}, {"right", "9"}, {"bottom", "9"}})
            .start.toUtf8());
    // Tables and lists.
    const QByteArray cells = pair(TableMarkup(TableKind::Row, {{"align", "CENTER"}}))
                             + pair(TableMarkup(TableKind::Header, {{"colspan", "2"}}), "h")
                             + pair(TableMarkup(TableKind::Row, {}))
                             + pair(TableMarkup(TableKind::Data, {{"width", "50%"}, {"vAlign", "TOP"}}), "d")
                             + pair(TableMarkup(TableKind::Data, {}), "e");
    body += written(cells, [](TextDocument &doc) {
        InsertTableMarkup(
            doc, TableKind::Table,
            {{"border", "1"}, {"cellSpace", "2"}, {"cellPad", "3"}, {"width", "80%"}, {"caption", "Sales"}});
    });
    const QList<ListRow> two = {{QStringLiteral("one"), QStringLiteral("first")},
                                {QStringLiteral("two"), QStringLiteral("second")}};
    for (ListKind kind :
         {ListKind::Ordered, ListKind::Unordered, ListKind::Definition, ListKind::Directory, ListKind::Menu})
        body += written("", [&](TextDocument &doc) { InsertWholeList(doc, kind, {}, two); });
    // A form with its controls.
    const auto form = [](FormElement element, const NameValueList &v, const QByteArray &inner = {}) {
        return pair(FormElementMarkup(element, v), inner);
    };
    QByteArray controls;
    controls += form(FormElement::CheckBox, {{"name", "c"}, {"value", "ON"}});
    controls += form(FormElement::Hidden, {{"name", "h"}, {"value", "v"}});
    controls += form(FormElement::Image, {{"name", "i"}, {"border", "0"}, {"src", "go.gif"}, {"align", "MIDDLE"}});
    controls += form(FormElement::Password, {{"name", "p"}, {"size", "8"}, {"maxlength", "16"}});
    controls += form(FormElement::Radio, {{"name", "r"}, {"value", "TRUE"}});
    controls += form(FormElement::Submit, {{"name", "su"}, {"value", "Send"}});
    controls += form(FormElement::Text, {{"name", "t"}, {"size", "20"}, {"maxlength", "80"}, {"value", "v"}});
    controls += form(FormElement::TextAreaElement, {{"name", "ta"}, {"rows", "4"}, {"cols", "40"}, {"wrap", "OFF"}});
    controls += form(FormElement::Select, {{"name", "s"}, {"size", "3"}},
                     form(FormElement::Option, {{"selected", "true"}}, "Red") + form(FormElement::Option, {}, "Green"));
    body += form(FormElement::Form, {{"name", "f"}, {"method", "POST"}, {"action", "/cgi-bin/x"}}, controls);
    // Rules, line breaks, aligned blocks.
    HorizontalRuleValues rule;
    rule.sizeChecked = true;
    rule.size = 3;
    rule.width = 50;
    rule.widthInPercent = true;
    rule.alignIndex = 1;
    body += HorizontalRuleText(rule).toUtf8() + "\r\n" + LineBreakText(1).toUtf8() + "\r\n";
    body += AlignedStartText(QStringLiteral("P"), 1).toUtf8() + "p" + AlignedEndText(QStringLiteral("P")).toUtf8()
            + "\r\n";
    // Applets, layers, fonts.
    body += pair(AppletMarkup(AppletElement,
                              {{"code", "Clock.class"}, {"width", "200"}, {"height", "100"}, {"codeBase", "java/"}}),
                 AppletMarkup(AppletParameter, {{"name", "speed"}, {"value", "10"}}).start.toUtf8());
    body += pair(
        LayerMarkup(Layer, {{"name", "top"}, {"left", "10"}, {"top", "20"}, {"width", "300"}, {"bgColor", "FFFFFF"}}),
        "<P>floating</P>");
    body += pair(LayerMarkup(InlineLayer, {{"name", "in"}, {"above", "top"}}), "inline");
    body += pair(FontMarkup({"DejaVu Sans", "12", "FF0000", "bis"}), "word");

    const QByteArray page = skeleton(body);
    EXPECT_EQ(errors(page).toStdString(), "") << page.toStdString();
}

TEST(GeneratedMarkupCheck, FrameSetsHaveNoMarkupErrors)
{
    const auto frame = [](FrameElement element, const NameValueList &v, const QByteArray &inner = {}) {
        return pair(FramesElementMarkup(element, v), inner);
    };
    const QByteArray frames = frame(
        FrameElement::FrameSet, {{"cols", "30%,*"}, {"border", "1"}},
        frame(FrameElement::Frame, {{"name", "menu"}, {"src", "menu.html"}, {"scrolling", "AUTO"}})
            + frame(FrameElement::FrameSet, {{"rows", "40%,*"}},
                    frame(FrameElement::Frame, {{"name", "top"}, {"scrolling", "NO"}, {"noResize", "true"}})
                        + frame(FrameElement::Frame, {{"name", "bottom"}}))
            + frame(FrameElement::NoFrames, {}, "<P>Your browser shows no frames.</P>"));
    const QByteArray page = "<HTML><HEAD><TITLE>f</TITLE></HEAD>\r\n" + frames + "</HTML>\r\n";
    EXPECT_EQ(errors(page).toStdString(), "") << page.toStdString();
    // The check does see errors: an element no HTML knows is one.
    EXPECT_EQ(errors("<HTML><BODY><P><BLURB>x</BLURB></BODY></HTML>").toStdString(),
              "1:16: <blurb> is not recognized!\n");
}
