#include <QApplication>

#include "editor/ColorMemo.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TColorMemo memo;
    memo.show();
    return app.exec();
}
