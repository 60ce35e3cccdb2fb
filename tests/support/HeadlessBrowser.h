#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Loads a page in headless Chromium and reports the DOM the browser built from
// it, so tests check the markup our generators write the way a browser reads it.
struct BrowserPage
{
    bool ran = false;  // false when no browser could be run (see error)
    QString error;     // why it did not run
    // One element per line, two blanks of indent per level, from HTML down:
    // the tag name, then each attribute as NAME="value" in document order.
    // Frames and iframes of the page are outlined under their element. Every
    // line, the last included, ends with a line break.
    QString outline;
    QString probe;             // the value of the probe expression, as text
    QStringList scriptErrors;  // uncaught errors reported by the page's scripts
};

// probeExpression is evaluated in the page's window waitMs (virtual) milliseconds
// after it loaded, after its timers ran; leave it empty for none.
BrowserPage LoadInBrowser(const QByteArray &html, const QString &probeExpression = QString(), int waitMs = 500);

// For a test: skips it where no browser is installed, fails it under CI=true.
#define REQUIRE_BROWSER(page) \
    do { \
        if (!(page).ran) { \
            if (qEnvironmentVariableIsSet("CI")) \
                FAIL() << "headless Chromium is needed: " << (page).error.toStdString(); \
            GTEST_SKIP() << "headless Chromium is not available: " << (page).error.toStdString(); \
        } \
    } while (0)
