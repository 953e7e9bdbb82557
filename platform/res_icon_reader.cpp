#include "res_icon_reader.h"

#include "zglobal.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

QString baseName(const QString& name)
{
    return name.endsWith(QLatin1String(".g")) ? name.left(name.size() - 2) : name;
}

QPixmap canvas(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap drawTitleBackground()
{
    const QRect strip = ZGlobal::getDlgTitleLR();
    QPixmap pixmap(strip.size());
    QPainter p(&pixmap);
    QLinearGradient gradient(0, 0, 0, strip.height());
    // White text keeps 5.7:1 on its lightest part.
    gradient.setColorAt(0, QColor(0x2a, 0x66, 0xb3));
    gradient.setColorAt(1, QColor(0x1f, 0x4e, 0x99));
    p.fillRect(pixmap.rect(), gradient);
    return pixmap;
}

QPixmap drawArrow(bool up)
{
    const int s = RES_ICON_Reader::IconSize;
    QPixmap pixmap = canvas(s, s);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    const QPolygon triangle = up ? QPolygon({QPoint(s / 2, 4), QPoint(s - 4, s - 6), QPoint(4, s - 6)})
                                 : QPolygon({QPoint(4, 6), QPoint(s - 4, 6), QPoint(s / 2, s - 4)});
    p.drawPolygon(triangle);
    return pixmap;
}

QPixmap drawMenu()
{
    const int s = RES_ICON_Reader::IconSize;
    QPixmap pixmap = canvas(s, s);
    QPainter p(&pixmap);
    for (int i = 0; i < 3; ++i)
        p.fillRect(4, 5 + i * 5, s - 8, 2, QColor(0x20, 0x20, 0x20));
    return pixmap;
}

QPixmap drawBack()
{
    const int s = RES_ICON_Reader::IconSize;
    QPixmap pixmap = canvas(s, s);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2.5));
    QPainterPath path;
    path.moveTo(s - 5, s - 5);
    path.lineTo(s - 5, s / 2);
    path.lineTo(6, s / 2);
    p.drawPath(path);
    p.drawLine(6, s / 2, 11, s / 2 - 5);
    p.drawLine(6, s / 2, 11, s / 2 + 5);
    return pixmap;
}

// A generic picture: a coloured tile with the first letter of the kind.
QPixmap drawTile(const QColor& colour, QChar letter)
{
    const int s = RES_ICON_Reader::IconSize;
    QPixmap pixmap = canvas(s, s);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(150));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 1.5, s - 3, s - 3), 3, 3);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(s / 2);
    font.setBold(true);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QString(letter));
    return pixmap;
}

QPixmap drawFolder(const QColor& colour)
{
    const int s = RES_ICON_Reader::IconSize;
    QPixmap pixmap = canvas(s, s);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour.darker(160));
    p.setBrush(colour);
    QPainterPath path;
    path.moveTo(1.5, 5.5);
    path.lineTo(8.5, 5.5);
    path.lineTo(10.5, 7.5);
    path.lineTo(s - 1.5, 7.5);
    path.lineTo(s - 1.5, s - 3.5);
    path.lineTo(1.5, s - 3.5);
    path.closeSubpath();
    p.drawPath(path);
    return pixmap;
}

QPixmap drawPicture(const QString& name)
{
    if (name == QLatin1String("Cut_Screen_TitleBackground_A"))
        return drawTitleBackground();
    if (name == QLatin1String("Dialog_Up_Arr"))
        return drawArrow(true);
    if (name == QLatin1String("Dialog_Down_Arr"))
        return drawArrow(false);
    if (name == QLatin1String("CST_Menu"))
        return drawMenu();
    if (name == QLatin1String("CST_Back"))
        return drawBack();
    if (name == QLatin1String("FMMS_Personal_Folder_S"))
        return drawFolder(QColor(0xe8, 0xb9, 0x4a));
    if (name == QLatin1String("FMMS_Personal_MMC_SD"))
        return drawTile(QColor(0x44, 0x77, 0x44), QLatin1Char('S'));
    if (name == QLatin1String("FMMS_File_Image_S"))
        return drawTile(QColor(0x3d, 0x8e, 0xb9), QLatin1Char('I'));
    if (name == QLatin1String("FMMS_Folder_Video_S"))
        return drawTile(QColor(0x9b, 0x4d, 0xca), QLatin1Char('M'));
    if (name == QLatin1String("FMMS_Folder_Program_S"))
        return drawTile(QColor(0x55, 0x55, 0x55), QLatin1Char('P'));
    if (name == QLatin1String("FMMS_File_Game_S"))
        return drawTile(QColor(0xc0, 0x50, 0x30), QLatin1Char('G'));
    return drawTile(QColor(0x90, 0x90, 0x90), QLatin1Char('T'));
}

} // namespace

QPixmap RES_ICON_Reader::getIcon(const char* name, bool cached)
{
    return getIcon(QString::fromLatin1(name), cached);
}

QPixmap RES_ICON_Reader::getIcon(const QString& name, bool cached)
{
    // Pictures are drawn once per process: every list and dialog asks for
    // the same few again.
    static QHash<QString, QPixmap> pictures;
    const QString key = baseName(name);
    if (!cached)
        return drawPicture(key);
    auto found = pictures.constFind(key);
    if (found == pictures.constEnd())
        found = pictures.insert(key, drawPicture(key));
    return *found;
}
