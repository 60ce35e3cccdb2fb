#pragma once

#include "check/CheckFinding.h"
#include "platform/PictureReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Pages larger than this are named as too large and not checked.
constexpr qint64 MaxCheckedPageBytes = 64 * 1024 * 1024;
// Findings kept per page; the rest are counted in one last line.
constexpr int MaxFindingsPerPage = 5000;

struct CheckOptions
{
    // Legacy elements named once per page as obsolete; off silences them.
    bool reportObsolete = true;
    // Tidy's markup messages; off leaves the link and picture checks.
    bool markup = true;
};

// What one check run knows and remembers: the options, the texts of the open
// documents (checked as they stand in their editors), the project folder, and
// what it has read from disk (folders, pictures, the anchors of pages), so a
// project reads each target once. Used by one thread at a time.
class CheckContext
{
public:
    CheckOptions options;
    // Links out of this folder are named as leaving the project; empty for none.
    QString projectFolder;

    // The text of an open document, used instead of its file on disk.
    void setOpenText(const QString &fileName, const QByteArray &bytes);
    const QByteArray *openText(const QString &fileName) const;

    bool exists(const QString &path);
    // The name on disk that differs from `path` only in the case of its last
    // part, or empty.
    QString caseVariant(const QString &path);
    // The anchor names and IDs of a page, from its open text or its file;
    // nullopt when it cannot be read.
    const std::optional<QSet<QString>> &anchorsOf(const QString &page);
    const PictureSize &pictureSize(const QString &path);

private:
    QHash<QString, QByteArray> m_openTexts;
    QHash<QString, bool> m_exists;
    QHash<QString, QStringList> m_folders;
    QHash<QString, std::optional<QSet<QString>>> m_anchors;
    QHash<QString, PictureSize> m_pictures;
};

// Checks a page's text: tidy's markup messages and the link and picture checks.
// `fileName` is the page's absolute name, or an untitled document's caption
// (its links to other files are then not checked). Findings come in text order.
PageFindings CheckPage(const QString &fileName, QByteArrayView bytes, CheckContext &context, bool untitled = false);
// The open document's text when there is one, else the file read from disk.
PageFindings CheckFile(const QString &fileName, CheckContext &context);

// The deepest folder that holds every one of the files.
QString CommonFolder(const QStringList &files);
// The text as the editor shows it: valid UTF-8, else Latin-1.
bool IsUtf8Text(QByteArrayView bytes);
