// The colour rules file as read from disk: its text split into rule lines, the
// fields of each line, and the rules built from them. The lines written back
// as the program writes the file read back the same.
#include "editor/ColorRules.h"
#include "editor/ColorRulesFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> lines = ColorRuleLinesFromText(text);
    QByteArray written;
    for (const char *comment : ColorRulesFileHeader)
        written += QByteArray(comment) + "\r\n";
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line.front() == ';' || line.contains('\n'))
            std::abort();
        bool ok = true;
        RuleFieldZIndex(line, &ok);
        const QByteArray name = RuleFieldName(line), color = RuleFieldColor(line), keys = RuleFieldKeys(line);
        if (name.size() > line.size() || color.size() > line.size() || keys.size() > line.size())
            std::abort();
        RuleFieldType(line);
        written += line + "\r\n";
    }
    if (ColorRuleLinesFromText(written) != lines)
        std::abort();
    TDrawRules rules;
    BuildDrawRules(lines, true, rules);
    rules.PrepareRules();
    return 0;
}
