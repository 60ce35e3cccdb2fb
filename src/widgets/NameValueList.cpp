#include "widgets/NameValueList.h"

NameValueList::NameValueList(std::initializer_list<QPair<QString, QString>> entries)
{
    for (const auto &entry : entries)
        set(entry.first, entry.second);
}

int NameValueList::indexOf(const QString &name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void NameValueList::set(const QString &name, const QString &value)
{
    const int i = indexOf(name);
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.append({name, value});
}

QString NameValueList::value(const QString &name) const
{
    const int i = indexOf(name);
    return i >= 0 ? m_entries.at(i).second : QString();
}

bool NameValueList::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

QStringList NameValueList::names() const
{
    QStringList out;
    for (const auto &entry : m_entries)
        out.append(entry.first);
    return out;
}

QStringList NameValueList::toStrings() const
{
    QStringList out;
    for (const auto &entry : m_entries)
        out.append(entry.first + QLatin1Char('=') + entry.second);
    return out;
}

NameValueList NameValueList::fromStrings(const QStringList &lines)
{
    NameValueList list;
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            list.set(line, QString());
        else
            list.set(line.left(eq), line.mid(eq + 1));
    }
    return list;
}
