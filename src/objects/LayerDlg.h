#pragma once

#include "objects/LayerMarkup.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;
class ColorButton;
class NumberEdit;
class RadioGroup;
class TextDocument;

// "Layer": a positioned LAYER or an in-flow ILAYER.
class TlayerFrm : public QDialog
{
    Q_OBJECT
public:
    explicit TlayerFrm(QWidget *parent = nullptr);

    int kind() const;
    // The values as shown; file names as typed, not yet relative.
    NameValueList values() const;

private:
    void layerTypeClick();

    RadioGroup *layerType;
    QLineEdit *nameEdit;
    QWidget *Panel1;
    NumberEdit *leftEdit;
    NumberEdit *topEdit;
    NumberEdit *widthEdit;
    NumberEdit *heightEdit;
    NumberEdit *x1edit;
    NumberEdit *y1edit;
    NumberEdit *x2edit;
    NumberEdit *y2edit;
    QCheckBox *zindexChk;
    NumberEdit *zindexEdit;
    QLineEdit *aboveEdit;
    QLineEdit *belowEdit;
    RadioGroup *visibleGroup;
    QCheckBox *bgcolorChk;
    ColorButton *bgColorBtn;
    QLineEdit *bgEdit;
    QLineEdit *srcEdit;
};

// "New &layer...": on OK the background and the source are made relative to the
// document (which may ask to save it), then the element is written as one edit.
void Newlayer1Click(TextDocument &document);
