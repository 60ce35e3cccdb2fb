#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A titled group of radio buttons whose choice is an item index, -1 for none.
// Items are laid out in the given number of columns, filled top to bottom.
class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, int columns = 1, QWidget *parent = nullptr);

    int itemIndex() const;
    // Any index outside the items clears the choice.
    void setItemIndex(int index);
    int count() const { return int(m_buttons.size()); }
    QRadioButton *button(int index) const;

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
};
