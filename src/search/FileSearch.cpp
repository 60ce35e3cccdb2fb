#include "search/FileSearch.h"

#include "platform/RegularFileRead.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <bit>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// A pattern that matches everywhere would bury the panel; the first ones say enough.
constexpr int kMaxMatchesPerFile = 10000;
constexpr qsizetype kBinaryProbe = 8192;
// How much of a long line is shown before and after the match.
constexpr qsizetype kContextBefore = 80;
constexpr qsizetype kContextAfter = 160;

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

qsizetype charsIn(QByteArrayView bytes, bool utf8)
{
    if (!utf8)
        return bytes.size();
    qsizetype n = 0;
    for (const char c : bytes)
        n += !isContinuation(uchar(c));
    return n;
}

// Walks line breaks (CR LF, LF or CR) up to a place, counting lines and the
// lone CR or LF that loading will turn into CR LF.
class LineCounter
{
public:
    explicit LineCounter(QByteArrayView text) : m_text(text) {}

    void advanceTo(qsizetype to)
    {
        const auto *b = reinterpret_cast<const unsigned char *>(m_text.data());
        qsizetype i = m_pos;
#if defined(__SSE2__)
        // Lines are short next to the text before a match: sixteen bytes at a
        // time, stopping only at line-break bytes.
        const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
        for (; i + 16 <= to; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + i));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
            for (; mask; mask &= mask - 1)
                lineBreakByte(b, i + std::countr_zero(mask));
        }
#endif
        for (; i < to; ++i) {
            if (b[i] == '\n' || b[i] == '\r')
                lineBreakByte(b, i);
        }
        m_pos = qMax(m_pos, to);
    }

    int line() const
    {
        return m_line;
    }
    qsizetype lineStart() const
    {
        return m_lineStart;
    }
    qsizetype lone() const
    {
        return m_lone;
    }

private:
    // A CR LF counts at its LF; a lone CR or LF on its own.
    void lineBreakByte(const unsigned char *b, qsizetype i)
    {
        if (b[i] == '\n') {
            ++m_line;
            m_lone += (i == 0 || b[i - 1] != '\r');
            m_lineStart = i + 1;
        } else if (!(i + 1 < m_text.size() && b[i + 1] == '\n')) {
            ++m_line;
            ++m_lone;
            m_lineStart = i + 1;
        }
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    qsizetype m_lineStart = 0;
    qsizetype m_lone = 0;
};

qsizetype loneBreaksIn(QByteArrayView text, qsizetype from, qsizetype to)
{
    qsizetype lone = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char c = text[i];
        const bool loneLf = c == '\n' && (i == 0 || text[i - 1] != '\r');
        const bool loneCr = c == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n');
        lone += loneLf || loneCr;
    }
    return lone;
}

}  // namespace

QStringList SplitFilePatterns(const QString &text)
{
    QStringList out;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (!p.isEmpty())
            out << p;
    }
    return out;
}

TextSearchers::TextSearchers(const QString &findText, const SearchOptions &options)
    : m_findText(findText), m_options(options)
{
    m_asciiLiteral = !options.regex
                     && std::all_of(findText.cbegin(), findText.cend(), [](QChar c) { return c.unicode() < 128; });
    if (options.regex && options.matchCase)
        m_regexPrefix = RegexLiteralPrefix(findText.toUtf8());
}

TextSearchers::~TextSearchers() = default;

TextSearcher *TextSearchers::forEncoding(bool utf8)
{
    if (utf8) {
        if (!m_utf8Made) {
            m_utf8Made = true;
            m_utf8 = std::make_unique<TextSearcher>(m_findText.toUtf8(), m_options, true);
        }
        return m_utf8->isValid() ? m_utf8.get() : nullptr;
    }
    if (!m_bytesMade) {
        m_bytesMade = true;
        const bool latin1 = std::all_of(m_findText.cbegin(), m_findText.cend(),
                                        [](QChar c) { return c.unicode() < 256; });
        if (latin1)
            m_bytes = std::make_unique<TextSearcher>(m_findText.toLatin1(), m_options, false);
    }
    return m_bytes && m_bytes->isValid() ? m_bytes.get() : nullptr;
}

