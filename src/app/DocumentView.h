#pragma once

#include <QObject>

struct Settings;
class TColorMemo;
class TMDIChild;

// Shows the View menu's settings in an editor: line numbers, whitespace and
// line ends, the current line's background, zoom.
void ApplyViewSettings(TColorMemo &memo, const Settings &settings);
// Makes the line-number margin as wide as the last line's number needs, or
// hides it.
void FitLineNumberMargin(TColorMemo &memo, bool shown);

// Says when a View menu setting has changed, so every editor follows.
class ViewSettingsEvents : public QObject
{
    Q_OBJECT
public:
    static ViewSettingsEvents &instance();
signals:
    void changed();
};

// Keeps a document window's editor, its View items' check marks and its Undo
// and Redo items in step with the settings and the editor; zooming with the
// wheel zooms every editor, as the menu does.
void AttachDocumentView(TMDIChild &child);
