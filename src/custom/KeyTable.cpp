#include "custom/KeyTable.h"

#include <iterator>

namespace {
struct KeyRow
{
    quint8 vk;
    Qt::Key key;
    bool keypad;
};

// Primary rows: one per virtual key, the Qt key it reads back as.
constexpr KeyRow Rows[] = {
    {0x08, Qt::Key_Backspace, false},   {0x09, Qt::Key_Tab, false},        {0x0C, Qt::Key_Clear, false},
    {0x0D, Qt::Key_Return, false},      {0x13, Qt::Key_Pause, false},      {0x14, Qt::Key_CapsLock, false},
    {0x1B, Qt::Key_Escape, false},      {0x20, Qt::Key_Space, false},      {0x21, Qt::Key_PageUp, false},
    {0x22, Qt::Key_PageDown, false},    {0x23, Qt::Key_End, false},        {0x24, Qt::Key_Home, false},
    {0x25, Qt::Key_Left, false},        {0x26, Qt::Key_Up, false},         {0x27, Qt::Key_Right, false},
    {0x28, Qt::Key_Down, false},        {0x29, Qt::Key_Select, false},     {0x2A, Qt::Key_Printer, false},
    {0x2B, Qt::Key_Execute, false},     {0x2C, Qt::Key_Print, false},      {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},      {0x2F, Qt::Key_Help, false},       {0x5D, Qt::Key_Menu, false},
    {0x5F, Qt::Key_Sleep, false},       {0x6A, Qt::Key_Asterisk, true},    {0x6B, Qt::Key_Plus, true},
    {0x6D, Qt::Key_Minus, true},        {0x6E, Qt::Key_Period, true},      {0x6F, Qt::Key_Slash, true},
    {0x90, Qt::Key_NumLock, false},     {0x91, Qt::Key_ScrollLock, false}, {0xBA, Qt::Key_Semicolon, false},
    {0xBB, Qt::Key_Equal, false},       {0xBC, Qt::Key_Comma, false},      {0xBD, Qt::Key_Minus, false},
    {0xBE, Qt::Key_Period, false},      {0xBF, Qt::Key_Slash, false},      {0xC0, Qt::Key_QuoteLeft, false},
    {0xDB, Qt::Key_BracketLeft, false}, {0xDC, Qt::Key_Backslash, false},  {0xDD, Qt::Key_BracketRight, false},
    {0xDE, Qt::Key_Apostrophe, false},
};

// Keys Qt reports for a shifted key on a US layout, and the keypad's Enter:
// they are stored as the key cap's code.
constexpr KeyRow AlsoRows[] = {
    {0x0D, Qt::Key_Enter, false},      {0x0D, Qt::Key_Enter, true},        {0x09, Qt::Key_Backtab, false},
    {0xBA, Qt::Key_Colon, false},      {0xBB, Qt::Key_Plus, false},        {0xBC, Qt::Key_Less, false},
    {0xBD, Qt::Key_Underscore, false}, {0xBE, Qt::Key_Greater, false},     {0xBF, Qt::Key_Question, false},
    {0xC0, Qt::Key_AsciiTilde, false}, {0xDB, Qt::Key_BraceLeft, false},   {0xDC, Qt::Key_Bar, false},
    {0xDD, Qt::Key_BraceRight, false}, {0xDE, Qt::Key_QuoteDbl, false},    {0x31, Qt::Key_Exclam, false},
    {0x32, Qt::Key_At, false},         {0x33, Qt::Key_NumberSign, false},  {0x34, Qt::Key_Dollar, false},
    {0x35, Qt::Key_Percent, false},    {0x36, Qt::Key_AsciiCircum, false}, {0x37, Qt::Key_Ampersand, false},
    {0x38, Qt::Key_Asterisk, false},   {0x39, Qt::Key_ParenLeft, false},   {0x30, Qt::Key_ParenRight, false},
};

std::optional<KeyRow> rowOfVk(quint8 vk)
{
    if (vk >= '0' && vk <= '9')
        return KeyRow{vk, Qt::Key(Qt::Key_0 + (vk - '0')), false};
    if (vk >= 'A' && vk <= 'Z')
        return KeyRow{vk, Qt::Key(Qt::Key_A + (vk - 'A')), false};
    if (vk >= 0x60 && vk <= 0x69)
        return KeyRow{vk, Qt::Key(Qt::Key_0 + (vk - 0x60)), true};
    if (vk >= 0x70 && vk <= 0x87)
        return KeyRow{vk, Qt::Key(Qt::Key_F1 + (vk - 0x70)), false};
    for (const KeyRow &row : Rows)
        if (row.vk == vk)
            return row;
    return std::nullopt;
}

std::optional<quint8> vkOfKey(Qt::Key key, bool keypad)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return quint8((keypad ? 0x60 : '0') + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return quint8('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return quint8(0x70 + (key - Qt::Key_F1));
    auto find = [key, keypad](const auto &table) -> std::optional<quint8> {
        for (const KeyRow &row : table)
            if (row.key == key && row.keypad == keypad)
                return row.vk;
        return std::nullopt;
    };
    if (auto vk = find(Rows))
        return vk;
    if (auto vk = find(AlsoRows))
        return vk;
    // A keypad key with no keypad code of its own is the same key cap.
    if (keypad)
        return vkOfKey(key, false);
    return std::nullopt;
}
}  // namespace

std::optional<quint16> KeyToHotkey(QKeyCombination combination)
{
    const Qt::Key key = combination.key();
    if (key == Qt::Key(0) || key == Qt::Key_unknown)
        return quint16(0);
    const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
    if (mods & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier))
        return std::nullopt;
    const std::optional<quint8> vk = vkOfKey(key, mods & Qt::KeypadModifier);
    if (!vk)
        return std::nullopt;
    quint16 value = *vk;
    if (mods & Qt::ShiftModifier)
        value |= HotkeyBits::Shift;
    if (mods & Qt::ControlModifier)
        value |= HotkeyBits::Ctrl;
    if (mods & Qt::AltModifier)
        value |= HotkeyBits::Alt;
    return value;
}

std::optional<QKeyCombination> HotkeyToKey(quint16 value)
{
    if (value == 0)
        return QKeyCombination();
    if (value & ~(HotkeyBits::Modifiers | HotkeyBits::KeyMask))
        return std::nullopt;
    const std::optional<KeyRow> row = rowOfVk(quint8(value & HotkeyBits::KeyMask));
    if (!row)
        return std::nullopt;
    Qt::KeyboardModifiers mods;
    if (value & HotkeyBits::Shift)
        mods |= Qt::ShiftModifier;
    if (value & HotkeyBits::Ctrl)
        mods |= Qt::ControlModifier;
    if (value & HotkeyBits::Alt)
        mods |= Qt::AltModifier;
    if (row->keypad)
        mods |= Qt::KeypadModifier;
    return QKeyCombination(mods, row->key);
}
