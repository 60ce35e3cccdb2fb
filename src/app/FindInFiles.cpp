#include "app/FindInFiles.h"

#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/ResultsDocks.h"
#include "app/SearchController.h"
#include "editor/ColorMemo.h"
#include "platform/Prompts.h"
#include "platform/RegularFileRead.h"
#include "platform/SafeWrite.h"
#include "platform/SettingsStore.h"
#include "project/ProjectPanel.h"
#include "search/FileSearch.h"
#include "widgets/ResultsPanel.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>

namespace {

const QString kSection = QStringLiteral("Find in files");
const QString kFolder = QStringLiteral("Folder");
const QString kPatterns = QStringLiteral("File types");
const QString kSubfolders = QStringLiteral("Sub-folders");
const QString kPanel = QStringLiteral("searchResults");

bool sameFile(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

TMDIChild *openDocument(TMainForm &main, const QString &file)
{
    for (TMDIChild *d : main.documents().list())
        if (!d->DocumentFileName.isEmpty() && sameFile(d->DocumentFileName, file))
            return d;
    return nullptr;
}

QString plural(qint64 n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

// A label that shows its text as typed: find texts are markup.
QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The files to change, each with a check box, all checked.
bool chooseFiles(QWidget *parent, QList<QPair<QString, int>> &files, const QString &findText,
                 const QString &replaceText)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ReplaceFilesDlg"));
    dialog.setWindowTitle(QStringLiteral("Replace in Files"));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        plainLabel(QStringLiteral("Replace '%1' with '%2' in these files:").arg(findText, replaceText), &dialog));
    auto *list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("FilesList"));
    for (const auto &[file, count] : std::as_const(files)) {
        auto *item = new QListWidgetItem(
            QStringLiteral("%1  (%2)").arg(QDir::toNativeSeparators(file), plural(count, "match", "matches")), list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(Qt::UserRole, file);
    }
    layout->addWidget(list);
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *replace = buttons->addButton(QStringLiteral("&Replace"), QDialogButtonBox::AcceptRole);
    replace->setObjectName(QStringLiteral("ReplaceBtn"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(600, 360);
    if (Prompts::instance().runModal(&dialog) != QDialog::Accepted)
        return false;
    QList<QPair<QString, int>> chosen;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            chosen.append(files.at(i));
    files = chosen;
    return true;
}

// Replaces in a file that no window holds, through the same safe write as
// Save: every byte outside the matches stays as it was.
QString replaceInClosedFile(const QString &file, const FindInFilesValues &values, int *count)
{
    QByteArray bytes;
    switch (ReadRegularFile(file, FileSearchRequest().maxFileSize, &bytes)) {
    case RegularFileRead::Read:
        break;
    case RegularFileRead::TooLarge:
        return QStringLiteral("too big");
    default:
        return QStringLiteral("cannot be read");
    }
    const bool utf8 = bytes.isValidUtf8();
    TextSearchers searchers(values.findText, values.options);
    TextSearcher *searcher = searchers.forEncoding(utf8);
    if (!searcher)
        return QStringLiteral("its encoding cannot hold the find text");
    QByteArray replacement;
    if (utf8) {
        replacement = values.replaceText.toUtf8();
    } else {
        if (std::any_of(values.replaceText.cbegin(), values.replaceText.cend(),
                        [](QChar c) { return c.unicode() > 255; }))
            return QStringLiteral("its encoding cannot hold the replacement text");
        replacement = values.replaceText.toLatin1();
    }
    const ReplaceAllResult r = searcher->replaceAll(bytes, 0, replacement);
    if (!searcher->error().isEmpty())
        return searcher->error();
    *count = int(r.count);
    if (r.count == 0)
        return {};
    const QByteArrayView all(bytes);
    const QByteArrayView pieces[] = {all.first(r.from), r.bytes, all.sliced(r.to)};
    QString error;
    if (!WriteFileSafely(file, pieces, &error)) {
        *count = 0;
        return error.isEmpty() ? QStringLiteral("cannot be written") : error;
    }
    return {};
}

}  // namespace

FindInFiles::FindInFiles(TMainForm &main) : QObject(&main), m_main(main), m_drain(new QTimer(this))
{
    setObjectName(QStringLiteral("findInFiles"));
    // Results are taken in batches, so a search with many matches does not
    // flood the window with one repaint per file.
    m_drain->setSingleShot(true);
    m_drain->setInterval(40);
    connect(m_drain, &QTimer::timeout, this, &FindInFiles::takeResults);
}

FindInFiles::~FindInFiles() = default;

FindInFiles &FindInFiles::of(TMainForm &main)
{
    if (auto *existing = main.findChild<FindInFiles *>(QStringLiteral("findInFiles"), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new FindInFiles(main);
}

FindInFilesValues FindInFiles::initialValues()
{
    FindInFilesValues v = m_values;
    if (!m_haveValues) {
        const SettingsStore &store = m_main.store();
        v.folder = store.readString(kSection, kFolder, QString());
        v.patterns = store.readString(kSection, kPatterns, v.patterns);
        v.subfolders = store.readBool(kSection, kSubfolders, true);
        if (SearchDialog *find = m_main.search()->findDialog()) {
            v.findText = find->findText();
            v.options = {find->matchCase(), find->wholeWord(), find->regex()};
        }
    }
    // The active document's folder first; else the last one.
    if (TMDIChild *active = m_main.documents().active()) {
        if (!active->DocumentFileName.isEmpty())
            v.folder = QDir::toNativeSeparators(QFileInfo(active->DocumentFileName).absolutePath());
        TColorMemo *memo = active->Memo1;
        if (memo->SelLength() > 0) {
            const QString selected = memo->decode(
                memo->rangeView(memo->SelStart(), memo->SelStart() + memo->SelLength()));
            if (!selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r')))
                v.findText = selected;
        }
    }
    return v;
}

void FindInFiles::findInFiles()
{
    run(false);
}

void FindInFiles::replaceInFiles()
{
    run(true);
}

void FindInFiles::run(bool replace)
{
    ProjectPanel *project = m_main.projectPanel();
    const bool projectOpen = project && !project->entryNames().isEmpty();
    FindInFilesDlg dialog(replace, projectOpen, &m_main);
    dialog.setValues(initialValues());
    if (Prompts::instance().runModal(&dialog) != QDialog::Accepted)
        return;
    start(dialog.values(), replace);
}

bool FindInFiles::isRunning() const
{
    return m_search && !m_search->isFinished();
}

void FindInFiles::cancel()
{
    if (m_search)
        m_search->cancel();
}

bool FindInFiles::start(const FindInFilesValues &values, bool replace)
{
    if (isRunning()) {
        m_search->cancel();
        m_search.reset();
    }
    m_values = values;
    m_haveValues = true;
    m_replace = replace;
    if (!values.inProject) {
        SettingsStore &store = m_main.store();
        store.writeString(kSection, kFolder, values.folder);
        store.writeString(kSection, kPatterns, values.patterns);
        store.writeBool(kSection, kSubfolders, values.subfolders);
    }

    FileSearchRequest request;
    request.findText = values.findText;
    request.options = values.options;
    if (values.inProject && m_main.projectPanel()) {
        request.useFiles = true;
        request.files = m_main.projectPanel()->entryNames();
    } else {
        if (!QFileInfo(values.folder).isDir()) {
            Prompts::instance().message(&m_main, QStringLiteral("Tagloom"),
                                        QStringLiteral("The folder %1 does not exist.").arg(values.folder),
                                        QMessageBox::Warning, QMessageBox::Ok);
            return false;
        }
        request.folder = values.folder;
        request.patterns = SplitFilePatterns(values.patterns);
        request.subfolders = values.subfolders;
    }
    // Open documents are searched as the user sees them, not as saved.
    for (TMDIChild *d : m_main.documents().list()) {
        if (d->DocumentFileName.isEmpty())
            continue;
        const QString canonical = QFileInfo(d->DocumentFileName).canonicalFilePath();
        const OpenText text{d->Memo1->bytes(), d->Memo1->isUtf8Document()};
        request.openTexts.insert(canonical.isEmpty() ? d->DocumentFileName : canonical, text);
        if (request.useFiles)
            request.openTexts.insert(d->DocumentFileName, text);
    }

    m_files.clear();
    m_skipped.clear();
    m_matchCount = 0;
    m_panel = m_main.results().show(kPanel, QStringLiteral("Search Results"));
    m_panel->clear();
    m_panel->setSummary(QStringLiteral("Searching for '%1'...").arg(values.findText));
    m_panel->setProgress(0, 0);
    disconnect(m_panel, &ResultsPanel::cancelRequested, this, nullptr);
    connect(m_panel, &ResultsPanel::cancelRequested, this, &FindInFiles::cancel);

    m_search = std::make_unique<FileSearch>(request);
    connect(m_search.get(), &FileSearch::resultsReady, this, [this] {
        if (!m_drain->isActive())
            m_drain->start(m_matchCount == 0 ? 0 : m_drain->interval());
    });
    connect(m_search.get(), &FileSearch::finished, this, &FindInFiles::searchEnded, Qt::QueuedConnection);
    if (!m_search->start()) {
        m_panel->hideProgress();
        m_panel->setSummary(m_search->error());
        Prompts::instance().message(&m_main, QStringLiteral("Tagloom"), m_search->error(), QMessageBox::Warning,
                                    QMessageBox::Ok);
        m_search.reset();
        return false;
    }
    return true;
}

void FindInFiles::takeResults()
{
    if (!m_search || !m_panel)
        return;
    QList<ResultEntry> entries;
    for (const FileResult &r : m_search->takeResults()) {
        m_files.append({r.file, int(r.matches.size())});
        m_matchCount += r.matches.size();
        for (const FileMatch &m : r.matches) {
            ResultEntry e;
            e.file = r.file;
            e.line = m.line;
            e.column = m.column;
            e.offset = m.offset;
            e.length = m.length;
            e.text = m.text;
            e.markStart = m.markStart;
            e.markLength = m.markLength;
            entries.append(std::move(e));
        }
    }
    for (const SkippedFile &s : m_search->takeSkipped())
        m_skipped << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(s.file), s.reason);
    if (!entries.isEmpty())
        m_panel->append(entries);
    if (!m_search->isFinished())
        m_panel->setProgress(m_search->filesSearched(), m_search->listingDone() ? m_search->filesListed() : 0);
}

void FindInFiles::searchEnded()
{
    // The end of a search that another has since replaced is no news.
    if (!m_search || !m_search->isFinished())
        return;
    m_drain->stop();
    takeResults();
    const bool cancelled = m_search->wasCancelled();
    QString summary = QStringLiteral("%1 in %2 for '%3'")
                          .arg(plural(m_matchCount, "match", "matches"), plural(m_files.size(), "file", "files"),
                               m_values.findText);
    if (cancelled)
        summary += QStringLiteral(", cancelled after %1").arg(plural(m_search->filesSearched(), "file", "files"));
    if (!m_skipped.isEmpty()) {
        summary += QStringLiteral("; skipped %1: %2")
                       .arg(m_skipped.size())
                       .arg(m_skipped.mid(0, 5).join(QStringLiteral(", ")));
        if (m_skipped.size() > 5)
            summary += QStringLiteral(", ...");
    }
    if (m_panel) {
        m_panel->hideProgress();
        m_panel->setSummary(summary);
    }
    m_search.reset();
    if (m_replace && !cancelled && !m_files.isEmpty())
        replaceChosenFiles();
    emit finished();
}

void FindInFiles::replaceChosenFiles()
{
    QList<QPair<QString, int>> files = m_files;
    if (!chooseFiles(&m_main, files, m_values.findText, m_values.replaceText) || files.isEmpty())
        return;
    int changedFiles = 0;
    int replaced = 0;
    QStringList failed;
    for (const auto &[file, expected] : std::as_const(files)) {
        Q_UNUSED(expected);
        int count = 0;
        QString error;
        if (TMDIChild *doc = openDocument(m_main, file)) {
            count = ReplaceAllInEditor(doc->Memo1, m_values.findText, m_values.replaceText, m_values.options, &error);
        } else {
            error = replaceInClosedFile(file, m_values, &count);
        }
        if (!error.isEmpty()) {
            failed << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), error);
            continue;
        }
        if (count > 0) {
            ++changedFiles;
            replaced += count;
        }
    }
    QString text = QStringLiteral("Replaced %1 in %2.")
                       .arg(plural(replaced, "occurrence", "occurrences"), plural(changedFiles, "file", "files"));
    if (!failed.isEmpty())
        text += QStringLiteral("\r\n\r\nNot changed:\r\n") + failed.join(QStringLiteral("\r\n"));
    if (m_panel)
        m_panel->setSummary(text.section(QStringLiteral("\r\n"), 0, 0)
                            + (failed.isEmpty() ? QString() : QStringLiteral(" %1 not changed.").arg(failed.size())));
    m_main.setStatusText(1, text.section(QStringLiteral("\r\n"), 0, 0));
    Prompts::instance().message(&m_main, QStringLiteral("Replace in Files"), text,
                                failed.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, QMessageBox::Ok);
}
