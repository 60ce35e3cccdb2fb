#pragma once

#include <QString>
#include <QStringList>

class TextDocument;

// Each browser request waits at most this long for the browser's answer.
constexpr int BrowserRequestTimeoutMs = 10000;

// The open request of each DDE browser for a file name.
QString InternetExplorerOpenRequest(const QString &fileName);
QString NetscapeOpenRequest(const QString &fileName);

// The program and arguments of the "Other" viewer for a file name: the viewer
// path (split into program and arguments unless it names a file as a whole),
// then the file name as one argument.
QStringList ViewerCommandLine(const QString &viewerFileName, const QString &fileName);

// The two conversations with a DDE browser: "WWW_Activate", then "WWW_OpenURL".
void SendToBrowser(const QString &service, const QString &request);

// What a browser is handed for a file name or an address: an address as it is,
// a file name made absolute. A browser takes an argument that starts with "-"
// for an option, and a relative one for a file in its own folder.
QString BrowserTarget(const QString &target);

// Shows a file name or an address in the browser chosen in the settings.
void PreviewInBrowser(const QString &target);

// The preview command: offers to save a modified document, then shows its file.
void PreviewDocument(TextDocument &doc);
