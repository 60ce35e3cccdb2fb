#include "app/Startup.h"

#include "app/ChildWin.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

int RunTagloom(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Tagloom"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tagloom"));
    RegisterAllDocumentCommands();

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    SettingsStore store;
    TMainForm mainForm(&store, arguments);
    mainForm.show();

    // Self-check for the end-to-end test: report the open documents, then shut down the normal way.
    const QString report = qEnvironmentVariable("TAGLOOM_REPORT_FILE");
    if (!report.isEmpty()) {
        QTimer::singleShot(500, &mainForm, [&mainForm, report] {
            QFile out(report);
            if (out.open(QIODevice::WriteOnly)) {
                for (TMDIChild *doc : DocumentList())
                    out.write((doc->caption() + QLatin1Char('\n')).toUtf8());
            }
            out.close();
            mainForm.close();
        });
    }
    return app.exec();
}
