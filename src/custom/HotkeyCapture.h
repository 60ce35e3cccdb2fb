#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class QPushButton;
class QToolBar;
class HotkeyEdit;

// Hotkey capture mode: the panel `shortcutsPanel` covers the document area, the
// user presses a chord in `HotKey1` and clicks the menu items that are to get it.
// Capture works on the menus of the document window it was started from (the ones
// on the menu bar) and never runs a command while it lasts: a click on any item
// either assigns the key or does nothing. Closing or leaving that window cancels.
class HotkeyCapture : public QObject
{
    Q_OBJECT
public:
    HotkeyCapture(QMainWindow *mainWindow, QMdiArea *documentArea);
    ~HotkeyCapture() override;

    QWidget *shortcutsPanel() const { return m_panel; }
    HotkeyEdit *hotKey1() const { return m_hotKey; }
    bool isCapturing() const { return m_capturing; }
    QString fileName() const;

    // Enters capture mode on a document window's menus; its editor is disabled meanwhile.
    void BeginHotkeyCapture(QWidget *documentWindow, const QList<QMenu *> &menus, QWidget *editor);
    void EndHotkeyCapture();
    void AssignCapturedHotkey(QAction *item);
    void BitBtn1Click();  // OK: end, save, load
    void BitBtn2Click();  // Cancel: end only

    // The file the keys are saved to and read from; the data folder's by default.
    std::function<QString()> hotkeysFileName;

signals:
    void captureEnded();
    // The menu items' keys may have changed (capture ended, or OK loaded the
    // saved keys): editors must give up the keys the menus now hold.
    void menuKeysChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void endCapture(bool focusWindow);
    bool menuEvent(QMenu *menu, QEvent *event);
    void chooseInMenu(QAction *item);
    void closeMenus();

    QMainWindow *m_main;
    QMdiArea *m_area;
    QWidget *m_panel = nullptr;
    HotkeyEdit *m_hotKey = nullptr;
    bool m_capturing = false;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_editor;  // the editor capture disabled, and only that one
    QList<QPointer<QMenu>> m_topMenus;
    QList<QPointer<QMenu>> m_allMenus;
    QList<QPointer<QAction>> m_hooks;  // the hotkey items, in walk order
    QList<QPointer<QToolBar>> m_hiddenBars;
    QList<QPointer<QToolBar>> m_disabledBars;
    QList<QMetaObject::Connection> m_connections;
};
