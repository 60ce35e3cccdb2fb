#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QStringList>

// The names offered while typing: elements with their attributes, and
// entities, read from the data file "markup-names.txt". Its lines:
//   [elements]            element lines follow: a name, then its attributes
//   * CLASS ID ...        "*" lists the attributes every element takes
//   [entities]            entity names follow, any number to a line
// "#" begins a comment line. Unknown sections and lines are passed over.
class MarkupNames
{
public:
    static MarkupNames parse(QByteArrayView fileText);
    // Quietly empty when the file is missing, not a regular file or too large.
    static MarkupNames load(const QString &fileName);

    bool isEmpty() const { return m_elements.isEmpty() && m_entities.isEmpty(); }
    // As written in the file, sorted.
    const QStringList &elements() const { return m_elements; }
    // The element's own attributes and the common ones, sorted; the common
    // ones for an element the file does not list.
    QStringList attributes(QByteArrayView element) const;
    // Case matters in entity names: as written.
    const QStringList &entities() const { return m_entities; }

private:
    QStringList m_elements;
    QHash<QByteArray, QStringList> m_attributes;  // by lower-case element name
    QStringList m_common;
    QStringList m_entities;
};

// Names in the case the user chose: upper as the generators write, or lower.
QStringList InCase(QStringList names, bool upper);
