#include "tags/MarkupNames.h"

#include "platform/RegularFileRead.h"

#include <algorithm>

namespace {
constexpr qint64 MaxFileBytes = 4 << 20;

void sortUnique(QStringList &names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    names.erase(std::unique(names.begin(), names.end()), names.end());
}
}  // namespace

MarkupNames MarkupNames::parse(QByteArrayView fileText)
{
    MarkupNames names;
    enum { Unknown, Elements, Entities } section = Unknown;
    for (QByteArray line : fileText.toByteArray().split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            section = line == "[elements]" ? Elements : line == "[entities]" ? Entities : Unknown;
            continue;
        }
        QStringList words;
        for (QByteArray word : line.simplified().split(' ')) {
            word = word.trimmed();
            // Names are plain ASCII; anything else is no name.
            if (!word.isEmpty() && word.size() <= 64 && std::all_of(word.begin(), word.end(), [](char c) {
                    return c > ' ' && static_cast<unsigned char>(c) < 0x7F;
                }))
                words.append(QString::fromLatin1(word));
        }
        if (words.isEmpty())
            continue;
        if (section == Entities) {
            names.m_entities += words;
        } else if (section == Elements) {
            const QString element = words.takeFirst();
            if (element == QLatin1String("*")) {
                names.m_common += words;
            } else {
                names.m_elements.append(element);
                names.m_attributes[element.toLower().toLatin1()] += words;
            }
        }
    }
    sortUnique(names.m_elements);
    sortUnique(names.m_common);
    std::sort(names.m_entities.begin(), names.m_entities.end());
    names.m_entities.erase(std::unique(names.m_entities.begin(), names.m_entities.end()), names.m_entities.end());
    return names;
}

MarkupNames MarkupNames::load(const QString &fileName)
{
    QByteArray bytes;
    if (ReadRegularFile(fileName, MaxFileBytes, &bytes) != RegularFileRead::Read)
        return {};
    return parse(bytes);
}

QStringList MarkupNames::attributes(QByteArrayView element) const
{
    QStringList all = m_common + m_attributes.value(element.toByteArray().toLower());
    sortUnique(all);
    return all;
}

QStringList InCase(QStringList names, bool upper)
{
    for (QString &name : names)
        name = upper ? name.toUpper() : name.toLower();
    return names;
}
