#include "app/Startup.h"

#include "app/ChildWin.h"
#include "app/CommandLine.h"
#include "app/DocumentCommands.h"
#include "app/MainForm.h"
#include "app/Recovery.h"
#include "editor/ColorMemo.h"
#include "platform/Processes.h"
#include "platform/QuitSignals.h"
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
    IgnoreFileSizeSignal();

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    // Absolute at once: a name kept for later (journal, reopen list) must not
    // come to mean a file in whatever folder a later run starts in.
    arguments = CommandLineFiles(arguments);
    SettingsStore store;
    // Outlives the main window, whose documents drop their entries as they close.
    RecoveryJournal journal(RecoveryJournal::DefaultRoot());
    TMainForm mainForm(&store, arguments);
    InstallRecovery(mainForm, journal);
    // Asked to end from outside (kill, a closed terminal): nobody is there to
    // answer questions, so every change is kept for the next start.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &mainForm, [&mainForm, &journal](int signal) {
        KeepUnsavedWork(mainForm.documents(), journal);
        QCoreApplication::exit(128 + signal);
    });
    mainForm.show();
    QTimer::singleShot(0, &mainForm, [&mainForm, &journal] { OfferRecovery(mainForm, journal); });

    // Self-check for the end-to-end tests: report each open document with the number
    // of colour rules its editor got, then shut down the normal way.
    const QString report = qEnvironmentVariable("TAGLOOM_REPORT_FILE");
    if (!report.isEmpty()) {
        QTimer::singleShot(500, &mainForm, [&mainForm, report] {
            QFile out(report);
            if (out.open(QIODevice::WriteOnly)) {
                for (TMDIChild *doc : mainForm.documents().list())
                    out.write(
                        (doc->caption() + QStringLiteral("\t%1 colour rules\n").arg(doc->Memo1->ColorRules().Count()))
                            .toUtf8());
            }
            out.close();
            mainForm.close();
        });
    }
    const int result = app.exec();
    // Documents still open (the session ended under them) keep their entries.
    EndRecovery(mainForm.documents(), journal);
    return result;
}
