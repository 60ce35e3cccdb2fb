#include "custom/HotkeyEdit.h"

#include "custom/KeyTable.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace {
bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
           || key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

QString modifierText(Qt::KeyboardModifiers mods)
{
    QString text;
    if (mods & Qt::ControlModifier)
        text += QStringLiteral("Ctrl+");
    if (mods & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    if (mods & Qt::ShiftModifier)
        text += QStringLiteral("Shift+");
    return text;
}
}  // namespace

HotkeyEdit::HotkeyEdit(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    showValue();
}

void HotkeyEdit::setHotkey(quint16 value)
{
    m_value = IsValidHotkey(value) ? value : 0;
    showValue();
}

bool HotkeyEdit::acceptsChord(QKeyCombination key)
{
    const Qt::KeyboardModifiers mods = key.keyboardModifiers();
    if (mods & Qt::MetaModifier)
        return false;
    const bool functionKey = key.key() >= Qt::Key_F1 && key.key() <= Qt::Key_F24;
    if (!functionKey && !(mods & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    return KeyToHotkey(key).has_value();
}

bool HotkeyEdit::event(QEvent *e)
{
    // Every key belongs to the entry while it has the focus, menu keys included.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void HotkeyEdit::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers()
                                       & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier
                                          | Qt::KeypadModifier);
    e->accept();
    if (isModifierKey(key)) {
        setText(modifierText(mods));
        return;
    }
    const Qt::KeyboardModifiers plain = mods & ~Qt::KeypadModifier;
    if (key == Qt::Key_Escape && plain == Qt::NoModifier) {
        emit escapePressed();
        return;
    }
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && plain == Qt::NoModifier) {
        setHotkey(0);
        return;
    }
    const QKeyCombination chord(mods, Qt::Key(key));
    if (acceptsChord(chord))
        m_value = KeyToHotkey(chord).value_or(0);
    showValue();
}

void HotkeyEdit::keyReleaseEvent(QKeyEvent *e)
{
    e->accept();
    if (isModifierKey(e->key()))
        showValue();
}

void HotkeyEdit::showValue()
{
    const std::optional<QKeyCombination> key = HotkeyToKey(m_value);
    setText(m_value && key ? QKeySequence(*key).toString(QKeySequence::NativeText) : QStringLiteral("None"));
}
