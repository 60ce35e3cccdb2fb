#include "platform/Prompts.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>

namespace {
Prompts *g_prompts = nullptr;
}

Prompts &Prompts::instance()
{
    static QtPrompts qtPrompts;
    return g_prompts ? *g_prompts : qtPrompts;
}

void Prompts::setInstance(Prompts *prompts)
{
    g_prompts = prompts;
}

QMessageBox::StandardButton QtPrompts::message(QWidget *parent, const QString &caption, const QString &text,
                                               QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    // Messages quote find texts and file names: "<B>" is shown, not obeyed.
    box.setTextFormat(Qt::PlainText);
    // The program's answer to "for every one" reads "All", not Qt's "Yes to All".
    if (QAbstractButton *all = box.button(QMessageBox::YesToAll))
        all->setText(QStringLiteral("All"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton Prompts::messageWithDetail(QWidget *parent, const QString &caption, const QString &text,
                                                       const QString &detail, QMessageBox::Icon icon,
                                                       QMessageBox::StandardButtons buttons)
{
    return message(parent, caption, detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail, icon, buttons);
}

QMessageBox::StandardButton QtPrompts::messageWithDetail(QWidget *parent, const QString &caption, const QString &text,
                                                         const QString &detail, QMessageBox::Icon icon,
                                                         QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    // Messages quote find texts and file names: "<B>" is shown, not obeyed.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(detail);
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Prompts::FileAnswer QtPrompts::askFile(QWidget *parent, const FileRequest &request)
{
    QFileDialog dialog(parent, request.caption, request.folder);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size())
        dialog.selectNameFilter(request.filters.at(request.filterIndex));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    FileAnswer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        answer.fileName = dialog.selectedFiles().constFirst();
        answer.filterIndex = int(request.filters.indexOf(dialog.selectedNameFilter()));
        answer.folder = dialog.directory().absolutePath();
    }
    return answer;
}

QColor QtPrompts::askColor(QWidget *parent, const QColor &initial)
{
    return QColorDialog::getColor(initial, parent);
}

int QtPrompts::runModal(QDialog *dialog)
{
    return dialog->exec();
}
