#pragma once

#include <QString>

// What a dialog field becomes inside markup. Values are written as typed, so
// entities the user typed stay entities; only what would break the markup changes.

// CR, LF and CR LF become one blank each: a one-line field never splits a tag.
QString OneLine(const QString &typed);

// A value for a double-quoted attribute: one line, and `"` written as `&quot;`.
QString QuotedValue(const QString &typed);
