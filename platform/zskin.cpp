#include "zskin.h"

#include "res_icon_reader.h"

ZSkin* ZSkin::skin()
{
    static ZSkin theSkin;
    return &theSkin;
}

QPixmap ZSkin::getPixmap(const QString& name) const
{
    return RES_ICON_Reader().getIcon(name, true);
}