FileResult SearchFileText(const QString &file, QByteArrayView bytes, std::optional<bool> utf8, TextSearchers &searchers,
                          bool *binary)
{
    FileResult result;
    result.file = file;
    // A text from disk is placed as loading will make it; an open document's as it is.
    const bool fromDisk = !utf8.has_value();
    if (binary)
        *binary = false;
    if (fromDisk && !bytes.isEmpty() && std::memchr(bytes.data(), 0, size_t(qMin(bytes.size(), kBinaryProbe)))) {
        if (binary)
            *binary = true;
        return result;
    }
    // An ASCII literal finds the same bytes in any encoding: the encoding is
    // worked out only for a file that has matches.
    if (fromDisk && !searchers.regexPrefix().isEmpty() && FindBytes(bytes, 0, searchers.regexPrefix(), true) < 0)
        return result;
    TextSearcher *searcher = nullptr;
    if (searchers.asciiLiteral() && fromDisk) {
        searcher = searchers.forEncoding(true);
        if (!searcher || !searcher->findForward(bytes, 0).found())
            return result;
    }
    const bool isUtf8 = utf8.has_value() ? *utf8 : bytes.isValidUtf8();
    if (!searcher)
        searcher = searchers.forEncoding(isUtf8);
    if (!searcher)
        return result;
    const auto decode = [isUtf8](QByteArrayView b) { return isUtf8 ? QString::fromUtf8(b) : QString::fromLatin1(b); };

    LineCounter lines(bytes);
    int lastLine = 0;
    qsizetype columnFrom = 0;
    qsizetype column = 0;
    for (TextMatch m = searcher->findForward(bytes, 0); m.found() && result.matches.size() < kMaxMatchesPerFile;
         m = searcher->findForward(bytes, m.end(), m.length == 0 ? m.end() : -1)) {
        lines.advanceTo(m.start);
        FileMatch fm;
        fm.line = lines.line();
        if (fm.line != lastLine) {
            lastLine = fm.line;
            columnFrom = lines.lineStart();
            column = 0;
        }
        column += charsIn(bytes.sliced(columnFrom, m.start - columnFrom), isUtf8);
        columnFrom = m.start;
        fm.column = int(qMin<qsizetype>(column + 1, INT_MAX));
        fm.fileOffset = m.start;
        fm.offset = m.start + (fromDisk ? lines.lone() : 0);
        fm.length = m.length + (fromDisk ? loneBreaksIn(bytes, m.start, m.end()) : 0);

        // The line around the match, one line, cut short when long.
        qsizetype from = qMax(lines.lineStart(), m.start - kContextBefore);
        if (isUtf8) {
            while (from < m.start && isContinuation(uchar(bytes[from])))
                ++from;
        }
        const qsizetype limit = qMin(bytes.size(), m.end() + kContextAfter);
        qsizetype to = m.start;
        while (to < limit && bytes[to] != '\r' && bytes[to] != '\n')
            ++to;
        if (isUtf8) {
            while (to < bytes.size() && to > m.start && isContinuation(uchar(bytes[to])))
                --to;
        }
        fm.text = decode(bytes.sliced(from, to - from));
        fm.markStart = int(charsIn(bytes.sliced(from, m.start - from), isUtf8));
        fm.markLength = int(charsIn(bytes.sliced(m.start, qMin(m.end(), to) - m.start), isUtf8));
        result.matches.append(std::move(fm));
    }
    result.error = searcher->error();
    return result;
}

struct FileSearch::Shared
{
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<QString> queue;
    QList<FileResult> results;
    QList<SkippedFile> skipped;
    std::vector<std::thread> threads;
    int working = 0;
};

FileSearch::FileSearch(FileSearchRequest request, QObject *parent)
    : QObject(parent), m_request(std::move(request)), m_shared(std::make_unique<Shared>())
{}

FileSearch::~FileSearch()
{
    cancel();
    for (std::thread &t : m_shared->threads)
        t.join();
}

void FileSearch::cancel()
{
    m_cancelled = true;
    std::lock_guard lock(m_shared->mutex);
    m_shared->wake.notify_all();
}

bool FileSearch::start()
{
    TextSearcher check(m_request.findText.toUtf8(), m_request.options, true);
    if (!check.isValid()) {
        m_error = check.error();
        m_finished = true;
        return false;
    }
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    m_shared->working = workers;
    m_shared->threads.emplace_back([this] { list(); });
    for (int i = 0; i < workers; ++i)
        m_shared->threads.emplace_back([this] { work(); });
    return true;
}

