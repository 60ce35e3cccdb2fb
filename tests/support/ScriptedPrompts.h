#pragma once

#include "platform/Prompts.h"

#include <QList>
#include <functional>

// Answers prompts from queues and records what was asked. Installed for the
// lifetime of the object; an unexpected prompt fails the test instead of hanging.
class ScriptedPrompts : public Prompts
{
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    struct Message
    {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QString detail;  // the paragraph under the text, if any
    };

    QList<QMessageBox::StandardButton> answers;  // message answers, front first
    QList<QString> files;                        // file dialog answers ("" = cancel)
    QList<QColor> colors;                        // colour dialog answers (invalid = cancel)
    // Each modal dialog run is handed to the next function, which fills it in and
    // returns the result code; with none queued the dialog is rejected.
    QList<std::function<int(QDialog *)>> modals;

    QList<Message> messages;          // every message shown
    QList<FileRequest> fileRequests;  // every file dialog shown
    QStringList modalNames;           // objectName of every modal dialog run

    QMessageBox::StandardButton message(QWidget *parent, const QString &caption, const QString &text,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) override;
    QMessageBox::StandardButton messageWithDetail(QWidget *parent, const QString &caption, const QString &text,
                                                  const QString &detail, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButtons buttons) override;
    FileAnswer askFile(QWidget *parent, const FileRequest &request) override;
    QColor askColor(QWidget *parent, const QColor &initial) override;
    int runModal(QDialog *dialog) override;
};
