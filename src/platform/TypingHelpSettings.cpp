#include "platform/TypingHelpSettings.h"

#include "platform/SettingsStore.h"

namespace {
const QString Typing = QStringLiteral("Typing");

quint32 readColor(const SettingsStore &store, const QString &name, quint32 def)
{
    // Only the three colour bytes count; anything else stored keeps the default.
    const qint64 value = store.readInteger(Typing, name, def);
    return value >= 0 && value <= 0xFFFFFF ? quint32(value) : def;
}
}  // namespace

void LoadTypingHelpSettings(const SettingsStore &store, TypingHelpSettings &s)
{
    const TypingHelpSettings defaults;
    s.CloseTags = store.readBool(Typing, QStringLiteral("Close tags"), defaults.CloseTags);
    s.MatchTags = store.readBool(Typing, QStringLiteral("Match tags"), defaults.MatchTags);
    s.CompleteNames = store.readBool(Typing, QStringLiteral("Complete names"), defaults.CompleteNames);
    s.UpperCaseNames = store.readBool(Typing, QStringLiteral("Upper-case names"), defaults.UpperCaseNames);
    s.MatchColor = readColor(store, QStringLiteral("Match colour"), defaults.MatchColor);
    s.NoMatchColor = readColor(store, QStringLiteral("No-match colour"), defaults.NoMatchColor);
}

void SaveTypingHelpSettings(SettingsStore &store, const TypingHelpSettings &s)
{
    store.writeBool(Typing, QStringLiteral("Close tags"), s.CloseTags);
    store.writeBool(Typing, QStringLiteral("Match tags"), s.MatchTags);
    store.writeBool(Typing, QStringLiteral("Complete names"), s.CompleteNames);
    store.writeBool(Typing, QStringLiteral("Upper-case names"), s.UpperCaseNames);
    store.writeInteger(Typing, QStringLiteral("Match colour"), s.MatchColor);
    store.writeInteger(Typing, QStringLiteral("No-match colour"), s.NoMatchColor);
}
