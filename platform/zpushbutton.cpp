#include "zpushbutton.h"

#include "res_icon_reader.h"

#include <QIcon>
#include <QMenu>

ZPushButton::ZPushButton(QWidget* parent, int, int, int)
    : QPushButton(parent)
{
}

ZPushButton::ZPushButton(const QString& resource, QWidget* parent, int, int, int)
    : QPushButton(parent)
{
    setResourceID(resource);
}

ZPushButton::ZPushButton(const QString& resource, const QString& text, QWidget* parent, int, int,
                         int)
    : QPushButton(text, parent)
{
    setResourceID(resource);
}

void ZPushButton::setResourceID(const QString& resource)
{
    m_resource = resource;
    if (resource.isEmpty()) {
        setIcon(QIcon());
        return;
    }
    const QPixmap picture = RES_ICON_Reader().getIcon(resource, true);
    setIcon(QIcon(picture));
    setIconSize(picture.size());
}

void ZPushButton::setPopup(QMenu* menu)
{
    setMenu(menu);
}
