#include "check/PageCheck.h"

#include "check/MarkupCheck.h"
#include "check/PageScan.h"
#include "platform/RegularFileRead.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace {
QString clean(const QString &path)
{
    return QDir::cleanPath(path);
}

// Line starts of a text, for turning byte offsets into lines and columns and back.
class LineIndex
{
public:
    LineIndex(QByteArrayView text, bool utf8) : m_text(text), m_utf8(utf8)
    {
        // A byte-order mark is no column, for tidy as for the editor.
        if (utf8 && text.startsWith("\xEF\xBB\xBF"))
            m_firstColumn = 3;
        m_starts.append(0);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\r') {
                if (i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
                m_starts.append(i + 1);
            } else if (c == '\n') {
                m_starts.append(i + 1);
            }
        }
    }

    int lineOf(qsizetype offset) const
    {
        return int(std::upper_bound(m_starts.cbegin(), m_starts.cend(), offset) - m_starts.cbegin());
    }

    int columnOf(qsizetype offset) const
    {
        const qsizetype start = lineStart(lineOf(offset));
        if (offset < start)
            return 1;
        if (!m_utf8)
            return int(offset - start) + 1;
        int column = 1;
        for (qsizetype i = start; i < offset; ++i)
            if ((uchar(m_text[i]) & 0xC0) != 0x80)
                ++column;
        return column;
    }

    // The offset of a 1-based line and character column, kept within the line.
    qsizetype offsetOf(int line, int column) const
    {
        if (line < 1)
            return 0;
        if (line > m_starts.size())
            return m_text.size();
        const qsizetype end = lineEnd(line);
        qsizetype p = lineStart(line);
        for (int c = 1; c < column && p < end; ++c) {
            ++p;
            if (m_utf8)
                while (p < end && (uchar(m_text[p]) & 0xC0) == 0x80)
                    ++p;
        }
        return p;
    }

    qsizetype lineEnd(int line) const
    {
        qsizetype end = line < m_starts.size() ? m_starts[line] : m_text.size();
        while (end > lineStart(line) && (m_text[end - 1] == '\n' || m_text[end - 1] == '\r'))
            --end;
        return std::max(end, lineStart(line));
    }

    qsizetype lineStart(int line) const
    {
        return line == 1 ? std::min(m_firstColumn, m_text.size()) : m_starts[line - 1];
    }

private:
    QByteArrayView m_text;
    bool m_utf8;
    qsizetype m_firstColumn = 0;
    QList<qsizetype> m_starts;
};

QString decodeBytes(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

// One line for the panel: runs of blanks and line breaks become one blank, long texts are cut.
QString oneLine(QByteArrayView bytes, bool utf8)
{
    constexpr qsizetype maxBytes = 240;
    QString s = decodeBytes(bytes.first(std::min(bytes.size(), maxBytes)), utf8).simplified();
    if (bytes.size() > maxBytes)
        s += QStringLiteral("…");
    return s;
}

QString decodeEntities(const QString &in)
{
    if (!in.contains(QLatin1Char('&')))
        return in;
    static const QRegularExpression entity(QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|amp|lt|gt|quot|apos);"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(in); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(in).mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X'))
                                  ? name.mid(2).toUInt(&ok, 16)
                                  : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t c = code;
                out += QString::fromUcs4(&c, 1);
            }
        } else {
            out += name == QLatin1String("amp")    ? QStringLiteral("&")
                   : name == QLatin1String("lt")   ? QStringLiteral("<")
                   : name == QLatin1String("gt")   ? QStringLiteral(">")
                   : name == QLatin1String("quot") ? QStringLiteral("\"")
                                                   : QStringLiteral("'");
        }
        last = m.capturedEnd();
    }
    out += QStringView(in).mid(last);
    return out;
}

QString attributeValue(QByteArrayView text, const ScannedAttribute &a, bool utf8)
{
    return decodeEntities(decodeBytes(AttributeBytes(text, a), utf8)).trimmed();
}

