#pragma once

#include "project/ProjectHost.h"

class TMainForm;

// The project panel's view of the main window.
class MainProjectHost : public ProjectHost
{
public:
    explicit MainProjectHost(TMainForm &form) : m_form(form) {}

    void openDocument(const QString &fileName) override;
    QString activeDocumentFileName() const override;
    void previewInBrowser(const QString &fileName) override;
    void rememberProject(const QString &fileName) override;
    void buildProjectReopenMenu(QMenu *menu, std::function<void(const QString &)> onClick) override;

private:
    TMainForm &m_form;
};
