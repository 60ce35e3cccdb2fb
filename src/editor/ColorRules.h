#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QObject;

// $00BBGGRR, or $80000000 plus a system colour index.
using TColor = quint32;

constexpr TColor clRuleRed = 0x000000FF;
constexpr TColor clRuleYellow = 0x0000FFFF;
constexpr TColor clRuleWhite = 0x00FFFFFF;
constexpr TColor clWindowBackground = 0x80000005;

enum TKeyDrawingType : quint8 { dtKeyShow = 0, dtEventDraw = 1, dtBeginEnd = 2, dtBeginLineEnd = 3 };

// One coloured range. Arrays of it are handed to user code, so the layout is fixed.
struct TKeyDescr
{
    static constexpr qint32 FreePos = 2147483647;

    qint32 StartPos = FreePos;  // first byte
    qint32 EndPos = 0;          // last byte, inclusive
    quint32 KeyColor = 0;
    quint8 KeyZOrder = 0;
    quint8 IsKey = 0;

    bool isFree() const { return StartPos == FreePos; }
};
static_assert(offsetof(TKeyDescr, StartPos) == 0 && offsetof(TKeyDescr, EndPos) == 4
              && offsetof(TKeyDescr, KeyColor) == 8 && offsetof(TKeyDescr, KeyZOrder) == 12
              && offsetof(TKeyDescr, IsKey) == 13 && sizeof(TKeyDescr) == 16);

// Z-orders the editor keeps for itself.
namespace ReservedZ {
constexpr quint8 HotSpotText = 252;
constexpr quint8 HotSpotMarker = 253;
constexpr quint8 Selection = 254;
constexpr quint8 Tab = 255;
}  // namespace ReservedZ

// The ranges of one paint pass. Records are kept from pass to pass; a pass
// appends new ones only when it needs more than the list holds.
class TKeyDescrList
{
public:
    explicit TKeyDescrList(int capacity = 100);

    int Count() const { return int(m_items.size()); }
    TKeyDescr &operator[](int i) { return m_items[size_t(i)]; }
    const TKeyDescr &operator[](int i) const { return m_items[size_t(i)]; }

    // Marks every record free and forgets the coloured stretch.
    void reset();
    // Writes the record at index next (appending when next reaches the end),
    // widens MinColorPos/MaxColorPos and returns next + 1.
    int put(int next, const TKeyDescr &range);

    // Lowest StartPos and highest EndPos written since reset(); -1 when none.
    int MinColorPos = -1;
    int MaxColorPos = -1;

private:
    std::vector<TKeyDescr> m_items;
};

// Reads a colour text of a rule line: a colour name or RRGGBB hexadecimal,
// with or without "#" or "$". Unreadable text gives white.
TColor ParseRuleColor(QByteArrayView text);

class TDrawRules;

class TColorRule
{
public:
    static constexpr int MarkerSlots = 40;
    static constexpr int MarkerMax = 6;
    static constexpr int KeywordSearchMax = 30;

    struct KeywordEntry
    {
        QByteArray keyword;  // upper-cased when KeyCase is false
        TColor color = 0;
        quint8 anchor = 0;  // offset of the byte looked for first (the rarest guess)
    };
    struct MarkerEntry
    {
        char begin[MarkerMax] = {};
        char end[MarkerMax] = {};
        quint8 beginLen = 0;
        quint8 endLen = 0;
        TColor color = 0;
        int scratch = 0;  // next occurrence during a scan, relative to the stretch; -1 none
    };

    explicit TColorRule(TDrawRules *collection = nullptr);

    quint8 ZOrder = 0;
    QByteArray IntChar;
    int KeyMaxHeight = 1;
    TKeyDrawingType KeyDrawingType = dtBeginEnd;
    bool KeyCase = false;
    bool Enabled = true;
    bool PartWord = false;
    TColor DefKeyColor = clRuleRed;
    TColor KeySelColor = clRuleYellow;
    TColor KeyBrushColor = clWindowBackground;

