#include "app/RecoveryJournal.h"

#include "platform/Processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>
#include <QFileInfo>
#include <QSysInfo>
#include <QUuid>
#include <algorithm>

namespace {
const QByteArray Magic = "TAGLOOM-RECOVERY 1\n";
const QString LockSuffix = QStringLiteral(".lock");
const QString Suffix = QStringLiteral(".journal");

QString failure(const QString &path, const QString &error)
{
    return QStringLiteral("cannot write %1 (%2)").arg(QDir::toNativeSeparators(path), error);
}

// The lock of a run that ended without unlocking: its process is gone.
bool ownerIsGone(const QLockFile &lock)
{
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app))
        return false;  // unreadable, or being written by an instance starting now
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    // A number taken since by another program keeps the entries until that one ends.
    return ProcessIsGone(pid);
}
}  // namespace

bool ReadRecoveryHeader(QIODevice &file, RecoveryEntry &entry)
{
    if (file.read(Magic.size()) != Magic)
        return false;
    const QByteArray line = file.readLine(1 << 20);
    const QJsonObject o = QJsonDocument::fromJson(line).object();
    if (o.isEmpty())
        return false;
    entry.meta.fileName = o.value(QLatin1String("fileName")).toString();
    entry.meta.caption = o.value(QLatin1String("caption")).toString();
    entry.meta.utf8 = o.value(QLatin1String("utf8")).toBool(true);
    entry.meta.caret = o.value(QLatin1String("caret")).toInt();
    const QJsonObject disk = o.value(QLatin1String("loaded")).toObject();
    entry.meta.loaded.exists = disk.value(QLatin1String("exists")).toBool();
    entry.meta.loaded.size = disk.value(QLatin1String("size")).toString().toLongLong();
    entry.meta.loaded.mtimeNs = disk.value(QLatin1String("mtimeNs")).toString().toLongLong();
    entry.meta.loaded.inode = disk.value(QLatin1String("inode")).toString().toLongLong();
    entry.meta.loaded.ctimeNs = disk.value(QLatin1String("ctimeNs")).toString().toLongLong();
    // Entries written before these were kept were loaded from regular files.
    entry.meta.loaded.regular = disk.value(QLatin1String("regular")).toBool(entry.meta.loaded.exists);
    // A number beyond any file, converted as it is, would not fit qint64.
    const double size = o.value(QLatin1String("size")).toDouble(-1);
    if (!(size >= 0 && size < 0x1p62))
        return false;
    entry.size = qint64(size);
    entry.written = QDateTime::fromString(o.value(QLatin1String("written")).toString(), Qt::ISODateWithMs);
    return file.size() - file.pos() == entry.size;
}

QByteArray RecoveryEntry::text(bool *ok) const
{
    QFile file(path);
    RecoveryEntry check;
    QByteArray bytes;
    const bool good = file.open(QIODevice::ReadOnly) && ReadRecoveryHeader(file, check)
                      && (bytes = file.readAll()).size() == check.size;
    if (ok)
        *ok = good;
    return good ? bytes : QByteArray();
}

QString RecoveryJournal::DefaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

RecoveryJournal::RecoveryJournal(const QString &root) : m_root(root)
{
    m_pool.setMaxThreadCount(1);  // entries are written in the order asked
    m_pool.setExpiryTimeout(-1);
    setUp();
}

