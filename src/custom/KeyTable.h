#pragma once

#include <QKeyCombination>
#include <optional>

// The hotkeys file stores a key chord as a 16-bit value: the low byte is a
// Windows virtual-key code, $2000 Shift, $4000 Ctrl, $8000 Alt; 0 is no key.
// This table converts between that value and Qt's keys, so files written by the
// Windows build keep working here and the other way round.
namespace HotkeyBits {
constexpr quint16 Shift = 0x2000;
constexpr quint16 Ctrl = 0x4000;
constexpr quint16 Alt = 0x8000;
constexpr quint16 Modifiers = Shift | Ctrl | Alt;
constexpr quint16 KeyMask = 0x00FF;
}  // namespace HotkeyBits

// The virtual-key value of a chord; nullopt when the key has no virtual-key code
// or a modifier the file cannot hold (Meta). An empty chord gives 0.
std::optional<quint16> KeyToHotkey(QKeyCombination key);
// The chord of a stored value: an empty chord for 0; nullopt for a value with an
// unknown key code, bits outside the three modifiers, or modifiers without a key.
std::optional<QKeyCombination> HotkeyToKey(quint16 value);
inline bool IsValidHotkey(quint16 value)
{
    return HotkeyToKey(value).has_value();
}
