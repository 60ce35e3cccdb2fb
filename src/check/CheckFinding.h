#pragma once

#include <QList>
#include <QString>

enum class CheckSeverity { Info, Warning, Error };

// One problem found in a page. The offset is a byte offset into the text that
// was checked; line and column (1-based, in characters) say the same place.
struct CheckFinding
{
    CheckSeverity severity = CheckSeverity::Error;
    qint64 offset = -1;  // -1 when the finding is about the whole page
    qint64 length = 0;
    int line = 0;
    int column = 0;
    QString message;
    QString text;  // the text at fault, on one line
};

struct PageFindings
{
    QString file;
    QList<CheckFinding> findings;
};
