#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Every message box, file dialog, colour dialog and modal run goes through here,
// so tests can answer from a script instead of blocking on a modal window.
class Prompts
{
public:
    virtual ~Prompts() = default;

    virtual QMessageBox::StandardButton message(QWidget *parent, const QString &caption, const QString &text,
                                                QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) = 0;
    // The same with a second paragraph under the text: the system's reason for
    // a failure, kept apart so the message itself reads as it always has.
    virtual QMessageBox::StandardButton messageWithDetail(QWidget *parent, const QString &caption, const QString &text,
                                                          const QString &detail, QMessageBox::Icon icon,
                                                          QMessageBox::StandardButtons buttons);

    struct FileRequest
    {
        QString caption;
        QString folder;       // start folder; empty for the last one used
        QString fileName;     // preset name
        QStringList filters;  // "HTMLs (*.html *.htm)" style entries
        int filterIndex = 0;  // 0-based preset filter, -1 for none
        bool save = false;
        bool confirmOverwrite = true;
    };
    struct FileAnswer
    {
        QString fileName;  // empty when cancelled
        int filterIndex = -1;
        QString folder;
    };
    virtual FileAnswer askFile(QWidget *parent, const FileRequest &request) = 0;

    // Returns an invalid colour when cancelled.
    virtual QColor askColor(QWidget *parent, const QColor &initial) = 0;

    // Runs a modal dialog and returns its result code (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog *dialog) = 0;

    static Prompts &instance();
    // Takes no ownership; nullptr restores the Qt implementation.
    static void setInstance(Prompts *prompts);
};

// The product's implementation: real Qt dialogs.
class QtPrompts : public Prompts
{
public:
    QMessageBox::StandardButton message(QWidget *parent, const QString &caption, const QString &text,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    QMessageBox::StandardButton messageWithDetail(QWidget *parent, const QString &caption, const QString &text,
                                                  const QString &detail, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButtons buttons) override;
    FileAnswer askFile(QWidget *parent, const FileRequest &request) override;
    QColor askColor(QWidget *parent, const QColor &initial) override;
    int runModal(QDialog *dialog) override;
};
