#include "custom/JsEntries.h"

#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "tags/AttributeHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringDecoder>

#include <array>

namespace {

const QLatin1StringView HeaderText("Tagloom JS Entry #");

// The entries file is a small text file of our own; anything far larger is not it.
constexpr qint64 MaxEntriesFileSize = 16 * 1024 * 1024;

// The entry number of a header line, or -1 for any other line. Only the exact
// line counts: a trailing blank makes it an ordinary line.
int HeaderNumber(QStringView line)
{
    if (!line.startsWith(HeaderText))
        return -1;
    const QStringView digits = line.mid(HeaderText.size());
    if (digits.isEmpty() || digits.size() > 9)
        return -1;
    int n = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// Parameters 0 to 9, the only ones a placeholder can name.
using JsParams = std::array<QString, 10>;

QString FillPlaceholders(QStringView line, const JsParams &params)
{
    QString out;
    out.reserve(line.size());
    qsizetype i = 0;
    while (i < line.size()) {
        if (line.mid(i, 3) == u"TL%" && i + 3 < line.size() && line[i + 3] >= u'0' && line[i + 3] <= u'9') {
            out += params[size_t(line[i + 3].unicode() - u'0')];
            i += 4;
        } else {
            out += line[i++];
        }
    }
    return out;
}

}  // namespace

QString DecodeJSEntriesText(const QByteArray &bytes)
{
    // A file edited by hand may be saved in Latin-1; read that as it was meant,
    // as the other data files are, instead of writing U+FFFD into pages. A
    // leading BOM is dropped, so the first header line still counts.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString GetJSParam(int k, const QString &params)
{
    QString value;
    int count = 1;
    for (qsizetype i = 0; i + 1 < params.size(); ++i) {
        if (params[i] == u'~') {
            if (++count > k)
                break;
        } else if (count == k) {
            value += params[i];
        }
    }
    return value;
}

QString JoinJSParams(const QStringList &values)
{
    QString params;
    for (const QString &value : values)
        params += value + u'~';
    return params;
}

QString JsStringText(const QString &typed)
{
    QString out;
    out.reserve(typed.size() + 8);
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed[i];
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1StringView("\\\\");
            break;
        case u'"':
            out += QLatin1StringView("\\\"");
            break;
        case u'\'':
            out += QLatin1StringView("\\'");
            break;
        case u'\r':
            out += QLatin1StringView("\\r");
            break;
        case u'\n':
            out += QLatin1StringView("\\n");
            break;
        case 0x2028:
            out += QLatin1StringView("\\u2028");
            break;
        case 0x2029:
            out += QLatin1StringView("\\u2029");
            break;
        case u'~':
            out += QLatin1StringView("\\u007E");
            break;
        case u'<':
            // "</script" would end the element; "<!--" would change how it is parsed.
            out += c;
            if (i + 1 < typed.size() && (typed[i + 1] == u'/' || typed[i + 1] == u'!'))
                out += u'\\';
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<QString> ExtractJSEntry(const QString &fileText, int n, const QString &params)
{
    // Split once: looking each placeholder up in the parameter text would take
    // time in the product of the two.
    JsParams values;
    for (int k = 0; k < int(values.size()); ++k)
        values[size_t(k)] = GetJSParam(k, params);
    QString result;
    bool inside = false;
    bool found = false;
    qsizetype start = 0;
    while (start <= fileText.size()) {
        qsizetype end = fileText.indexOf(u'\n', start);
        const bool last = end < 0;
        if (last)
            end = fileText.size();
        QStringView line = QStringView(fileText).mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        start = end + 1;
        // The text after the last line break is a line only when it holds something.
        if (last && line.isEmpty())
            break;

        const int header = HeaderNumber(line);
        if (header >= 0) {
            if (inside)
                break;
            if (header == n)
                inside = found = true;
            continue;
        }
        if (!inside || line.contains(HeaderText))
            continue;
        result += FillPlaceholders(line, values);
        result += QLatin1StringView("\r\n");
    }
    if (!found)
        return std::nullopt;
    return result;
}

std::optional<QString> ReadJSEntry(int n, const QString &params, QWidget *parent, const QString &fileName)
{
    const QString name = fileName.isEmpty() ? JavaScriptFileName() : fileName;
    const QFileInfo info(name);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.isFile()) {
        ShowFileMessage(FileNotFound, shown, parent);
        return std::nullopt;
    }
    // A file that is there but cannot be used says why, so the user does not
    // go looking for a file that exists.
    const auto cannotUse = [&](const QString &why) {
        Prompts::instance().message(parent, QStringLiteral("Error"),
                                    QStringLiteral("Cannot open file %1").arg(shown) + why, QMessageBox::Critical,
                                    QMessageBox::Ok);
        return std::nullopt;
    };
    if (info.size() > MaxEntriesFileSize)
        return cannotUse(QStringLiteral("\r\nThe file is larger than 16 MB."));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return cannotUse(QString());
    const QByteArray bytes = file.read(MaxEntriesFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return cannotUse(QString());
    if (bytes.size() > MaxEntriesFileSize)
        return cannotUse(QStringLiteral("\r\nThe file is larger than 16 MB."));
    return ExtractJSEntry(DecodeJSEntriesText(bytes), n, params);
}
