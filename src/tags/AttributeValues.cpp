#include "tags/AttributeValues.h"

namespace {

constexpr int MaxChoiceEntries = 20;

QChar separatorOf(PathStyle style)
{
    return style == PathStyle::Windows ? QLatin1Char('\\') : QLatin1Char('/');
}

bool isDriveAbsolute(const QString &name)
{
    return name.size() >= 3 && name.at(1) == QLatin1Char(':')
           && (name.at(2) == QLatin1Char('\\') || name.at(2) == QLatin1Char('/'));
}

// Qt's file dialogs give "C:/web/a.gif" on Windows; the rules below work on
// backslashes, so a drive-absolute name is compared in its native form.
QString windowsForm(const QString &name)
{
    if (!isDriveAbsolute(name))
        return name;
    QString native = name;
    native.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return native;
}

// Everything up to and including the last separator; empty when there is none.
QString folderPart(const QString &name, QChar sep)
{
    return name.left(name.lastIndexOf(sep) + 1);
}

}  // namespace

bool IsAbsoluteFileName(const QString &fileName, PathStyle style)
{
    if (style == PathStyle::Windows)
        return isDriveAbsolute(fileName);
    return fileName.startsWith(QLatin1Char('/'));
}

QString RelativePathTo(const QString &fileName, const QString &documentFileName, PathStyle style)
{
    if (!IsAbsoluteFileName(fileName, style))
        return fileName;
    const QChar sep = separatorOf(style);
    const QString name = style == PathStyle::Windows ? windowsForm(fileName) : fileName;
    const QString docName = style == PathStyle::Windows ? windowsForm(documentFileName) : documentFileName;
    const QString docFolder = folderPart(docName, sep);
    if (docFolder.isEmpty())
        return fileName;
    if (style == PathStyle::Windows && name.at(0).toUpper() != docFolder.at(0).toUpper())
        return fileName;  // another drive

    // Folder comparisons are exact, case included.
    const QString nameFolder = folderPart(name, sep);
    if (nameFolder.startsWith(docFolder))
        return name.mid(docFolder.size());
    if (docFolder.startsWith(nameFolder)) {
        const qsizetype ups = docFolder.count(sep) - name.count(sep);
        const QString up = style == PathStyle::Windows ? QStringLiteral("..\\") : QStringLiteral("../");
        return up.repeated(ups) + name.mid(nameFolder.size());
    }
    return fileName;
}

QString ToFileUrlPath(const QString &path)
{
    QString url = path;
    if (url.size() >= 2 && url.at(1) == QLatin1Char(':'))
        url[1] = QLatin1Char('|');
    url.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return url;
}

QString ColorToHex(quint32 colorRef)
{
    const quint32 red = colorRef & 0xFF;
    const quint32 green = (colorRef >> 8) & 0xFF;
    const quint32 blue = (colorRef >> 16) & 0xFF;
    return QString::asprintf("%02X%02X%02X", red, green, blue);
}

QString ColorToHex(const QColor &color)
{
    return ColorToHex(ColorToRef(color));
}

quint32 ColorToRef(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16;
}

QString ImageAlignValue(int itemIndex)
{
    static const char *const keywords[] = {"LEFT",      "RIGHT",    "TOP",    "TEXTTOP",  "MIDDLE",
                                           "ABSMIDDLE", "BASELINE", "BOTTOM", "ABSBOTTOM"};
    if (itemIndex < 0 || itemIndex >= int(std::size(keywords)))
        return {};
    return QString::fromLatin1(keywords[itemIndex]);
}

QString ChoiceValue(int itemIndex, const QString &choiceList)
{
    if (itemIndex < 0 || itemIndex >= MaxChoiceEntries)
        return {};
    int entry = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i < choiceList.size(); ++i) {
        if (choiceList.at(i) != QLatin1Char('\\'))
            continue;
        if (entry == itemIndex)
            return choiceList.mid(from, i - from);
        ++entry;
        from = i + 1;
    }
    return {};
}
