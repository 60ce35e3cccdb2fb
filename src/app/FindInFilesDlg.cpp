#include "app/FindInFilesDlg.h"

#include "platform/Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindInFilesDlg::FindInFilesDlg(bool replace, bool projectOpen, QWidget *parent) : QDialog(parent), m_replace(replace)
{
    setObjectName(replace ? QStringLiteral("ReplaceInFilesDlg") : QStringLiteral("FindInFilesDlg"));
    setWindowTitle(replace ? tr("Replace in Files") : tr("Find in Files"));

    auto *grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const QString &caption, QWidget *field, QWidget *extra = nullptr) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindEdit"));
    m_find->setMinimumWidth(320);
    addRow(tr("Fi&nd what:"), m_find);
    if (replace) {
        m_replaceEdit = new QLineEdit(this);
        m_replaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        addRow(tr("Re&place with:"), m_replaceEdit);
    }
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("FolderEdit"));
    auto *browse = new QPushButton(tr("&Browse..."), this);
    browse->setObjectName(QStringLiteral("BrowseBtn"));
    connect(browse, &QPushButton::clicked, this, &FindInFilesDlg::browse);
    addRow(tr("F&older:"), m_folder, browse);
    m_patterns = new QLineEdit(this);
    m_patterns->setObjectName(QStringLiteral("PatternsEdit"));
    addRow(tr("File &types:"), m_patterns);

    const auto box = [this](const char *name, const QString &caption) {
        auto *b = new QCheckBox(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_matchCase = box("MatchCaseChk", tr("Match &case"));
    m_wholeWord = box("WholeWordChk", tr("Whole &word"));
    m_regex = box("RegexChk", tr("Regular e&xpression"));
    m_subfolders = box("SubfoldersChk", tr("In s&ub-folders"));
    m_inProject = box("InProjectChk", tr("In the open pro&ject"));
    m_inProject->setVisible(projectOpen);
    auto *options = new QGridLayout;
    options->addWidget(m_matchCase, 0, 0);
    options->addWidget(m_wholeWord, 1, 0);
    options->addWidget(m_regex, 2, 0);
    options->addWidget(m_subfolders, 0, 1);
    options->addWidget(m_inProject, 1, 1);
    // The project's files take the place of the folder.
    connect(m_inProject, &QCheckBox::toggled, this, [this](bool on) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_folder, m_patterns, m_subfolders})
            w->setEnabled(!on);
        updateButtons();
    });

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(replace ? tr("&Find Matches") : tr("&Find"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(options);
    top->addWidget(buttons);
    for (QLineEdit *e : {m_find, m_folder})
        connect(e, &QLineEdit::textChanged, this, &FindInFilesDlg::updateButtons);
    updateButtons();
}

void FindInFilesDlg::setValues(const FindInFilesValues &v)
{
    m_find->setText(v.findText);
    if (m_replaceEdit)
        m_replaceEdit->setText(v.replaceText);
    m_matchCase->setChecked(v.options.matchCase);
    m_wholeWord->setChecked(v.options.wholeWord);
    m_regex->setChecked(v.options.regex);
    m_folder->setText(v.folder);
    m_patterns->setText(v.patterns);
    m_subfolders->setChecked(v.subfolders);
    m_inProject->setChecked(v.inProject && !m_inProject->isHidden());
    m_find->selectAll();
    updateButtons();
}

FindInFilesValues FindInFilesDlg::values() const
{
    FindInFilesValues v;
    v.findText = m_find->text();
    v.replaceText = m_replaceEdit ? m_replaceEdit->text() : QString();
    v.options = {m_matchCase->isChecked(), m_wholeWord->isChecked(), m_regex->isChecked()};
    v.folder = m_folder->text().trimmed();
    v.patterns = m_patterns->text();
    v.subfolders = m_subfolders->isChecked();
    v.inProject = m_inProject->isChecked() && !m_inProject->isHidden();
    return v;
}

void FindInFilesDlg::browse()
{
    QFileDialog dialog(this, tr("Folder"), m_folder->text());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Qt's own folder dialog (where the desktop offers none) leaves two lists unnamed for a screen reader.
    if (auto *lookIn = dialog.findChild<QComboBox *>(QStringLiteral("lookInCombo")))
        lookIn->setAccessibleName(tr("Look in"));
    if (auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
        types->setAccessibleName(tr("Files of type"));
    if (Prompts::instance().runModal(&dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_folder->setText(dialog.selectedFiles().constFirst());
}

void FindInFilesDlg::updateButtons()
{
    const bool where = m_inProject->isChecked() || !m_folder->text().trimmed().isEmpty();
    m_ok->setEnabled(!m_find->text().isEmpty() && where);
}
