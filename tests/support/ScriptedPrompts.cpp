#include "support/ScriptedPrompts.h"

#include <QDialog>
#include <QFileInfo>
#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts()
{
    Prompts::setInstance(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    Prompts::setInstance(nullptr);
}

QMessageBox::StandardButton ScriptedPrompts::message(QWidget *, const QString &caption, const QString &text,
                                                     QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    messages.append({caption, text, icon, buttons, {}});
    if (answers.isEmpty()) {
        ADD_FAILURE() << "unexpected message: " << caption.toStdString() << ": " << text.toStdString();
        return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
    }
    return answers.takeFirst();
}

QMessageBox::StandardButton ScriptedPrompts::messageWithDetail(QWidget *parent, const QString &caption,
                                                               const QString &text, const QString &detail,
                                                               QMessageBox::Icon icon,
                                                               QMessageBox::StandardButtons buttons)
{
    const QMessageBox::StandardButton answer = message(parent, caption, text, icon, buttons);
    messages.last().detail = detail;
    return answer;
}

Prompts::FileAnswer ScriptedPrompts::askFile(QWidget *, const FileRequest &request)
{
    fileRequests.append(request);
    FileAnswer answer;
    if (files.isEmpty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.caption.toStdString();
        return answer;
    }
    answer.fileName = files.takeFirst();
    if (!answer.fileName.isEmpty()) {
        answer.filterIndex = request.filterIndex;
        answer.folder = QFileInfo(answer.fileName).absolutePath();
    }
    return answer;
}

QColor ScriptedPrompts::askColor(QWidget *, const QColor &)
{
    if (colors.isEmpty()) {
        ADD_FAILURE() << "unexpected colour dialog";
        return {};
    }
    return colors.takeFirst();
}

int ScriptedPrompts::runModal(QDialog *dialog)
{
    modalNames.append(dialog->objectName());
    if (modals.isEmpty())
        return QDialog::Rejected;
    const int result = modals.takeFirst()(dialog);
    dialog->setResult(result);
    if (result == QDialog::Accepted)
        emit dialog->accepted();
    return result;
}
