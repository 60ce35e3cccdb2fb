#include "support/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace {

bool isInput(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w)
           || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QTextEdit *>(w)
           || qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QAbstractItemView *>(w)
           || (qobject_cast<const QAbstractSlider *>(w) && !qobject_cast<const QScrollBar *>(w))
           || qobject_cast<const QAbstractButton *>(w);
}

// A widget that is a part of another control (a spin box's field, a combo
// box's list, a tab bar's scroll buttons) is that control's business.
bool isPartOfAControl(const QWidget *w, const QWidget *dialog)
{
    for (const QWidget *p = w->parentWidget(); p && p != dialog; p = p->parentWidget()) {
        if (isInput(p) || qobject_cast<const QTabBar *>(p))
            return true;
    }
    return false;
}

QString name(QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// What a screen reader speaks for a control, by Qt's rules: its accessible
// name, a label whose buddy it is (a label relation), or its own text.
QString spokenName(QWidget *w)
{
    if (!w->accessibleName().trimmed().isEmpty())
        return w->accessibleName();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return {};
    const auto labels = iface->relations(QAccessible::Label);
    for (const auto &[label, relation] : labels) {
        const QString text = label->text(QAccessible::Name).trimmed();
        if (!text.isEmpty())
            return text;
    }
    // A combo box's name is its current text on Linux: no name at all.
    if (qobject_cast<QComboBox *>(w))
        return {};
    return iface->text(QAccessible::Name).trimmed();
}

QChar mnemonic(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) != u'&')
            return text.at(i + 1).toLower();
        ++i;
    }
    return {};
}

void findSharedMnemonics(QWidget *dialog, const QString &state, QStringList &faults)
{
    QMap<QChar, QStringList> owners;
    const auto widgets = dialog->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(dialog))
            continue;
        if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy()) {
            if (const QChar m = mnemonic(label->text()); !m.isNull())
                owners[m].append(name(w));
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (const QChar m = mnemonic(button->text()); !m.isNull())
                owners[m].append(name(w));
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            if (const QChar m = mnemonic(group->title()); !m.isNull())
                owners[m].append(name(w));
        } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (const QChar m = mnemonic(tabs->tabText(i)); !m.isNull())
                    owners[m].append(QStringLiteral("tab ") + tabs->tabText(i));
            }
        }
    }
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1)
            faults.append(QStringLiteral("%1%2: Alt+%3 is shared by %4")
                              .arg(name(dialog), state, QString(it.key()), it.value().join(QStringLiteral(", "))));
    }
}

}  // namespace

QStringList accessibilityFaults(QWidget *dialog)
{
    QStringList faults;
    const auto widgets = dialog->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!isInput(w) || isPartOfAControl(w, dialog))
            continue;
        if (spokenName(w).isEmpty())
            faults.append(QStringLiteral("%1: %2 (%3) has no name to speak")
                              .arg(name(dialog), name(w), QString::fromLatin1(w->metaObject()->className())));
    }
    const auto tabWidgets = dialog->findChildren<QTabWidget *>();
    if (tabWidgets.isEmpty()) {
        findSharedMnemonics(dialog, QString(), faults);
        return faults;
    }
    for (QTabWidget *tabs : tabWidgets) {
        const int current = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            findSharedMnemonics(dialog, QStringLiteral(" (page %1)").arg(tabs->tabText(i)), faults);
        }
        tabs->setCurrentIndex(current);
    }
    faults.removeDuplicates();
    return faults;
}
