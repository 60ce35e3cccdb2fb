#include "widgets/PageSizing.h"

#include <QStackedWidget>
#include <QTabWidget>

void ShowOnlyPage(QTabWidget *pages, int page)
{
    for (int i = 0; i < pages->count(); ++i) {
        pages->setTabVisible(i, i == page);
        if (i != page)
            pages->widget(i)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
    pages->setCurrentIndex(page);
}

void SizeToCurrentPage(QStackedWidget *pages)
{
    for (int i = 0; i < pages->count(); ++i) {
        if (i != pages->currentIndex())
            pages->widget(i)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
}