bool RecoveryJournal::setUp()
{
    if (isActive()) {
        // Deleted under the running program: made again, so later entries have a
        // place, the lock first, so no other instance takes them for a dead run's.
        const QString lockFile = m_folder + LockSuffix;
        if (!QFileInfo::exists(lockFile) && (!QDir().mkpath(m_root) || (m_lock->unlock(), !m_lock->tryLock(0)))) {
            setSetupProblem(QStringLiteral("cannot lock %1").arg(QDir::toNativeSeparators(lockFile)));
            return false;
        }
        if (!QFileInfo(m_folder).isDir() && !QDir().mkpath(m_folder)) {
            setSetupProblem(QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(m_folder)));
            return false;
        }
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setSetupProblem(QString());
        return true;
    }
    const QString folder = QDir(m_root).filePath(QStringLiteral("run-")
                                                 + QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!QDir().mkpath(m_root)) {
        setSetupProblem(QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(m_root)));
        return false;
    }
    // The lock beside the folder is taken before the folder exists, so another
    // instance looking for left entries never sees this one's folder unlocked.
    m_lock = std::make_unique<QLockFile>(folder + LockSuffix);
    m_lock->setStaleLockTime(0);  // held for the whole run: only a dead owner makes it stale
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        setSetupProblem(QStringLiteral("cannot lock %1").arg(QDir::toNativeSeparators(folder + LockSuffix)));
        return false;
    }
    if (!QDir().mkdir(folder)) {
        m_lock->unlock();
        m_lock.reset();
        setSetupProblem(QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_folder = folder;
    setSetupProblem(QString());
    return true;
}

bool RecoveryJournal::retry()
{
    return setUp();
}

QString RecoveryJournal::problem() const
{
    QMutexLocker lock(&m_mutex);
    if (!m_setupProblem.isEmpty())
        return m_setupProblem;
    return m_failed.isEmpty() ? QString() : *m_failed.constBegin();
}

void RecoveryJournal::updateProblem(const std::function<void()> &change)
{
    const QString before = problem();
    {
        QMutexLocker lock(&m_mutex);
        change();
    }
    if (problem() != before)
        emit problemChanged();
}

void RecoveryJournal::setSetupProblem(const QString &problem)
{
    updateProblem([&] { m_setupProblem = problem; });
}

void RecoveryJournal::noteWrite(int id, const QString &error)
{
    updateProblem([&] {
        if (error.isEmpty())
            m_failed.remove(id);
        else
            m_failed.insert(id, error);
    });
}

RecoveryJournal::~RecoveryJournal()
{
    waitForWrites();
    releaseClaimed();
}

QString RecoveryJournal::entryPath(int id) const
{
    return QDir(m_folder).filePath(QString::number(id) + Suffix);
}

bool RecoveryJournal::writeEntry(const QString &path, const RecoveryMeta &meta, QByteArrayView text, QString *error)
{
    QJsonObject o;
    o.insert(QLatin1String("fileName"), meta.fileName);
    o.insert(QLatin1String("caption"), meta.caption);
    o.insert(QLatin1String("utf8"), meta.utf8);
    o.insert(QLatin1String("caret"), meta.caret);
    // As strings: nanosecond times do not fit a JSON number exactly.
    o.insert(QLatin1String("loaded"), QJsonObject{{QLatin1String("exists"), meta.loaded.exists},
                                                  {QLatin1String("size"), QString::number(meta.loaded.size)},
                                                  {QLatin1String("mtimeNs"), QString::number(meta.loaded.mtimeNs)},
                                                  {QLatin1String("inode"), QString::number(meta.loaded.inode)},
                                                  {QLatin1String("ctimeNs"), QString::number(meta.loaded.ctimeNs)},
                                                  {QLatin1String("regular"), meta.loaded.regular}});
    o.insert(QLatin1String("size"), double(text.size()));
    o.insert(QLatin1String("written"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    const QByteArray header = QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
    const QByteArrayView pieces[] = {Magic, header, text};
    return WriteFileSafely(path, pieces, error);
}

void RecoveryJournal::write(int id, const RecoveryMeta &meta, QByteArray text)
{
    if (!isActive() && !setUp())
        return;
    quint64 generation;
    {
        QMutexLocker lock(&m_mutex);
        generation = ++m_generation[id];
    }
    const QString path = entryPath(id);
    m_pool.start([this, id, generation, path, meta, text = std::move(text)] {
        {
            QMutexLocker lock(&m_mutex);
            if (m_generation.value(id) != generation)
                return;  // a newer copy is queued
        }
        QString error;
        noteWrite(id, writeEntry(path, meta, text, &error) ? QString() : failure(path, error));
    });
}

bool RecoveryJournal::writeNow(int id, const RecoveryMeta &meta, QByteArrayView text)
{
    if (!isActive() && !setUp())
        return false;
    {
        QMutexLocker lock(&m_mutex);
        ++m_generation[id];
    }
    waitForWrites();
    const QString path = entryPath(id);
    QString error;
    const bool ok = writeEntry(path, meta, text, &error);
    noteWrite(id, ok ? QString() : failure(path, error));
    return ok;
}

void RecoveryJournal::remove(int id)
{
    if (!isActive() || m_keep)
        return;
    {
        QMutexLocker lock(&m_mutex);
        ++m_generation[id];
    }
    const QString path = entryPath(id);
    // Queued behind any write of the same entry, so that one cannot bring it back.
    m_pool.start([this, id, path] {
        QFile::remove(path);
        noteWrite(id, QString());  // nothing of it left to protect
    });
}

void RecoveryJournal::waitForWrites()
{
    m_pool.waitForDone();
}

void RecoveryJournal::cleanExit()
{
    if (!isActive() || m_keep)
        return;
    waitForWrites();
    QDir dir(m_folder);
    for (const QString &name : dir.entryList({QStringLiteral("*") + Suffix}, QDir::Files))
        dir.remove(name);
    QDir().rmdir(m_folder);
    m_lock->unlock();
    m_lock.reset();
    m_folder.clear();
}

QList<RecoveryEntry> RecoveryJournal::claimLeftEntries()
{
    QList<RecoveryEntry> entries;
    const QDir root(m_root);
    for (const QString &name : root.entryList({QStringLiteral("run-*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = root.filePath(name);
        if (folder == m_folder || m_claimedFolders.contains(folder))
            continue;
        auto lock = std::make_unique<QLockFile>(folder + LockSuffix);
        lock->setStaleLockTime(0);
        // Held by a running instance: its entries are its own.
        if (!lock->tryLock(0) && !(ownerIsGone(*lock) && lock->removeStaleLockFile() && lock->tryLock(0)))
            continue;
        QDir dir(folder);
        for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*") + Suffix}, QDir::Files, QDir::Name)) {
            RecoveryEntry entry;
            entry.path = info.absoluteFilePath();
            QFile file(entry.path);
            if (file.open(QIODevice::ReadOnly) && ReadRecoveryHeader(file, entry))
                entries.append(entry);
        }
        m_claimed.push_back(std::move(lock));
        m_claimedFolders.append(folder);
    }
    std::sort(entries.begin(), entries.end(),
              [](const RecoveryEntry &a, const RecoveryEntry &b) { return a.written < b.written; });
    return entries;
}

void RecoveryJournal::discard(const RecoveryEntry &entry)
{
    QFile::remove(entry.path);
}

void RecoveryJournal::releaseClaimed()
{
    // A folder with nothing left to offer goes, before its lock is let go.
    for (const QString &folder : std::as_const(m_claimedFolders)) {
        QDir dir(folder);
        if (dir.entryList(QDir::Files | QDir::Hidden).isEmpty())
            QDir().rmdir(folder);
    }
    m_claimedFolders.clear();
    for (auto &lock : m_claimed)
        lock->unlock();
    m_claimed.clear();
}
