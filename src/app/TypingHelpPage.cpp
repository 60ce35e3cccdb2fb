#include "app/TypingHelpPage.h"

#include "platform/TypingHelpSettings.h"
#include "widgets/ColorButton.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

TypingHelpPage::TypingHelpPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TypingPage"));
    auto *layout = new QVBoxLayout(this);
    auto named = [](auto *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    m_closeTags = named(new QCheckBox(QStringLiteral("Write the &end tag when the > of a start tag is typed"), this),
                        "closeTagsChk");
    m_matchTags = named(new QCheckBox(QStringLiteral("&Mark the tag that matches the one at the caret"), this),
                        "matchTagsChk");
    m_completeNames = named(
        new QCheckBox(QStringLiteral("&Offer element, attribute, entity and file names while typing"), this),
        "completeNamesChk");
    layout->addWidget(m_closeTags);
    layout->addWidget(m_matchTags);
    layout->addWidget(m_completeNames);

    auto *caseGroup = named(new QGroupBox(QStringLiteral("Names are completed in"), this), "nameCaseGroup");
    auto *caseLayout = new QHBoxLayout(caseGroup);
    m_upper = named(new QRadioButton(QStringLiteral("&UPPER CASE"), caseGroup), "upperCaseRadio");
    m_lower = named(new QRadioButton(QStringLiteral("lo&wer case"), caseGroup), "lowerCaseRadio");
    caseLayout->addWidget(m_upper);
    caseLayout->addWidget(m_lower);
    caseLayout->addStretch();
    layout->addWidget(caseGroup);

    auto *colors = new QFormLayout;
    m_matchColor = named(new ColorButton(this), "matchColorBtn");
    m_noMatchColor = named(new ColorButton(this), "noMatchColorBtn");
    colors->addRow(QStringLiteral("Matching tags:"), m_matchColor);
    colors->addRow(QStringLiteral("A tag without its partner:"), m_noMatchColor);
    layout->addLayout(colors);
    layout->addStretch();
}

void TypingHelpPage::fill(const TypingHelpSettings &s)
{
    m_closeTags->setChecked(s.CloseTags);
    m_matchTags->setChecked(s.MatchTags);
    m_completeNames->setChecked(s.CompleteNames);
    (s.UpperCaseNames ? m_upper : m_lower)->setChecked(true);
    m_matchColor->setColorRef(s.MatchColor);
    m_noMatchColor->setColorRef(s.NoMatchColor);
}

void TypingHelpPage::storeInto(TypingHelpSettings &s) const
{
    s.CloseTags = m_closeTags->isChecked();
    s.MatchTags = m_matchTags->isChecked();
    s.CompleteNames = m_completeNames->isChecked();
    s.UpperCaseNames = m_upper->isChecked();
    s.MatchColor = m_matchColor->colorRef() & 0xFFFFFF;
    s.NoMatchColor = m_noMatchColor->colorRef() & 0xFFFFFF;
}
