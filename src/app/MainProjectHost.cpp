#include "app/MainProjectHost.h"

#include "app/ChildWin.h"
#include "app/MainForm.h"
#include "app/Preview.h"
#include "app/ReopenList.h"

void MainProjectHost::openDocument(const QString &fileName)
{
    m_form.documents().OpenDocument(fileName);
}

QString MainProjectHost::activeDocumentFileName() const
{
    const TMDIChild *active = m_form.documents().active();
    return active ? active->DocumentFileName : QString();
}

void MainProjectHost::previewInBrowser(const QString &fileName)
{
    PreviewInBrowser(fileName);
}

void MainProjectHost::rememberProject(const QString &fileName)
{
    AddToReopenList(ProjectReopenList, fileName);
    SaveReopenList(ProjectReopenList, ProjectReopenSection, m_form.store());
}

void MainProjectHost::buildProjectReopenMenu(QMenu *menu, std::function<void(const QString &)> onClick)
{
    BuildReopenMenu(ProjectReopenList, menu, std::move(onClick));
}
