#include "support/HeadlessBrowser.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

namespace {

// The page goes into an iframe of a harness page that outlines its DOM into
// a <pre> once it has loaded and its timers have had time to run.
QByteArray harness(const QString &probe, int waitMs)
{
    QByteArray js = R"JS(
function tlOutline(node, depth, out) {
  var line = '  '.repeat(depth) + node.tagName;
  for (var i = 0; i < node.attributes.length; i++) {
    var a = node.attributes[i];
    line += ' ' + a.name.toUpperCase() + '="' + a.value + '"';
  }
  out.push(line);
  for (var c = node.firstElementChild; c; c = c.nextElementSibling) tlOutline(c, depth + 1, out);
  if ((node.tagName === 'FRAME' || node.tagName === 'IFRAME') && node.contentDocument && node.contentDocument.documentElement)
    tlOutline(node.contentDocument.documentElement, depth + 1, out);
}
function tlDone() {
  var frame = document.getElementById('tlPage');
  var out = [];
  var probe = '';
  try {
    tlOutline(frame.contentDocument.documentElement, 0, out);
    probe = String(frame.contentWindow.eval(PROBE));
  } catch (e) { probe = 'probe error: ' + e; }
  document.getElementById('tlOutline').textContent = out.join('\n');
  document.getElementById('tlProbe').textContent = probe;
}
document.getElementById('tlPage').addEventListener('load', function () { setTimeout(tlDone, WAIT); });
)JS";
    QString probeLiteral = probe.isEmpty() ? QStringLiteral("''") : probe;
    // The probe is evaluated as given; it is the test's own expression.
    probeLiteral.replace(QLatin1String("\\"), QLatin1String("\\\\")).replace(QLatin1String("'"), QLatin1String("\\'"));
    js.replace("PROBE", "'" + probeLiteral.toUtf8() + "'");
    js.replace("WAIT", QByteArray::number(waitMs));
    return "<!DOCTYPE html><html><body><iframe id=\"tlPage\" src=\"page.html\"></iframe>"
           "<pre id=\"tlOutline\"></pre><pre id=\"tlProbe\"></pre><script>"
           + js + "</script></body></html>";
}

QString preText(const QString &dom, const QString &id)
{
    const QRegularExpression re(QStringLiteral("<pre id=\"%1\">(.*?)</pre>").arg(id),
                                QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(dom);
    if (!m.hasMatch())
        return QString();
    return QTextDocumentFragment::fromHtml(QStringLiteral("<pre>") + m.captured(1) + QStringLiteral("</pre>"))
        .toPlainText();
}

}  // namespace

BrowserPage LoadInBrowser(const QByteArray &html, const QString &probeExpression, int waitMs)
{
    BrowserPage page;
    QString browser;
    for (const char *name : {"chromium", "chromium-browser", "google-chrome"}) {
        browser = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!browser.isEmpty())
            break;
    }
    if (browser.isEmpty()) {
        page.error = QStringLiteral("no chromium on PATH");
        return page;
    }
    QTemporaryDir dir;
    QFile pageFile(dir.filePath(QStringLiteral("page.html")));
    QFile harnessFile(dir.filePath(QStringLiteral("harness.html")));
    if (!pageFile.open(QIODevice::WriteOnly) || pageFile.write(html) != html.size()
        || !harnessFile.open(QIODevice::WriteOnly) || harnessFile.write(harness(probeExpression, waitMs)) < 0) {
        page.error = QStringLiteral("cannot write the pages");
        return page;
    }
    pageFile.close();
    harnessFile.close();

    QProcess chromium;
    chromium.setProgram(browser);
    chromium.setArguments({QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                           QStringLiteral("--disable-gpu"), QStringLiteral("--no-first-run"),
                           QStringLiteral("--allow-file-access-from-files"), QStringLiteral("--enable-logging=stderr"),
                           QStringLiteral("--v=0"),
                           QStringLiteral("--user-data-dir=") + dir.filePath(QStringLiteral("profile")),
                           QStringLiteral("--virtual-time-budget=%1").arg(waitMs + 5000), QStringLiteral("--dump-dom"),
                           QStringLiteral("file://") + harnessFile.fileName()});
    chromium.start();
    if (!chromium.waitForStarted(10000)) {
        page.error = QStringLiteral("cannot start ") + browser;
        return page;
    }
    if (!chromium.waitForFinished(60000)) {
        chromium.kill();
        chromium.waitForFinished();
        page.error = QStringLiteral("the browser did not finish within a minute");
        return page;
    }
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    const QString log = QString::fromUtf8(chromium.readAllStandardError());
    page.outline = preText(dom, QStringLiteral("tlOutline"));
    page.probe = preText(dom, QStringLiteral("tlProbe"));
    if (!page.outline.isEmpty() && !page.outline.endsWith(QLatin1Char('\n')))
        page.outline += QLatin1Char('\n');
    if (page.outline.isEmpty()) {
        page.error = QStringLiteral("no DOM came back: ") + log.right(2000);
        return page;
    }
    // Console lines of uncaught errors look like: ... CONSOLE(12)] "Uncaught ReferenceError: x", source: ...
    static const QRegularExpression uncaught(QStringLiteral("CONSOLE[^\\n]*\"(Uncaught[^\\n]*)"));
    for (auto it = uncaught.globalMatch(log); it.hasNext();)
        page.scriptErrors.append(it.next().captured(1));
    page.ran = true;
    return page;
}
