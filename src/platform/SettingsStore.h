#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

// The per-user sectioned store of text values. Every value is kept as text;
// integers and booleans are read by the program's own rules, so a value edited
// by hand reads the same everywhere.
class SettingsStore
{
public:
    // The user's store (an INI file in the config folder here, the registry key on Windows).
    SettingsStore();
    // A store kept in the given INI file.
    explicit SettingsStore(const QString &iniFile);
    ~SettingsStore();
    // The file, or on Windows the registry key, that holds the store.
    QString location() const;

    QString readString(const QString &section, const QString &name, const QString &def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; anything else gives the default.
    qint64 readInteger(const QString &section, const QString &name, qint64 def) const;
    bool readBool(const QString &section, const QString &name, bool def) const;
    bool hasValue(const QString &section, const QString &name) const;

    void writeString(const QString &section, const QString &name, const QString &value);
    void writeInteger(const QString &section, const QString &name, qint64 value);
    void writeBool(const QString &section, const QString &name, bool value);
    void eraseSection(const QString &section);
    QStringList valueNames(const QString &section) const;
    void sync();

    // Text to integer by the store's rules; false when the text is no number.
    static bool parseInteger(const QString &text, qint64 *value);

private:
    std::unique_ptr<QSettings> m_settings;
};
