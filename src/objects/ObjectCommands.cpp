#include "objects/ObjectCommands.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "objects/LinkMarkup.h"
#include "objects/LinksDlg.h"
#include "objects/MapsDlg.h"
#include "objects/TagNameScan.h"
#include "objects/URLDlg.h"
#include "platform/Prompts.h"
#include "tags/AttributeHelpers.h"
#include "tags/TagInsertion.h"

#include <QListWidget>

namespace {

void runLinksDialog(TextDocument &document, int page)
{
    TLinksDlg dialog(document, page, document.window());
    if (page == TLinksDlg::MakeAnchorPage || page == TLinksDlg::LinkToAnchorPage) {
        QListWidget *list = page == TLinksDlg::MakeAnchorPage ? dialog.AnchorList : dialog.AnchorList2;
        list->addItems(CollectTagNames(document, QStringLiteral("<A"), QStringLiteral("NAME=\"")));
    }
    Prompts::instance().runModal(&dialog);
}

void runMapsDialog(TextDocument &document, int page)
{
    TMapsDlg dialog(&document, page, document.window());
    Prompts::instance().runModal(&dialog);
}

}  // namespace

void Insertadocumentinthesamesystem1Click(TextDocument &document)
{
    runLinksDialog(document, TLinksDlg::LinkToFilePage);
}

void Insertadocumentinothersystem1Click(TextDocument &document)
{
    runLinksDialog(document, TLinksDlg::LinkToUrlPage);
}

void Jumpwithinthisdocument1Click(TextDocument &document)
{
    runLinksDialog(document, TLinksDlg::LinkToAnchorPage);
}

void TargetName1Click(TextDocument &document)
{
    TColorMemo *memo = document.editor();
    // A selection becomes the name of an empty anchor in its place, no questions asked.
    if (memo->SelLength() >= 1)
        InsertAnchor(document, memo->decode(memo->SelText()));
    else
        runLinksDialog(document, TLinksDlg::MakeAnchorPage);
}

void InsertaURLaddress1Click(TextDocument &document)
{
    QString url;
    if (PickURL(document.window(), url))
        ReplaceSelection(document, url);
}

void Insertarelativefilename1Click(TextDocument &document)
{
    const QString name = AskFileName(document.window(), FileFilterKind::All);
    if (name.isEmpty())
        return;
    ReplaceSelection(document, MakeRelativePath(document, name));
}

void Map1Click(TextDocument &document)
{
    runMapsDialog(document, TMapsDlg::MapPage);
}

void Area1Click(TextDocument &document)
{
    runMapsDialog(document, TMapsDlg::AreaPage);
}

const QList<Command> &ObjectCommands()
{
    static const QList<Command> commands = {
        MakeCommand("Insertadocumentinthesamesystem1", "To &File...", "Ctrl+Shift+F1", "",
                    Insertadocumentinthesamesystem1Click),
        MakeCommand("Insertadocumentinothersystem1", "To &URL", "Ctrl+Shift+F2", "",
                    Insertadocumentinothersystem1Click),
        MakeCommand("Jumpwithinthisdocument1", "To &Anchor", "Ctrl+Shift+F3", "", Jumpwithinthisdocument1Click),
        MakeCommand("TargetName1", "&Anchor...", "Ctrl+F1", "", TargetName1Click),
        MakeCommand("InsertaURLaddress1", "Insert a &URL address...", "", "", InsertaURLaddress1Click),
        MakeCommand("Insertarelativefilename1", "Insert a relative &filename...", "", "",
                    Insertarelativefilename1Click),
        MakeCommand("Map1", "&Map", "", "", Map1Click),
        MakeCommand("Area1", "&Area", "", "", Area1Click),
    };
    return commands;
}
