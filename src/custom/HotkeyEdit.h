#pragma once

#include <QLineEdit>

// The hotkey entry of the capture panel: it takes one key chord (QKeySequenceEdit
// would wait for up to four). A key needs Ctrl or Alt unless it is a function
// key, so no chord can take a typing key away from the editor. Backspace and
// Delete remove the key; Esc asks to cancel.
class HotkeyEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit HotkeyEdit(QWidget *parent = nullptr);

    // The chord as the hotkeys file stores it; 0 for none.
    quint16 hotkey() const { return m_value; }
    void setHotkey(quint16 value);

    // Whether the chord may be taken as a hotkey.
    static bool acceptsChord(QKeyCombination key);

signals:
    void escapePressed();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    void showValue();
    quint16 m_value = 0;
};
