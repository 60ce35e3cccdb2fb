// Journal entries left by an earlier run, as the recovery offer reads them: a
// header that reads must leave exactly the recorded size of text behind it, and
// an entry written from what was read must read back the same.
#include "app/RecoveryJournal.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    RecoveryEntry entry;
    if (!ReadRecoveryHeader(file, entry))
        return 0;
    if (entry.size < 0 || file.pos() + entry.size != bytes.size() || file.pos() > bytes.size())
        std::abort();
    // The same header with the text cut or lengthened by one byte is refused.
    for (const QByteArray &other : {bytes.left(bytes.size() - 1), bytes + 'x'}) {
        if (entry.size == 0 && other.size() < bytes.size())
            continue;
        QByteArray copy = other;
        QBuffer changed(&copy);
        changed.open(QIODevice::ReadOnly);
        RecoveryEntry again;
        if (ReadRecoveryHeader(changed, again))
            std::abort();
    }
    return 0;
}
