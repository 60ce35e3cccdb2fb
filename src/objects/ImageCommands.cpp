#include "objects/ImageCommands.h"

#include "objects/ImageDlg.h"

void RegisterImageCommands(const std::function<void(const ObjectCommand &)> &add)
{
    add({QStringLiteral("Image1"), Image1Click});
}
