#include "editor/ColorRulesFile.h"

#include "editor/ColorRules.h"
#include "platform/Prompts.h"
#include "platform/SafeWrite.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const char *const ColorRulesFileHeader[5] = {
    ";Tagloom Color Rules",
    ";Syntax:",
    ";Rule Name;Rule Type;Rule Color;Z-Index;keywords/marker1;marker2",
    ";My Rule;m;009922;2;<!-- ; -->",
    ";My Rule 2;k;990022;1;Tagloom",
};

namespace {

void fileMessage(QWidget *parent, const QString &text)
{
    Prompts::instance().message(parent, QStringLiteral("Error"), text, QMessageBox::Critical, QMessageBox::Ok);
}

// Field i (from 0) of a rule line; the last field, 4, runs to the end of the line.
QByteArrayView ruleField(QByteArrayView line, int index)
{
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype semi = line.indexOf(';', start);
        if (semi < 0)
            return {};
        start = semi + 1;
    }
    if (index == 4)
        return line.sliced(start);
    const qsizetype semi = line.indexOf(';', start);
    return line.sliced(start, (semi < 0 ? line.size() : semi) - start);
}

}  // namespace

QList<QByteArray> &RuleLines()
{
    static QList<QByteArray> lines;
    return lines;
}

bool ReadColorRulesFile(const QString &fileName, QList<QByteArray> &lines, QWidget *parent)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile()) {
        fileMessage(parent, QDir::toNativeSeparators(fileName) + QStringLiteral("\r\nnot found"));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fileMessage(parent, QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    lines = ColorRuleLinesFromText(file.readAll());
    return true;
}

QList<QByteArray> ColorRuleLinesFromText(QByteArrayView text)
{
    QList<QByteArray> lines;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype stop = text.indexOf('\n', start);
        if (stop < 0)
            stop = text.size();
        QByteArrayView line = text.sliced(start, stop - start);
        start = stop + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        // Empty lines make no rule; the program never writes them.
        if (line.isEmpty() || line.front() == ';')
            continue;
        lines.append(line.toByteArray());
    }
    return lines;
}

bool ReadColorRulesFile(QWidget *parent)
{
    return ReadColorRulesFile(ColorRulesFileName(), RuleLines(), parent);
}

bool WriteColorRulesFile(const QString &fileName, const QList<QByteArray> &lines, QWidget *parent)
{
    QByteArray out;
    for (const char *comment : ColorRulesFileHeader)
        out += QByteArray(comment) + "\r\n";
    for (const QByteArray &line : lines)
        out += line + "\r\n";
    // Written beside the file and renamed over it, so a failure keeps the old rules.
    QString reason;
    if (!WriteFileSafely(fileName, out, &reason)) {
        Prompts::instance().messageWithDetail(
            parent, QStringLiteral("Error"),
            QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(fileName)), reason,
            QMessageBox::Critical, QMessageBox::Ok);
        return false;
    }
    return true;
}

bool WriteColorRulesFile(QWidget *parent)
{
    return WriteColorRulesFile(ColorRulesFileName(), RuleLines(), parent);
}

QByteArray RuleFieldName(QByteArrayView line)
{
    return ruleField(line, 0).toByteArray();
}

char RuleFieldType(QByteArrayView line)
{
    const QByteArrayView type = ruleField(line, 1);
    if (type.isEmpty())
        return 0;
    const char c = type.front();
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

QByteArray RuleFieldColor(QByteArrayView line)
{
    return ruleField(line, 2).toByteArray();
}

int RuleFieldZIndex(QByteArrayView line, bool *ok)
{
    QByteArrayView text = ruleField(line, 3);
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    qint64 value = 0;
    bool good = !text.isEmpty();
    for (const char c : text) {
        if (c < '0' || c > '9' || value > 2147483648LL) {
            good = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        good = false;
    if (ok)
        *ok = good;
    return good ? int(value) : 0;
}

QByteArray RuleFieldKeys(QByteArrayView line)
{
    return ruleField(line, 4).toByteArray();
}

void BuildDrawRules(const QList<QByteArray> &lines, bool colorTags, TDrawRules &rules)
{
    rules.Clear();
    if (!colorTags)
        return;
    for (const QByteArray &line : lines) {
        TColorRule *rule = rules.Add();
        // A Z-Index that cannot be read gives 0; the other rules are still built.
        rule->ZOrder = quint8(RuleFieldZIndex(line));
        const QByteArray keys = RuleFieldKeys(line);
        const QByteArray color = RuleFieldColor(line);
        switch (RuleFieldType(line)) {
        case 'k':
            rule->KeyDrawingType = dtKeyShow;
            rule->SetKeyCase(false);
            rule->SetKeywords({keys + ';' + color});
            break;
        case 'm': {
            rule->KeyDrawingType = dtBeginEnd;
            const QByteArray marker = keys + ';' + color;
            rule->SetKeyBegEndLst({RuleLowerAscii(marker), RuleUpperAscii(marker)});
            break;
        }
        default:
            break;
        }
    }
}

void ApplyColorRules(TDrawRules &rules, QWidget *parent)
{
    rules.Clear();
    if (!AppSettings().ColorTags)
        return;
    ReadColorRulesFile(parent);
    BuildDrawRules(RuleLines(), true, rules);
}
