#pragma once

class QStackedWidget;
class QTabWidget;

// Dialogs that show one page of several for a command: the pages not shown must
// not size the dialog, or it opens full of empty space.

// Shows only the tab page, current, and lets only it size the tab widget.
void ShowOnlyPage(QTabWidget *pages, int page);
// Lets only the current page size the stack.
void SizeToCurrentPage(QStackedWidget *pages);
