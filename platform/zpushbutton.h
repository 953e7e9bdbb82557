#pragma once

#include <QPushButton>

class QMenu;

// The phone's push button. The resource names a skin picture that the
// button shows; the three numbers choose the phone's button style and have
// no effect here.
class ZPushButton : public QPushButton
{
    Q_OBJECT
public:
    ZPushButton(QWidget* parent, int style = 0, int width = -1, int height = -1);
    ZPushButton(const QString& resource, QWidget* parent, int style = 0, int width = -1,
                int height = -1);
    ZPushButton(const QString& resource, const QString& text, QWidget* parent, int style = 0,
                int width = -1, int height = -1);

    void setResourceID(const QString& resource);
    QString resourceID() const { return m_resource; }
    void setPopup(QMenu* menu);

private:
    QString m_resource;
};
