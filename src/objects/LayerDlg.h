#pragma once

#include "objects/LayerMarkup.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;
class TColorButton;
class TNumberEdit;
class TRadioGroup;
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

    TRadioGroup *layerType;
    QLineEdit *nameEdit;
    QWidget *Panel1;
    TNumberEdit *leftEdit;
    TNumberEdit *topEdit;
    TNumberEdit *widthEdit;
    TNumberEdit *heightEdit;
    TNumberEdit *x1edit;
    TNumberEdit *y1edit;
    TNumberEdit *x2edit;
    TNumberEdit *y2edit;
    QCheckBox *zindexChk;
    TNumberEdit *zindexEdit;
    QLineEdit *aboveEdit;
    QLineEdit *belowEdit;
    TRadioGroup *visibleGroup;
    QCheckBox *bgcolorChk;
    TColorButton *bgColorBtn;
    QLineEdit *bgEdit;
    QLineEdit *srcEdit;
};

// "New &layer...": on OK the background and the source are made relative to the
// document (which may ask to save it), then the element is written as one edit.
void Newlayer1Click(TextDocument &document);
