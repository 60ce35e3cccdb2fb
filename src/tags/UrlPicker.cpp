#include "tags/UrlPicker.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {
UrlPicker &installed()
{
    static UrlPicker picker;
    return picker;
}
}  // namespace

void SetUrlPicker(UrlPicker picker)
{
    installed() = std::move(picker);
}

bool HasUrlPicker()
{
    return bool(installed());
}

bool PickUrl(QWidget *parent, QString &url)
{
    if (!installed())
        return false;
    QString result = url;
    if (!installed()(parent, result) || result.isEmpty())
        return false;
    url = result;
    return true;
}

void ConnectUrlWizard(QAbstractButton *button, QLineEdit *field)
{
    button->setEnabled(HasUrlPicker());
    QObject::connect(button, &QAbstractButton::clicked, field, [button, field] {
        QString url;
        if (PickUrl(button->window(), url))
            field->setText(url);
    });
}
