#pragma once

#include "search/TextSearch.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <optional>

// One match in a file, placed as the editor will show the file: `offset` and
// `length` count the bytes of the document as loaded, where every lone CR or
// LF has become CR LF; `line` and `column` are 1-based, the column in
// characters; `text` is the line (a part of it around the match when long)
// with the match at markStart/markLength characters.
struct FileMatch
{
    int line = 0;
    int column = 0;
    qint64 offset = -1;
    qint64 length = 0;
    qint64 fileOffset = -1;  // in the bytes searched
    QString text;
    int markStart = 0;
    int markLength = 0;
};

struct FileResult
{
    QString file;
    QList<FileMatch> matches;
    QString error;  // the search of this file stopped (a pattern that backtracks too much)
};

struct SkippedFile
{
    QString file;
    QString reason;  // "unreadable", "too big", "binary"
};

// A text already in memory: an open document's current text.
struct OpenText
{
    QByteArray bytes;
    bool utf8 = true;
};

struct FileSearchRequest
{
    QString findText;  // as typed; encoded into each file's encoding
    SearchOptions options;
    QString folder;
    QStringList patterns;  // "*.htm", ...; none means every file
    bool subfolders = true;
    // When set, exactly these files are searched instead of the folder (a project).
    QStringList files;
    bool useFiles = false;
    // Open documents, by canonical file name: searched in place of the file.
    QHash<QString, OpenText> openTexts;
    qint64 maxFileSize = 64 * 1024 * 1024;
};

// "*.htm;*.html" into its patterns, blanks trimmed.
QStringList SplitFilePatterns(const QString &text);

// Searches one text and gives every match with its place; a file holding a NUL
// in its first 8 KB is binary and not searched (`binary` set). With
// `maxMatches` reached the rest of the file is not searched.
struct TextSearchers;
FileResult SearchFileText(const QString &file, QByteArrayView bytes, std::optional<bool> utf8, TextSearchers &searchers,
                          bool *binary = nullptr);

// The searchers of one thread: one for UTF-8 texts and one for byte texts, made
// when first needed.
struct TextSearchers
{
    explicit TextSearchers(const QString &findText, const SearchOptions &options);
    ~TextSearchers();
    // nullptr when the find text cannot be written in that encoding.
    TextSearcher *forEncoding(bool utf8);
    // The find text has only ASCII: a literal search then finds the same in either encoding.
    bool asciiLiteral() const { return m_asciiLiteral; }
    // ASCII bytes every match of a regular expression starts with (match
    // case only), the same in any encoding; empty when there are none.
    const QByteArray &regexPrefix() const { return m_regexPrefix; }

private:
    QString m_findText;
    SearchOptions m_options;
    bool m_asciiLiteral;
    QByteArray m_regexPrefix;
    std::unique_ptr<TextSearcher> m_utf8;
    std::unique_ptr<TextSearcher> m_bytes;
    bool m_utf8Made = false;
    bool m_bytesMade = false;
};

// Find in files, off the GUI thread: one thread lists the files, others read
// and search them. Results are collected and taken by the GUI in batches when
// resultsReady() says so. Symbolic links are never followed, so the search
// never leaves the folder.
class FileSearch : public QObject
{
    Q_OBJECT
public:
    explicit FileSearch(FileSearchRequest request, QObject *parent = nullptr);
    // Cancels and waits for the threads.
    ~FileSearch() override;

    // False (with error()) when the find text is malformed; nothing runs then.
    bool start();
    void cancel();
    bool isFinished() const { return m_finished; }
    bool wasCancelled() const { return m_cancelled; }
    QString error() const { return m_error; }

    // What was found since the last call.
    QList<FileResult> takeResults();
    QList<SkippedFile> takeSkipped();
    qint64 filesListed() const { return m_listed; }
    qint64 filesSearched() const { return m_searched; }
    bool listingDone() const { return m_listingDone; }

    // Runs the whole search in the calling thread (tests, benchmarks).
    void runHere();

signals:
    // New results are waiting; sent once until they are taken.
    void resultsReady();
    void finished();

private:
    struct Shared;
    void list();
    void work();
    void searchOne(const QString &file, TextSearchers &searchers);
    void publish(FileResult &&result);
    void skip(const QString &file, const QString &reason);
    void notify();

    FileSearchRequest m_request;
    std::unique_ptr<Shared> m_shared;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_listingDone{false};
    std::atomic<bool> m_notified{false};
    std::atomic<qint64> m_listed{0};
    std::atomic<qint64> m_searched{0};
    QString m_error;
};
