#pragma once

#include <QByteArray>
#include <QString>

enum class RegularFileRead { Read, CannotOpen, NotRegular, TooLarge };

// Reads a whole file that is a regular file of at most maxBytes. A folder, FIFO
// or device at the name is refused without reading: the open does not block, so
// a FIFO put there by another program cannot hold the caller.
RegularFileRead ReadRegularFile(const QString &fileName, qint64 maxBytes, QByteArray *bytes);
