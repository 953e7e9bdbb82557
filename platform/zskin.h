#pragma once

#include <QPixmap>
#include <QString>

// The phone's skin: the named pictures of the current theme.
class ZSkin
{
public:
    static ZSkin* skin();
    QPixmap getPixmap(const QString& name) const;
};
