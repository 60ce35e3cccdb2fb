#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QAction;
class QCheckBox;
class QLabel;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QTreeView;
class ResultsModel;

enum class ResultSeverity { None, Info, Warning, Error };

// One line of a results list: a match found by a search or a finding of a check.
struct ResultEntry
{
    QString file;        // absolute path; for an untitled document its caption
    int line = 0;        // 1-based; 0 when the entry is about the whole file
    int column = 0;      // 1-based, in characters
    qint64 offset = -1;  // byte offset in the text it was found in; -1 when only line and column are known
    qint64 length = 0;   // bytes to select from `offset`
    ResultSeverity severity = ResultSeverity::None;  // None for search matches
    QString message;                                 // what a check found; empty for a search match
    QString text;                                    // the line or the text at fault, on one line
    int markStart = -1;                              // characters of `text` to mark (the match); -1 for none
    int markLength = 0;
};

QString severityName(ResultSeverity severity);
// "file:line:column: severity: message: text", the form compilers and grep use,
// so a copied list can be read by other tools.
QString resultLine(const ResultEntry &entry);

// A list of results grouped by file, as they stream in, above a summary line, a
// progress bar with Cancel while the work runs, and (for checks) a filter by
// severity. Enter or a double-click on an entry emits `activated`; step()
// walks the list for F4 and Ctrl+Shift+F4. Search and checks each show one.
class ResultsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget *parent = nullptr);
    ~ResultsPanel() override;

    void clear();
    // Adds entries under their files' groups, keeping the order they came in.
    void append(const QList<ResultEntry> &entries);
    int count() const;
    const ResultEntry &entry(int index) const;
    // The entry shown as current, -1 when none.
    int currentEntry() const;

    void setSummary(const QString &text);
    QString summary() const;

    // While work runs: a bar (total 0 = busy without a known end) and Cancel.
    void setProgress(qint64 done, qint64 total);
    void hideProgress();
    bool progressShown() const;

    // The check boxes that hide errors, warnings or notes; off for search results.
    void setSeverityFilterShown(bool shown);
    void setSeverityShown(ResultSeverity severity, bool shown);

    // Makes the next (+1) or previous (-1) shown entry current, wrapping at
    // the ends, and emits `activated`; false when no entry is shown.
    bool step(int direction);
    // The shown entries, one resultLine() each, for the clipboard.
    QString toPlainText() const;
    // Adds an item to the list's context menu (beside Copy).
    void addContextAction(QAction *action);

signals:
    void activated(const ResultEntry &entry);
    void cancelRequested();

private:
    void activateIndex(const QModelIndex &index);
    void copyToClipboard();

    ResultsModel *m_model;
    QTreeView *m_view;
    QLabel *m_summary;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QWidget *m_filter;
    QList<QCheckBox *> m_severityBoxes;
};
