#pragma once

#include <QWidget>

class ProjectPanel;

// The title bar of the dock that holds the project panel: the project's file
// name, a menu that moves the panel to another edge of the main window, and a
// button that hides it. Where the panel sits is the main window's to decide.
class ProjectTitleBar : public QWidget
{
    Q_OBJECT
public:
    ProjectTitleBar(ProjectPanel &panel, QWidget *parent);

signals:
    // 0 left, 1 right, 2 top, 3 bottom: the numbers the settings keep.
    void alignmentChosen(int alignment);
    void hideClicked();
};
