#pragma once

#include <QDialog>

// The about box: version, year, contacts and two links shown in the browser.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    static const QString HomePage;
    static const QString MailAddress;
};
