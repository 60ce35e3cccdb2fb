#pragma once

#include <QString>
#include <functional>

class QAbstractButton;
class QLineEdit;
class QWidget;

// The URL composer lives in a subsystem above this one, so element dialogs reach
// it through a picker that start-up installs. It returns true and sets url when
// the user composed one; false (cancelled, or nothing composed) leaves url alone.
using UrlPicker = std::function<bool(QWidget *parent, QString &url)>;

void SetUrlPicker(UrlPicker picker);
bool HasUrlPicker();
// False without asking when no picker is installed.
bool PickUrl(QWidget *parent, QString &url);

// Makes button a "URL Wizard" for field: disabled while no picker is installed;
// a composed URL replaces the field's text, a cancelled one leaves it as it was.
void ConnectUrlWizard(QAbstractButton *button, QLineEdit *field);
