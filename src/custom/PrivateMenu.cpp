#include "custom/PrivateMenu.h"

#include "editor/ColorMemo.h"
#include "editor/TextDocument.h"
#include "tags/TagInsertion.h"

#include <QAction>
#include <QMenu>

void BuildPrivateMenu(QMenu *menu, const PrivateTagList &tags, const std::function<void(const QString &)> &onClick)
{
    if (!menu)
        return;
    menu->clear();
    for (int i = 0; i < PrivateTagLimits::Count; ++i) {
        const PrivateTag &tag = tags[size_t(i)];
        if (!tag.isUsed())
            continue;
        // "&" in a name is shown as written, not as a mnemonic.
        QString caption = tag.name;
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *item = menu->addAction(caption);
        item->setObjectName(QStringLiteral("privateMenuItem%1").arg(i));
        item->setProperty(PrivateNameProperty, tag.name);
        const QString name = tag.name;
        QObject::connect(item, &QAction::triggered, menu, [onClick, name] {
            if (onClick)
                onClick(name);
        });
    }
}

PrivateTagTexts PrivateTagWriting(const PrivateTag &tag)
{
    const QString crlf = QStringLiteral("\r\n");
    switch (tag.layout) {
    case 0:
        return {tag.open + crlf, crlf + tag.close, false};
    case 2:
        return {tag.open + tag.close, QString(), true};
    default:
        return {tag.open, tag.close, false};
    }
}

void PrivateMenuClick(TextDocument &document, const QString &name, const PrivateTagList &tags)
{
    TColorMemo *memo = document.editor();
    if (!memo || name.isEmpty())
        return;
    UndoStep step(memo);
    for (const PrivateTag &tag : tags) {
        if (tag.name != name)
            continue;
        const PrivateTagTexts texts = PrivateTagWriting(tag);
        if (texts.replace)
            ReplaceSelection(document, texts.start);
        else
            InsertTagPair(document, texts.start, texts.end);
    }
}
