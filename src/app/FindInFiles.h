#pragma once

#include "app/FindInFilesDlg.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class FileSearch;
class QTimer;
class ResultsPanel;
class TColorMemo;
class TMainForm;

// "Find in F&iles..." and "Replace in Fi&les..." of one main window: the
// dialog, the search off the GUI thread streaming into the "Search Results"
// panel, and for Replace the files to change, chosen one by one, changed and
// summed up.
class FindInFiles : public QObject
{
    Q_OBJECT
public:
    explicit FindInFiles(TMainForm &main);
    ~FindInFiles() override;
    // The main window's one, made on first use.
    static FindInFiles &of(TMainForm &main);

    // FindInFiles1 and ReplaceInFiles1: the dialog, then the search.
    void findInFiles();
    void replaceInFiles();
    // Starts the search the dialog would start; false after a message when it cannot.
    bool start(const FindInFilesValues &values, bool replace);
    bool isRunning() const;
    void cancel();
    const FindInFilesValues &values() const { return m_values; }

signals:
    // The search ended (done or cancelled), and for Replace the files were changed.
    void finished();

private:
    void run(bool replace);
    void takeResults();
    void searchEnded();
    void replaceChosenFiles();
    FindInFilesValues initialValues();

    TMainForm &m_main;
    std::unique_ptr<FileSearch> m_search;
    QPointer<ResultsPanel> m_panel;
    QTimer *m_drain;
    FindInFilesValues m_values;
    bool m_haveValues = false;
    bool m_replace = false;
    // Per file with matches: its name and how many, for Replace.
    QList<QPair<QString, int>> m_files;
    qint64 m_matchCount = 0;
    QStringList m_skipped;
};
