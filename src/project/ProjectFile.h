#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One file of a project: the name without its folder, and the folder with its
// trailing separator. The full name is the folder followed by the file name.
struct ProjectEntry
{
    QString fileName;
    QString folder;

    QString fullName() const { return folder + fileName; }
    bool operator==(const ProjectEntry &) const = default;
};

// What a project file holds, plus how its text was encoded, so that reading and
// writing an unchanged project gives the same bytes.
struct ProjectContent
{
    enum class Encoding { Utf8, Utf8WithBom, Latin1 };

    QString name;
    QList<ProjectEntry> entries;  // in list order (see InsertProjectEntry)
    Encoding encoding = Encoding::Utf8;

    bool operator==(const ProjectContent &) const = default;
};

// The first line of every project file.
inline constexpr char ProjectFileHeader[] = "Tagloom Project File";
// Project files larger than this are refused rather than read into memory.
inline constexpr qint64 MaxProjectFileSize = 16 * 1024 * 1024;

// Splits a full name after its last "\" or "/" (or after a drive colon "C:").
ProjectEntry SplitProjectPath(const QString &fullName);

// The list order: by file name as text, ignoring case first; entries that
// compare equal keep the order in which they were added.
bool ProjectEntryLess(const ProjectEntry &a, const ProjectEntry &b);
// Inserts the entry at its place in the list order and returns that index.
qsizetype InsertProjectEntry(QList<ProjectEntry> &entries, const ProjectEntry &entry);

// Reads the text of a project file. False when the first line is not the header.
bool ParseProjectText(const QByteArray &bytes, ProjectContent *content);
// The text of a project file: the four header lines, then one full name per
// entry, each line ending in CR LF. A name with line breaks is kept on its line.
QByteArray ProjectFileText(const ProjectContent &content);

enum class ProjectReadResult { Read, NotFound, CannotOpen, NotAProject };
ProjectReadResult ReadProjectFile(const QString &fileName, ProjectContent *content);
// Writes atomically: on failure the old file is left as it was, and `error` says why.
bool WriteProjectFile(const QString &fileName, const ProjectContent &content, QString *error = nullptr);
