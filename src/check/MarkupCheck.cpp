#include "check/MarkupCheck.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <memory>

namespace {
struct Collected
{
    const MarkupCheckOptions *options = nullptr;
    QList<MarkupMessage> messages;
    // Obsolete element name -> index in messages of its one entry, and its count.
    QHash<QString, std::pair<qsizetype, int>> obsolete;
    int dropped = 0;
};

// Keys whose subject the link and picture checks report with the text at fault.
bool reportedElsewhere(const char *key, const QString &message)
{
    const QByteArrayView k(key);
    if (k == "ANCHOR_NOT_UNIQUE" || k == "ANCHOR_DUPLICATED" || k == "PREVIOUS_LOCATION")
        return true;
    return k == "MISSING_ATTRIBUTE" && message.startsWith(QLatin1String("<img>"))
           && message.contains(QLatin1String("\"alt\""));
}

bool obsoleteKey(const char *key)
{
    const QByteArrayView k(key);
    return k == "REMOVED_HTML5" || k == "PROPRIETARY_ELEMENT";
}

CheckSeverity severityOf(TidyReportLevel level)
{
    switch (level) {
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        return CheckSeverity::Error;
    case TidyWarning:
        return CheckSeverity::Warning;
    default:
        return CheckSeverity::Info;
    }
}

Bool TIDY_CALL onMessage(TidyMessage m)
{
    auto *out = static_cast<Collected *>(tidyGetAppData(tidyGetMessageDoc(m)));
    const TidyReportLevel level = tidyGetMessageLevel(m);
    if (level >= TidyDialogueSummary || level == TidyConfig)
        return no;
    const int line = tidyGetMessageLine(m);
    const char *key = tidyGetMessageKey(m);
    // The English text whatever the user's locale: the panel's other texts are English too.
    const QString text = QString::fromUtf8(tidyGetMessageDefault(m));
    if (line <= 0 && level == TidyInfo)
        return no;
    if (reportedElsewhere(key, text))
        return no;
    if (obsoleteKey(key)) {
        if (!out->options->reportObsolete)
            return no;
        static const QRegularExpression element(QStringLiteral("^<([^>]+)>"));
        const QString name = element.match(text).captured(1).toUpper();
        auto found = out->obsolete.find(name);
        if (found != out->obsolete.end()) {
            ++found->second;
            return no;
        }
        if (out->messages.size() >= out->options->maxMessages) {
            ++out->dropped;
            return no;
        }
        out->obsolete.insert(name, {out->messages.size(), 1});
        out->messages.append({CheckSeverity::Info, line, tidyGetMessageColumn(m), QByteArray("OBSOLETE"), name});
        return no;
    }
    if (out->messages.size() >= out->options->maxMessages) {
        ++out->dropped;
        return no;
    }
    out->messages.append({severityOf(level), line, tidyGetMessageColumn(m), QByteArray(key), text});
    return no;
}

struct TidyDocDeleter
{
    void operator()(TidyDoc doc) const { tidyRelease(doc); }
};
}  // namespace

QList<MarkupMessage> CheckMarkup(QByteArrayView bytes, bool utf8, const MarkupCheckOptions &options)
{
    // Tidy keeps its language tables in globals: one parse at a time.
    static QMutex tidyLock;
    const QMutexLocker lock(&tidyLock);
    Collected out;
    out.options = &options;
    if (bytes.size() > MaxMarkupCheckBytes)
        return {{CheckSeverity::Info, 0, 0, QByteArray("TOO_LARGE"),
                 QStringLiteral("the page is too large for the markup check")}};
    std::unique_ptr<std::remove_pointer_t<TidyDoc>, TidyDocDeleter> doc(tidyCreate());
    TidyDoc d = doc.get();
    tidySetAppData(d, &out);
    tidySetMessageCallback(d, onMessage);
    tidyOptSetBool(d, TidyQuiet, yes);
    tidyOptSetBool(d, TidyShowWarnings, yes);
    tidyOptSetBool(d, TidyShowInfo, yes);
    tidyOptSetBool(d, TidyMark, no);
    tidyOptSetBool(d, TidyForceOutput, no);
    tidyOptSetInt(d, TidyShowErrors, 1000000);
    // A tab is one column, as in the editor's character count.
    tidyOptSetInt(d, TidyTabSize, 1);
    tidySetInCharEncoding(d, utf8 ? "utf8" : "latin1");

    TidyBuffer input;
    tidyBufInit(&input);
    // Tidy reads the buffer and never writes to it.
    tidyBufAttach(&input, reinterpret_cast<byte *>(const_cast<char *>(bytes.data())), uint(bytes.size()));
    const int parsed = tidyParseBuffer(d, &input);
    // The checks of elements against the document's version run in the repair
    // step; its result stays inside tidy and is never written out.
    if (parsed >= 0)
        tidyCleanAndRepair(d);
    tidyBufDetach(&input);

    for (auto it = out.obsolete.cbegin(); it != out.obsolete.cend(); ++it) {
        MarkupMessage &m = out.messages[it->first];
        const int count = it->second;
        m.message = count == 1 ? QStringLiteral("<%1> is obsolete").arg(it.key())
                               : QStringLiteral("<%1> is obsolete (%2 times in this page)").arg(it.key()).arg(count);
    }
    if (out.dropped > 0)
        out.messages.append({CheckSeverity::Info, 0, 0, QByteArray("NOT_ALL_SHOWN"),
                             QStringLiteral("%1 more markup messages not shown").arg(out.dropped)});
    return out.messages;
}
