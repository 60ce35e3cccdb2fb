#include "project/ProjectTitleBar.h"

#include "project/ProjectPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

ProjectTitleBar::ProjectTitleBar(ProjectPanel &panel, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("projectFileNamePanel"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(panel.createFileNameLabel(this), 1);

    auto *alignBtn = new QToolButton(this);
    alignBtn->setObjectName(QStringLiteral("projectAlignBtn"));
    alignBtn->setToolTip(QStringLiteral("Change project panel alignment"));
    alignBtn->setStatusTip(alignBtn->toolTip());
    alignBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    alignBtn->setPopupMode(QToolButton::InstantPopup);
    alignBtn->setAutoRaise(true);
    auto *alignMenu = new QMenu(alignBtn);
    const char *names[] = {"Left1", "Right1", "Top1", "Bottom1"};
    const char *captions[] = {"&Left", "&Right", "&Top", "&Bottom"};
    for (int i = 0; i < 4; ++i) {
        QAction *a = alignMenu->addAction(QString::fromLatin1(captions[i]), this,
                                          [this, i] { emit alignmentChosen(i); });
        a->setObjectName(QString::fromLatin1(names[i]));
    }
    alignBtn->setMenu(alignMenu);
    row->addWidget(alignBtn);

    auto *hideBtn = new QToolButton(this);
    hideBtn->setObjectName(QStringLiteral("projectHide"));
    hideBtn->setToolTip(QStringLiteral("Hide project"));
    hideBtn->setStatusTip(hideBtn->toolTip());
    hideBtn->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    hideBtn->setAutoRaise(true);
    connect(hideBtn, &QToolButton::clicked, this, &ProjectTitleBar::hideClicked);
    row->addWidget(hideBtn);
}
