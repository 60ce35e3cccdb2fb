#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The numbers of the entries of the shared open dialog's filter list, from 1.
namespace FileFilterKind {
enum : int {
    HTMLs = 1,
    Pictures = 2,
    Exectables = 3,
    All = 4,
    Maps = 5,
    JavaClasses = 6,
    Projects = 7,
};
}

// The shared open dialog's filters in the order of FileFilterKind (entry 0 is kind 1).
QStringList OpenDialogFilters();

// Shows the shared open dialog ("Open/Save") with filter kind filterKind preset
// (any other number presets none) and returns the chosen full file name, or
// empty when cancelled. The dialog starts in the folder of its last use.
QString AskFileName(QWidget *parent, int filterKind);

// Forgets the folder of the last use (tests start from a known state).
void ResetAskFileNameFolder();

// The shared file messages, numbered from 1.
enum FileMessage : int {
    NotAValidProjectFile = 1,  // "%s" CR LF "is not a valid project file"
    FileNotFound = 2,          // "%s" CR LF "not found"
    MaximumPrivateTags = 3,    // "Maximum 20 private tags"
};

// The message numbered number with name in place of "%s"; empty for an unknown number.
QString FileMessageText(int number, const QString &name);

// Shows that message in an error box with an OK button; an unknown number shows nothing.
void ShowFileMessage(int number, const QString &name, QWidget *parent = nullptr);
