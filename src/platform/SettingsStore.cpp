#include "platform/SettingsStore.h"

#include <QSettings>

SettingsStore::SettingsStore()
#ifdef Q_OS_WIN
    // The key itself, where settings of earlier versions live; organisation
    // and application names would open Software\Tagloom\Tagloom.
    : m_settings(
        std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Tagloom"), QSettings::NativeFormat))
#else
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tagloom"),
                                             QStringLiteral("Tagloom")))
#endif
{}

QString SettingsStore::location() const
{
    return m_settings->fileName();
}

SettingsStore::SettingsStore(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{}

SettingsStore::~SettingsStore() = default;

static QString key(const QString &section, const QString &name)
{
    // Section and name may hold any text, "/" and "\" included: QSettings would
    // read those as group separators, so they are kept escaped in the key.
    QString n = name;
    n.replace(QLatin1Char('/'), QLatin1String("%2F")).replace(QLatin1Char('\\'), QLatin1String("%5C"));
    QString s = section;
    s.replace(QLatin1Char('/'), QLatin1String("%2F")).replace(QLatin1Char('\\'), QLatin1String("%5C"));
    return s + QLatin1Char('/') + n;
}

QString SettingsStore::readString(const QString &section, const QString &name, const QString &def) const
{
    const QVariant v = m_settings->value(key(section, name));
    if (!v.isValid())
        return def;
    // An INI line edited by hand with unquoted commas reads back as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool SettingsStore::parseInteger(const QString &text, qint64 *value)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 v = 0;
    if (t.size() > 2 && t.at(0) == QLatin1Char('0') && (t.at(1) == QLatin1Char('x') || t.at(1) == QLatin1Char('X'))) {
        // Hexadecimal reads as an unsigned 32-bit pattern, as the store always did.
        const quint64 u = t.mid(2).toULongLong(&ok, 16);
        ok = ok && u <= 0xFFFFFFFFull;
        v = qint64(qint32(quint32(u)));
    } else {
        v = t.toLongLong(&ok, 10);
        ok = ok && v >= INT32_MIN && v <= INT32_MAX;
    }
    if (ok && value)
        *value = v;
    return ok;
}

qint64 SettingsStore::readInteger(const QString &section, const QString &name, qint64 def) const
{
    const QVariant v = m_settings->value(key(section, name));
    if (!v.isValid())
        return def;
    qint64 result = def;
    if (!parseInteger(readString(section, name, QString()), &result))
        return def;
    return result;
}

bool SettingsStore::readBool(const QString &section, const QString &name, bool def) const
{
    return readInteger(section, name, def ? 1 : 0) != 0;
}

bool SettingsStore::hasValue(const QString &section, const QString &name) const
{
    return m_settings->contains(key(section, name));
}

void SettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    m_settings->setValue(key(section, name), value);
}

void SettingsStore::writeInteger(const QString &section, const QString &name, qint64 value)
{
    m_settings->setValue(key(section, name), QString::number(value));
}

void SettingsStore::writeBool(const QString &section, const QString &name, bool value)
{
    m_settings->setValue(key(section, name), value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::eraseSection(const QString &section)
{
    m_settings->remove(key(section, QString()).chopped(1));
}

QStringList SettingsStore::valueNames(const QString &section) const
{
    m_settings->beginGroup(key(section, QString()).chopped(1));
    QStringList names = m_settings->childKeys();
    m_settings->endGroup();
    return names;
}

void SettingsStore::sync()
{
    m_settings->sync();
}