QSet<QString> anchorNames(QByteArrayView text, const QList<ScannedTag> &tags, bool utf8)
{
    QSet<QString> names;
    for (const ScannedTag &tag : tags) {
        if (const ScannedAttribute *id = tag.attribute("ID"))
            names.insert(attributeValue(text, *id, utf8));
        if (tag.name == "A")
            if (const ScannedAttribute *name = tag.attribute("NAME"))
                names.insert(attributeValue(text, *name, utf8));
    }
    return names;
}

bool isPageName(const QString &path)
{
    static const QRegularExpression page(QStringLiteral("\\.(s?html?|xhtml|php|asp)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return page.match(path).hasMatch();
}

bool isPictureName(const QString &path)
{
    static const QRegularExpression picture(QStringLiteral("\\.(gif|jpe?g|jpe|png)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return picture.match(path).hasMatch();
}

// A plain number of pixels; -1 for percentages and anything else.
int pixels(const QString &value)
{
    static const QRegularExpression number(QStringLiteral("^([0-9]{1,6})(px)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = number.match(value);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

enum class LinkKind { Skip, External, Local, Fragment };

struct Link
{
    LinkKind kind = LinkKind::Skip;
    QString path;      // absolute, for Local
    QString fragment;  // after "#", decoded; empty for none
    bool hasFragment = false;
};

class PageChecker
{
public:
    PageChecker(const QString &fileName, QByteArrayView text, CheckContext &context, bool untitled)
        : m_file(fileName), m_text(text), m_context(context), m_utf8(IsUtf8Text(text)), m_lines(text, m_utf8),
          m_untitled(untitled)
    {
        if (!untitled)
            m_folder = QFileInfo(fileName).absolutePath();
    }

    QList<CheckFinding> run()
    {
        if (m_context.options.markup)
            markup();
        m_tags = ScanPageTags(m_text);
        m_anchors = anchorNames(m_text, m_tags, m_utf8);
        for (const ScannedTag &tag : m_tags)
            if (tag.name == "MAP")
                for (const char *a : {"NAME", "ID"})
                    if (const ScannedAttribute *name = tag.attribute(a))
                        m_maps.insert(attributeValue(m_text, *name, m_utf8));
        for (const ScannedTag &tag : m_tags)
            if (tag.name == "BASE" && tag.attribute("HREF"))
                m_base = &tag;
        if (m_untitled)
            add(CheckSeverity::Info, -1, 0, QStringLiteral("the page is not saved yet: links to files are not checked"),
                QString());
        else if (m_base)
            addAtTag(CheckSeverity::Info, *m_base, m_base->attribute("HREF"),
                     QStringLiteral("links are read relative to <BASE HREF>: links to files are not checked"));
        duplicates();
        for (const ScannedTag &tag : m_tags)
            checkTag(tag);
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const CheckFinding &a, const CheckFinding &b) { return a.offset < b.offset; });
        if (m_findings.size() > MaxFindingsPerPage) {
            const qsizetype more = m_findings.size() - MaxFindingsPerPage;
            m_findings.resize(MaxFindingsPerPage);
            add(CheckSeverity::Info, -1, 0, QStringLiteral("%1 more problems not shown").arg(more), QString());
        }
        return m_findings;
    }

private:
    void add(CheckSeverity severity, qsizetype offset, qsizetype length, const QString &message, const QString &text)
    {
        CheckFinding f;
        f.severity = severity;
        f.offset = offset;
        f.length = length;
        if (offset >= 0) {
            f.line = m_lines.lineOf(offset);
            f.column = m_lines.columnOf(offset);
        }
        f.message = message;
        f.text = text;
        m_findings.append(f);
    }

    void addAtTag(CheckSeverity severity, const ScannedTag &tag, const ScannedAttribute *at, const QString &message)
    {
        const QString text = oneLine(m_text.sliced(tag.offset, tag.length), m_utf8);
        if (at)
            add(severity, at->valueOffset, at->valueLength, message, text);
        else
            add(severity, tag.offset, tag.length, message, text);
    }

    void markup()
    {
        MarkupCheckOptions options;
        options.reportObsolete = m_context.options.reportObsolete;
        for (const MarkupMessage &m : CheckMarkup(m_text, m_utf8, options)) {
            if (m.line <= 0) {
                add(m.severity, -1, 0, m.message, QString());
                continue;
            }
            const qsizetype offset = m_lines.offsetOf(m.line, m.column);
            qsizetype length = 0;
            QByteArrayView at;
            if (offset < m_text.size() && m_text[offset] == '<') {
                // The tag tidy points at.
                const qsizetype gt = m_text.indexOf('>', offset);
                const qsizetype end = gt < 0 || gt - offset > 4096 ? std::min(m_lines.lineEnd(m.line), offset + 4096)
                                                                   : gt + 1;
                length = end - offset;
                at = m_text.sliced(offset, length);
            } else {
                const qsizetype start = m_lines.lineStart(std::min(m.line, m_lines.lineOf(m_text.size())));
                at = m_text.sliced(start, m_lines.lineEnd(m_lines.lineOf(start)) - start);
            }
            add(m.severity, offset, length, m.message, oneLine(at, m_utf8));
        }
    }

    void duplicates()
    {
        QHash<QString, qsizetype> ids;
        QHash<QString, qsizetype> names;
        for (const ScannedTag &tag : m_tags) {
            if (const ScannedAttribute *id = tag.attribute("ID")) {
                const QString value = attributeValue(m_text, *id, m_utf8);
                if (const auto first = ids.constFind(value); first != ids.cend())
                    addAtTag(CheckSeverity::Error, tag, id,
                             QStringLiteral("duplicate ID \"%1\" (first on line %2)")
                                 .arg(value)
                                 .arg(m_lines.lineOf(first.value())));
                else
                    ids.insert(value, id->valueOffset);
            }
            if (tag.name == "A")
                if (const ScannedAttribute *name = tag.attribute("NAME")) {
                    const QString value = attributeValue(m_text, *name, m_utf8);
                    if (const auto first = names.constFind(value); first != names.cend())
                        addAtTag(CheckSeverity::Error, tag, name,
                                 QStringLiteral("duplicate anchor name \"%1\" (first on line %2)")
                                     .arg(value)
                                     .arg(m_lines.lineOf(first.value())));
                    else
                        names.insert(value, name->valueOffset);
                }
        }
    }

    Link classify(const QString &value) const
    {
        Link link;
        if (value.isEmpty())
            return link;
        QString rest = value;
        const qsizetype hash = rest.indexOf(QLatin1Char('#'));
        if (hash >= 0) {
            link.hasFragment = true;
            link.fragment = QUrl::fromPercentEncoding(rest.mid(hash + 1).toUtf8());
            rest.truncate(hash);
        }
        static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):"));
        const QRegularExpressionMatch m = scheme.match(rest);
        if (m.hasMatch()) {
            const QString name = m.captured(1).toLower();
            if (name == QLatin1String("http") || name == QLatin1String("https")) {
                link.kind = LinkKind::External;
            } else if (name == QLatin1String("file")) {
                link.path = QUrl(rest).toLocalFile();
                link.kind = link.path.isEmpty() ? LinkKind::Skip : LinkKind::Local;
            }
            return link;
        }
        if (rest.startsWith(QLatin1String("//"))) {
            link.kind = LinkKind::External;
            return link;
        }
        const qsizetype query = rest.indexOf(QLatin1Char('?'));
        if (query >= 0)
            rest.truncate(query);
        if (rest.isEmpty()) {
            link.kind = link.hasFragment ? LinkKind::Fragment : LinkKind::Skip;
            return link;
        }
        if (m_untitled || m_base)
            return link;
        rest = QUrl::fromPercentEncoding(rest.toUtf8());
        if (rest.startsWith(QLatin1Char('/'))) {
            // The site's root is the project's folder, when there is one.
            if (m_context.projectFolder.isEmpty())
                return link;
            link.path = clean(m_context.projectFolder + rest);
        } else {
            link.path = clean(m_folder + QLatin1Char('/') + rest);
        }
        link.kind = LinkKind::Local;
        return link;
    }

    bool outsideProject(const QString &path) const
    {
        const QString &root = m_context.projectFolder;
        if (root.isEmpty())
            return false;
        return !(path == root || path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/')));
    }

    // False when the target is missing (said so).
    bool checkTarget(const ScannedTag &tag, const ScannedAttribute &at, const QString &value, const QString &path,
                     const QString &what, CheckSeverity missing)
    {
        if (outsideProject(path))
            addAtTag(CheckSeverity::Warning, tag, &at, QStringLiteral("link leaves the project folder: %1").arg(value));
        if (m_context.exists(path))
            return true;
        const QString variant = m_context.caseVariant(path);
        if (!variant.isEmpty())
            addAtTag(CheckSeverity::Error, tag, &at,
                     QStringLiteral("wrong case: %1 is \"%2\" on disk").arg(value, QFileInfo(variant).fileName()));
        else
            addAtTag(missing, tag, &at, QStringLiteral("%1 not found: %2").arg(what, value));
        return false;
    }

    void checkFragment(const ScannedTag &tag, const ScannedAttribute &at, const Link &link, const QString &page)
    {
        if (!link.hasFragment || link.fragment.isEmpty())
            return;
        const QSet<QString> *names = nullptr;
        if (page.isEmpty()) {
            names = &m_anchors;
        } else if (isPageName(page)) {
            const std::optional<QSet<QString>> &found = m_context.anchorsOf(page);
            if (found)
                names = &*found;
        }
        // "#top" goes to the top of any page.
        if (!names || names->contains(link.fragment)
            || link.fragment.compare(QLatin1String("top"), Qt::CaseInsensitive) == 0)
            return;
        const QString where = page.isEmpty() ? QStringLiteral("this page") : QFileInfo(page).fileName();
        addAtTag(CheckSeverity::Error, tag, &at, QStringLiteral("no anchor \"%1\" in %2").arg(link.fragment, where));
    }

    void checkLink(const ScannedTag &tag, const ScannedAttribute &at, const QString &what,
                   CheckSeverity missing = CheckSeverity::Error)
    {
        const QString value = attributeValue(m_text, at, m_utf8);
        const Link link = classify(value);
        switch (link.kind) {
        case LinkKind::Skip:
            return;
        case LinkKind::External:
            addAtTag(CheckSeverity::Info, tag, &at, QStringLiteral("external link, not checked: %1").arg(value));
            return;
        case LinkKind::Fragment:
            checkFragment(tag, at, link, QString());
            return;
        case LinkKind::Local:
            if (checkTarget(tag, at, value, link.path, what, missing))
                checkFragment(tag, at, link, link.path);
            return;
        }
    }

    void checkPicture(const ScannedTag &tag, const ScannedAttribute &at)
    {
        const QString value = attributeValue(m_text, at, m_utf8);
        const Link link = classify(value);
        if (link.kind != LinkKind::Local) {
            if (link.kind == LinkKind::External)
                addAtTag(CheckSeverity::Info, tag, &at, QStringLiteral("external link, not checked: %1").arg(value));
            return;
        }
        if (!checkTarget(tag, at, value, link.path, QStringLiteral("picture"), CheckSeverity::Error))
            return;
        const PictureSize &size = m_context.pictureSize(link.path);
        if (!size.isValid()) {
            if (isPictureName(link.path))
                addAtTag(CheckSeverity::Warning, tag, &at, QStringLiteral("picture cannot be read: %1").arg(value));
            return;
        }
        if (tag.name != "IMG" || &at != tag.attribute("SRC"))
            return;
        const ScannedAttribute *w = tag.attribute("WIDTH");
        const ScannedAttribute *h = tag.attribute("HEIGHT");
        const int width = w ? pixels(attributeValue(m_text, *w, m_utf8)) : -1;
        const int height = h ? pixels(attributeValue(m_text, *h, m_utf8)) : -1;
        if ((width >= 0 && width != size.width) || (height >= 0 && height != size.height)) {
            QStringList said;
            if (width >= 0)
                said << QStringLiteral("WIDTH=%1").arg(width);
            if (height >= 0)
                said << QStringLiteral("HEIGHT=%1").arg(height);
            addAtTag(CheckSeverity::Warning, tag, &at,
                     QStringLiteral("size differs: %1, the picture is %2×%3")
                         .arg(said.join(QLatin1Char(' ')))
                         .arg(size.width)
                         .arg(size.height));
        }
    }

    void checkApplet(const ScannedTag &tag)
    {
        const ScannedAttribute *codebase = tag.attribute("CODEBASE");
        QString base = m_folder;
        if (codebase) {
            const QString value = attributeValue(m_text, *codebase, m_utf8);
            const Link link = classify(value.endsWith(QLatin1Char('/')) ? value.chopped(1) : value);
            if (link.kind != LinkKind::Local)
                return;
            if (!checkTarget(tag, *codebase, value, link.path, QStringLiteral("folder"), CheckSeverity::Error))
                return;
            base = link.path;
        }
        const ScannedAttribute *code = tag.attribute("CODE");
        // With an archive the class is inside it.
        if (!code || tag.attribute("ARCHIVE") || m_untitled || m_base)
            return;
        const QString value = attributeValue(m_text, *code, m_utf8);
        if (value.isEmpty() || value.contains(QLatin1Char(':')))
            return;
        QString name = value;
        if (name.endsWith(QLatin1String(".class")))
            name.chop(6);
        const QString plain = clean(base + QLatin1Char('/') + name + QStringLiteral(".class"));
        const QString dotted = clean(base + QLatin1Char('/') + QString(name).replace(QLatin1Char('.'), QLatin1Char('/'))
                                     + QStringLiteral(".class"));
        if (m_context.exists(plain) || m_context.exists(dotted))
            return;
        addAtTag(CheckSeverity::Error, tag, code, QStringLiteral("applet class not found: %1").arg(value));
    }

    void checkTag(const ScannedTag &tag)
    {
        const bool img = tag.name == "IMG";
        if (img && !tag.attribute("ALT"))
            addAtTag(CheckSeverity::Warning, tag, nullptr, QStringLiteral("<IMG> without ALT"));
        if (tag.name == "APPLET" || (tag.name == "OBJECT" && tag.attribute("CODE")))
            checkApplet(tag);
        for (const ScannedAttribute &a : tag.attributes) {
            if (a.name == "HREF") {
                if (&tag != m_base && tag.name != "BASE")
                    checkLink(tag, a, QStringLiteral("file"));
            } else if (a.name == "SRC" || a.name == "LOWSRC") {
                if (img || (tag.name == "INPUT") || a.name == "LOWSRC")
                    checkPicture(tag, a);
                else
                    checkLink(tag, a, QStringLiteral("file"));
            } else if (a.name == "BACKGROUND") {
                checkPicture(tag, a);
            } else if (a.name == "ACTION") {
                // A form may post to a program the server runs, not to a file here.
                checkLink(tag, a, QStringLiteral("form target"), CheckSeverity::Warning);
            } else if (a.name == "USEMAP") {
                const QString value = attributeValue(m_text, a, m_utf8);
                const qsizetype hash = value.indexOf(QLatin1Char('#'));
                const QString name = hash >= 0 ? value.mid(hash + 1) : value;
                if (!name.isEmpty() && !m_maps.contains(name))
                    addAtTag(CheckSeverity::Error, tag, &a,
                             QStringLiteral("no <MAP NAME=\"%1\"> in this page").arg(name));
            }
        }
    }

    QString m_file;
    QByteArrayView m_text;
    CheckContext &m_context;
    bool m_utf8;
    LineIndex m_lines;
    bool m_untitled;
    QString m_folder;
    QList<ScannedTag> m_tags;
    QSet<QString> m_anchors;
    QSet<QString> m_maps;
    const ScannedTag *m_base = nullptr;
    QList<CheckFinding> m_findings;
};
}  // namespace

bool IsUtf8Text(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
}

void CheckContext::setOpenText(const QString &fileName, const QByteArray &bytes)
{
    m_openTexts.insert(clean(QFileInfo(fileName).absoluteFilePath()), bytes);
}

const QByteArray *CheckContext::openText(const QString &fileName) const
{
    const auto it = m_openTexts.constFind(clean(QFileInfo(fileName).absoluteFilePath()));
    return it == m_openTexts.cend() ? nullptr : &it.value();
}

bool CheckContext::exists(const QString &path)
{
    auto it = m_exists.constFind(path);
    if (it == m_exists.cend())
        it = m_exists.insert(path, openText(path) || QFileInfo::exists(path));
    return it.value();
}

QString CheckContext::caseVariant(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    auto it = m_folders.constFind(folder);
    if (it == m_folders.cend())
        it = m_folders.insert(
            folder, QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    const QString name = info.fileName();
    for (const QString &entry : it.value())
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && entry != name)
            return folder + QLatin1Char('/') + entry;
    return QString();
}

const std::optional<QSet<QString>> &CheckContext::anchorsOf(const QString &page)
{
    auto it = m_anchors.constFind(page);
    if (it != m_anchors.cend())
        return it.value();
    std::optional<QSet<QString>> names;
    QByteArray read;
    const QByteArray *text = openText(page);
    if (!text && ReadRegularFile(page, MaxCheckedPageBytes, &read) == RegularFileRead::Read)
        text = &read;
    if (text)
        names = anchorNames(*text, ScanPageTags(*text), IsUtf8Text(*text));
    return m_anchors.insert(page, names).value();
}

const PictureSize &CheckContext::pictureSize(const QString &path)
{
    auto it = m_pictures.constFind(path);
    if (it == m_pictures.cend())
        it = m_pictures.insert(path, ReadPictureSize(path));
    return it.value();
}

PageFindings CheckPage(const QString &fileName, QByteArrayView bytes, CheckContext &context, bool untitled)
{
    if (bytes.size() > MaxCheckedPageBytes)
        return {fileName,
                {{CheckSeverity::Warning, -1, 0, 0, 0, QStringLiteral("the page is too large to check"), {}}}};
    return {fileName, PageChecker(fileName, bytes, context, untitled).run()};
}

PageFindings CheckFile(const QString &fileName, CheckContext &context)
{
    if (const QByteArray *text = context.openText(fileName))
        return CheckPage(fileName, *text, context);
    QByteArray bytes;
    switch (ReadRegularFile(fileName, MaxCheckedPageBytes, &bytes)) {
    case RegularFileRead::Read:
        return CheckPage(fileName, bytes, context);
    case RegularFileRead::TooLarge:
        return {fileName,
                {{CheckSeverity::Warning, -1, 0, 0, 0, QStringLiteral("the page is too large to check"), {}}}};
    case RegularFileRead::NotRegular:
        return {fileName, {{CheckSeverity::Error, -1, 0, 0, 0, QStringLiteral("not a file"), {}}}};
    case RegularFileRead::CannotOpen:
        break;
    }
    return {fileName,
            {{CheckSeverity::Error,
              -1,
              0,
              0,
              0,
              QFileInfo::exists(fileName) ? QStringLiteral("the file cannot be read")
                                          : QStringLiteral("the file is not there"),
              {}}}};
}

QString CommonFolder(const QStringList &files)
{
    QString common;
    bool first = true;
    for (const QString &file : files) {
        if (file.isEmpty())
            continue;
        const QString folder = QFileInfo(file).absolutePath();
        if (first) {
            common = folder;
            first = false;
            continue;
        }
        while (!common.isEmpty() && folder != common
               && !folder.startsWith(common.endsWith(QLatin1Char('/')) ? common : common + QLatin1Char('/'))) {
            const QString up = QFileInfo(common).path();
            if (up == common)
                break;
            common = up;
        }
    }
    return common;
}
