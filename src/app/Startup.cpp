#include "app/Startup.h"

#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "editor/ColorMemo.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>

int RunTagloom(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Tagloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tagloom"));
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tagloom.Tagloom"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.tagloom.Tagloom")));
    RegisterAllDocumentCommands();

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    SettingsStore store;
    TMainForm mainForm(&store, arguments);
    mainForm.show();

    // Self-check for the end-to-end tests: report each open document with the number
    // of colour rules its editor got, then shut down the normal way.
    const QString report = qEnvironmentVariable("TAGLOOM_REPORT_FILE");
    if (!report.isEmpty()) {
        QTimer::singleShot(500, &mainForm, [&mainForm, report] {
            QFile out(report);
            if (out.open(QIODevice::WriteOnly)) {
                for (TMDIChild *doc : DocumentList())
                    out.write((doc->caption() + QStringLiteral("\t%1 colour rules\n")
                                                    .arg(doc->Memo1->ColorRules().Count())).toUtf8());
            }
            out.close();
            mainForm.close();
        });
    }
    return app.exec();
}
