#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The ordered name=value texts a dialog hands to its generator. Names are
// compared ignoring case; an empty value counts as absent unless a generator
// says otherwise.
class NameValueList
{
public:
    NameValueList() = default;
    NameValueList(std::initializer_list<QPair<QString, QString>> entries);

    // Replaces the value of an existing name in place, else appends.
    void set(const QString &name, const QString &value);
    QString value(const QString &name) const;
    bool contains(const QString &name) const;
    // Present with a non-empty value.
    bool has(const QString &name) const { return !value(name).isEmpty(); }
    QStringList names() const;
    int size() const { return int(m_entries.size()); }
    // "name=value" texts in order.
    QStringList toStrings() const;
    // Reads "name=value" texts; text before the first "=" is the name.
    static NameValueList fromStrings(const QStringList &lines);

private:
    int indexOf(const QString &name) const;
    QList<QPair<QString, QString>> m_entries;
};