void FileSearch::runHere()
{
    TextSearcher check(m_request.findText.toUtf8(), m_request.options, true);
    if (!check.isValid()) {
        m_error = check.error();
        m_finished = true;
        emit finished();
        return;
    }
    m_shared->working = 1;
    list();
    work();
}

void FileSearch::list()
{
    std::vector<QString> batch;
    const auto flush = [&] {
        std::lock_guard lock(m_shared->mutex);
        for (QString &f : batch)
            m_shared->queue.push_back(std::move(f));
        m_listed += qint64(batch.size());
        batch.clear();
        m_shared->wake.notify_all();
    };
    if (m_request.useFiles) {
        for (const QString &f : m_request.files)
            batch.push_back(f);
    } else {
        // From the folder's real name, so that the names listed are the ones
        // open documents are known by.
        QString root = QFileInfo(m_request.folder).canonicalFilePath();
        if (root.isEmpty())
            root = m_request.folder;
        QDirIterator it(root, m_request.patterns, QDir::Files | QDir::NoSymLinks | QDir::Hidden | QDir::System,
                        m_request.subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        while (!m_cancelled && it.hasNext()) {
            batch.push_back(it.next());
            if (batch.size() >= 256)
                flush();
        }
    }
    flush();
    std::lock_guard lock(m_shared->mutex);
    m_listingDone = true;
    m_shared->wake.notify_all();
}

void FileSearch::work()
{
    TextSearchers searchers(m_request.findText, m_request.options);
    for (;;) {
        QString file;
        {
            std::unique_lock lock(m_shared->mutex);
            m_shared->wake.wait(lock, [this] { return m_cancelled || m_listingDone || !m_shared->queue.empty(); });
            if (m_cancelled || m_shared->queue.empty())
                break;
            file = std::move(m_shared->queue.front());
            m_shared->queue.pop_front();
        }
        searchOne(file, searchers);
    }
    bool last = false;
    {
        std::lock_guard lock(m_shared->mutex);
        last = --m_shared->working == 0;
    }
    if (last) {
        m_finished = true;
        emit finished();
    }
}

void FileSearch::searchOne(const QString &file, TextSearchers &searchers)
{
    auto open = m_request.openTexts.constFind(file);
    if (open == m_request.openTexts.cend() && m_request.useFiles) {
        const QString canonical = QFileInfo(file).canonicalFilePath();
        if (!canonical.isEmpty())
            open = m_request.openTexts.constFind(canonical);
    }
    FileResult result;
    if (open != m_request.openTexts.cend()) {
        result = SearchFileText(file, open->bytes, open->utf8, searchers);
    } else {
        QByteArray bytes;
        switch (ReadRegularFile(file, m_request.maxFileSize, &bytes)) {
        case RegularFileRead::Read:
            break;
        case RegularFileRead::TooLarge:
            skip(file, QStringLiteral("too big"));
            return;
        case RegularFileRead::NotRegular:
            return;
        case RegularFileRead::CannotOpen:
            skip(file, QStringLiteral("unreadable"));
            return;
        }
        bool binary = false;
        result = SearchFileText(file, bytes, std::nullopt, searchers, &binary);
        if (binary) {
            skip(file, QStringLiteral("binary"));
            ++m_searched;
            return;
        }
    }
    ++m_searched;
    if (!result.error.isEmpty())
        skip(file, result.error);
    if (!result.matches.isEmpty())
        publish(std::move(result));
    else
        notify();
}

void FileSearch::publish(FileResult &&result)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->results.append(std::move(result));
    }
    notify();
}

void FileSearch::skip(const QString &file, const QString &reason)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->skipped.append({file, reason});
    }
    notify();
}

void FileSearch::notify()
{
    if (!m_notified.exchange(true))
        emit resultsReady();
}

QList<FileResult> FileSearch::takeResults()
{
    m_notified = false;
    std::lock_guard lock(m_shared->mutex);
    return std::exchange(m_shared->results, {});
}

QList<SkippedFile> FileSearch::takeSkipped()
{
    std::lock_guard lock(m_shared->mutex);
    return std::exchange(m_shared->skipped, {});
}
