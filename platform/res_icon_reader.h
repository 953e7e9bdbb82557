#pragma once

#include <QPixmap>
#include <QString>

// Reads the named pictures of the phone's skin. A picture comes from the
// desktop's icon theme where one fits, otherwise it is drawn here, so a
// name never gives a null pixmap.
class RES_ICON_Reader
{
public:
    RES_ICON_Reader() = default;
    // The flag asks the phone to keep the picture cached; pictures here are
    // cheap to make, so it changes nothing.
    QPixmap getIcon(const char* name, bool cached = true);
    QPixmap getIcon(const QString& name, bool cached = true);

    // The size of the skin's list and button icons.
    static constexpr int IconSize = 22; // pixels
};
