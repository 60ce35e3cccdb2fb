#pragma once

#include <QString>
#include <QStringList>

// The fields of the URL composer, in the order of its rows. Telnet reuses the
// path and file-name fields for the logon user name and password.
enum UrlField : int { HostField, PortField, PathField, FileNameField, TargetField, UrlFieldCount };

struct UrlFields
{
    QString text[UrlFieldCount];
    QString &operator[](int field) { return text[field]; }
    const QString &operator[](int field) const { return text[field]; }
};

// How one field row looks under a scheme: shown or hidden, the separator in
// front of its edit and its label. The host row is always shown.
struct UrlFieldLayout
{
    bool shown = true;
    QString separator;
    QString label;
};

struct UrlSchemeLayout
{
    QString name;
    UrlFieldLayout fields[UrlFieldCount];  // fields[HostField].separator follows the scheme ("://" or ":")
};

// The schemes of the composer's list, in list order: the eleven classic ones
// (indices 0 to 10 are what the user's habits know), then "https".
int UrlSchemeCount();
QStringList UrlSchemeNames();
// nullptr for an index outside the list.
const UrlSchemeLayout *UrlSchemeAt(int scheme);

// The URL built from the fields under a scheme; empty for an index outside the
// list. Fields are taken as typed; an empty field and its separator drop out.
QString ComposeUrl(int scheme, const UrlFields &fields);
