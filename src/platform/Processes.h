#pragma once

#include <QtGlobal>

// Process calls that only some systems have, kept here so the rest of the
// program stays portable.

// A write past the file size limit should fail with an error the save can
// report, not end the program (SIGXFSZ). Does nothing where there is no such signal.
void IgnoreFileSizeSignal();

// True when no process with this number runs on this machine any more.
bool ProcessIsGone(qint64 pid);