    const QList<QByteArray> &Keywords() const { return m_keywords; }
    const QList<QByteArray> &KeyBegEndLst() const { return m_keyBegEndLst; }
    const QList<QByteArray> &KeyLineEndLst() const { return m_keyLineEndLst; }
    void SetKeywords(const QList<QByteArray> &lines);
    void SetKeyBegEndLst(const QList<QByteArray> &lines);
    void SetKeyLineEndLst(const QList<QByteArray> &lines);
    void SetKeyCase(bool value) { KeyCase = value; }

    // Copies everything but KeySelColor and IntChar.
    void Assign(const TColorRule &source);

    // Builds the keyword and marker tables from the current lists. Cheap when
    // nothing changed since the last build, so it can run on every paint pass.
    void PrepareTables();
    bool tablesReady() const { return m_built; }

    const std::vector<KeywordEntry> &KeywordTable() const { return m_keywordTable; }
    const std::array<MarkerEntry, MarkerSlots> &MarkerTable() const { return m_markerTable; }
    std::array<MarkerEntry, MarkerSlots> &markerScratch() { return m_markerTable; }

    TDrawRules *collection() const { return m_collection; }

private:
    void buildKeywordTable();
    void buildMarkersFromBegEnd();
    void buildMarkersFromLineEnd();

    TDrawRules *m_collection;
    QList<QByteArray> m_keywords;
    QList<QByteArray> m_keyBegEndLst;
    QList<QByteArray> m_keyLineEndLst;

    std::vector<KeywordEntry> m_keywordTable;
    std::array<MarkerEntry, MarkerSlots> m_markerTable{};
    bool m_built = false;
    bool m_listsChanged = true;
    // The values the tables were built with.
    bool m_builtKeyCase = false;
    TKeyDrawingType m_builtType = dtBeginEnd;
    TColor m_builtDefColor = 0;
};

// The rules of one editor.
class TDrawRules
{
public:
    explicit TDrawRules(QObject *editor = nullptr) : m_editor(editor) {}
    TDrawRules(const TDrawRules &) = delete;
    TDrawRules &operator=(const TDrawRules &) = delete;

    QObject *editor() const { return m_editor; }
    int Count() const { return int(m_items.size()); }
    TColorRule *Items(int i) const { return m_items[size_t(i)].get(); }
    TColorRule *Add();
    void Clear() { m_items.clear(); }
    // Replaces the rules by copies of the source's.
    void Assign(const TDrawRules &source);
    void PrepareRules();

private:
    QObject *m_editor;
    std::vector<std::unique_ptr<TColorRule>> m_items;
};

// The text one pass scans: the editor's bytes from the scan start up to the
// cut-off, plus an upper-case copy made once per pass for every rule that
// ignores case. Keep one alive between passes so the copy's buffer is reused.
class ScanStretch
{
public:
    ScanStretch() = default;
    ScanStretch(QByteArrayView text, int from) { reset(text, from); }

    // text: bytes [from, limit) of the editor's text.
    void reset(QByteArrayView text, int from);
    QByteArrayView text() const { return m_text; }
    int from() const { return m_from; }
    int limit() const { return m_from + int(m_text.size()); }
    QByteArrayView upper();

private:
    QByteArrayView m_text;
    int m_from = 0;
    std::vector<char> m_upper;
    bool m_upperReady = false;
};

// Supplies the ranges of event rules. fromPos is the scan start in editor
// positions; the handler fills records of a with positions relative to it and
// sets itemsCount.
using TDrawEvent =
    std::function<void(TColorRule *sender, int fromPos, QByteArrayView text, std::span<TKeyDescr> a, int &itemsCount)>;

struct DrawEventHook
{
    TDrawEvent OnDraw;
    std::vector<TKeyDescr> A;  // ColorLimMax records
};

// Scans one rule over the stretch and appends its ranges from record next on;
// returns the new next. Every range lies inside the stretch. A disabled rule
// adds nothing; tables older than the rule's lists are rebuilt first.
int ScanRule(TColorRule &rule, TKeyDescrList &ranges, int next, ScanStretch &text, DrawEventHook *hook = nullptr);

// ASCII-only case changes, as the rules use them.
QByteArray RuleUpperAscii(QByteArrayView text);
QByteArray RuleLowerAscii(QByteArrayView text);
