#pragma once

#include <QPixmap>
#include <QString>

// Reads the named pictures of the phone's skin. The pictures are drawn
// here, the same on every desktop, so a name never gives a null pixmap.
// (Looking them up in the desktop's icon theme cost more start-up time
// than everything else the main window does before it shows.)
class RES_ICON_Reader
{
public:
    RES_ICON_Reader() = default;
    // With the flag the picture is kept and handed out again for the same
    // name; without it, it is drawn anew.
    QPixmap getIcon(const char* name, bool cached = true);
    QPixmap getIcon(const QString& name, bool cached = true);

    // The size of the skin's list and button icons.
    static constexpr int IconSize = 22; // pixels
};
