#include "project/ProjectFile.h"

#include "platform/SafeWrite.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// Lines end in CR LF, LF or a lone CR; a break at the very end starts no further line.
QList<QByteArrayView> splitLines(QByteArrayView text)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start));
    return lines;
}

// Every line of the file holds one value; a line break inside one would split it.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// UTF-8 exactly as written: a byte-order mark inside a line is a character like any other.
QString fromUtf8(QByteArrayView bytes, bool *valid = nullptr)
{
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (valid)
        *valid = !utf8.hasError();
    return text;
}

bool fitsLatin1(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

}  // namespace

ProjectEntry SplitProjectPath(const QString &fullName)
{
    qsizetype cut = std::max(fullName.lastIndexOf(QLatin1Char('\\')), fullName.lastIndexOf(QLatin1Char('/')));
    // "C:page.html": the drive colon ends the folder too. A colon elsewhere is
    // part of a name here.
    if (cut < 0 && fullName.size() >= 2 && fullName.at(1) == QLatin1Char(':') && fullName.at(0).isLetter())
        cut = 1;
    return {fullName.mid(cut + 1), fullName.left(cut + 1)};
}

bool ProjectEntryLess(const ProjectEntry &a, const ProjectEntry &b)
{
    const int folded = a.fileName.compare(b.fileName, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.fileName.compare(b.fileName, Qt::CaseSensitive) < 0;
}

qsizetype InsertProjectEntry(QList<ProjectEntry> &entries, const ProjectEntry &entry)
{
    const auto at = std::upper_bound(entries.begin(), entries.end(), entry, ProjectEntryLess);
    const qsizetype index = at - entries.begin();
    entries.insert(index, entry);
    return index;
}

bool ParseProjectText(const QByteArray &bytes, ProjectContent *content)
{
    QByteArrayView text(bytes);
    ProjectContent::Encoding encoding = ProjectContent::Encoding::Utf8;
    if (text.startsWith(Bom)) {
        text = text.sliced(Bom.size());
        encoding = ProjectContent::Encoding::Utf8WithBom;
    }
    const QList<QByteArrayView> lines = splitLines(text);
    if (lines.isEmpty() || lines.first() != QByteArrayView(ProjectFileHeader))
        return false;

    // Only the lines that are kept decide the encoding, so that what is written
    // back reads the same.
    bool latin1 = false;
    for (qsizetype i = 2; i < lines.size() && !latin1; ++i) {
        if (i == 3)
            continue;
        bool valid = true;
        fromUtf8(lines.at(i), &valid);
        latin1 = !valid;
    }
    if (latin1)
        encoding = ProjectContent::Encoding::Latin1;
    auto decode = [latin1](QByteArrayView line) { return latin1 ? QString::fromLatin1(line) : fromUtf8(line); };

    ProjectContent result;
    result.encoding = encoding;
    // Lines 2 and 4 are captions; whatever they say is accepted.
    if (lines.size() > 2)
        result.name = decode(lines.at(2));
    // One stable sort gives the order that inserting each line in turn would
    // (equal entries in file order), without moving the list once per line.
    result.entries.reserve(std::max<qsizetype>(lines.size() - 4, 0));
    for (qsizetype i = 4; i < lines.size(); ++i)
        result.entries.append(SplitProjectPath(decode(lines.at(i))));
    std::stable_sort(result.entries.begin(), result.entries.end(), ProjectEntryLess);
    *content = std::move(result);
    return true;
}

QByteArray ProjectFileText(const ProjectContent &content)
{
    QStringList lines = {QString::fromLatin1(ProjectFileHeader), QStringLiteral("Project name:"), oneLine(content.name),
                         QStringLiteral("Project files:")};
    for (const ProjectEntry &entry : content.entries)
        lines.append(oneLine(entry.fullName()));
    QString text = lines.join(QLatin1String("\r\n"));
    text += QLatin1String("\r\n");

    if (content.encoding == ProjectContent::Encoding::Latin1 && fitsLatin1(text))
        return text.toLatin1();
    QByteArray bytes = text.toUtf8();
    if (content.encoding == ProjectContent::Encoding::Utf8WithBom)
        bytes.prepend(Bom);
    return bytes;
}

ProjectReadResult ReadProjectFile(const QString &fileName, ProjectContent *content)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return ProjectReadResult::NotFound;
    // Only a regular file: a pipe or device could block or never end.
    if (!info.isFile() || info.size() > MaxProjectFileSize)
        return ProjectReadResult::NotAProject;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return ProjectReadResult::CannotOpen;
    const QByteArray bytes = file.read(MaxProjectFileSize + 1);
    if (bytes.size() > MaxProjectFileSize || file.error() != QFileDevice::NoError)
        return bytes.size() > MaxProjectFileSize ? ProjectReadResult::NotAProject : ProjectReadResult::CannotOpen;
    return ParseProjectText(bytes, content) ? ProjectReadResult::Read : ProjectReadResult::NotAProject;
}

bool WriteProjectFile(const QString &fileName, const ProjectContent &content, QString *error)
{
    return WriteFileSafely(fileName, ProjectFileText(content), error);
}
