// The script entries file: any text, any entry number, any parameter text. An
// entry found is whole lines, each ending in CR LF, and never holds a header.
#include "custom/JsEntries.h"

#include <QString>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Byte 0: the entry number; then the parameter text up to the first NUL; the rest is the file.
    if (size < 1)
        return 0;
    const int n = data[0] % 16;
    const char *p = reinterpret_cast<const char *>(data) + 1;
    const char *end = reinterpret_cast<const char *>(data) + size;
    const char *nul = static_cast<const char *>(std::memchr(p, 0, size_t(end - p)));
    const QString params = nul ? QString::fromUtf8(p, nul - p) : QString();
    const QString fileText = QString::fromUtf8(nul ? nul + 1 : p, end - (nul ? nul + 1 : p));

    const std::optional<QString> entry = ExtractJSEntry(fileText, n, params);
    if (entry) {
        if (!entry->isEmpty() && !entry->endsWith(QLatin1String("\r\n")))
            std::abort();
        // Without placeholders filled nothing can bring a header in.
        const std::optional<QString> plain = ExtractJSEntry(fileText, n, QString());
        if (!plain || plain->contains(QLatin1String("Tagloom JS Entry #")))
            std::abort();
    }
    for (int k = 0; k < 11; ++k) {
        const QString value = GetJSParam(k, params);
        if (value.size() > params.size() || value.contains(u'~'))
            std::abort();
    }
    // Typed values survive the parameter text whatever they hold.
    const QStringList values = params.split(u'\n');
    QStringList escaped;
    for (const QString &v : values)
        escaped.append(JsStringText(v));
    const QString joined = JoinJSParams(escaped);
    for (int k = 1; k <= 9 && k <= values.size(); ++k)
        if (GetJSParam(k, joined) != escaped.at(k - 1))
            std::abort();
    return 0;
}
