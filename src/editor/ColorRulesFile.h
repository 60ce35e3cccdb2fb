#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class QWidget;
class TDrawRules;

// The rule lines of the colour rules file, in file order without the comment
// lines; entry i is the rule at position i of the colour rules dialog's list.
QList<QByteArray> &RuleLines();

// The five comment lines that open every rules file the program writes.
extern const char *const ColorRulesFileHeader[5];

// Fills RuleLines from the rules file (ColorRulesFileName()). A missing file
// shows "<name>\r\nnot found" and leaves RuleLines as it was; returns whether
// the file was read.
bool ReadColorRulesFile(QWidget *parent = nullptr);
bool ReadColorRulesFile(const QString &fileName, QList<QByteArray> &lines, QWidget *parent = nullptr);
// The rule lines of a rules file's text: lines end in LF or CR LF; empty lines
// and comment lines (starting with ";") are left out.
QList<QByteArray> ColorRuleLinesFromText(QByteArrayView text);

// Writes the comment lines and RuleLines to the rules file, creating it when
// missing. A failed write says "Cannot create file <name>", leaves the old file
// intact and returns false.
bool WriteColorRulesFile(QWidget *parent = nullptr);
bool WriteColorRulesFile(const QString &fileName, const QList<QByteArray> &lines, QWidget *parent = nullptr);

// Fields of a rule line "Name;Type;Color;Z-Index;keywords or marker1;marker2".
// A field the line lacks reads as empty.
QByteArray RuleFieldName(QByteArrayView line);
// First character of the type, lower-cased; 0 when the type is empty.
char RuleFieldType(QByteArrayView line);
QByteArray RuleFieldColor(QByteArrayView line);
// A Z-Index that is not a decimal integer reads as 0 (ok set to false).
int RuleFieldZIndex(QByteArrayView line, bool *ok = nullptr);
// Everything after the fourth ";", further ";" included.
QByteArray RuleFieldKeys(QByteArrayView line);

// Replaces the rules by those the lines describe; with colorTags off the rules
// stay empty and the editor shows plain text.
void BuildDrawRules(const QList<QByteArray> &lines, bool colorTags, TDrawRules &rules);

// Rebuilds an editor's rules: clears them and, when the ColorTags setting is on,
// reads the rules file again and builds the rules from RuleLines.
void ApplyColorRules(TDrawRules &rules, QWidget *parent = nullptr);
