#pragma once

#include <QScrollArea>

// The phone's scroll view: a scroll area holding one content widget.
class ZScrollView : public QScrollArea
{
    Q_OBJECT
public:
    enum ResizePolicy { Default, Manual, AutoOne, AutoOneFit };
    enum ScrollBarMode { Auto, AlwaysOff, AlwaysOn };

    explicit ZScrollView(QWidget* parent = nullptr, const char* name = nullptr,
                         Qt::WindowFlags f = {});

    // With AutoOneFit (and AutoOne) the content widget is sized to fit the
    // viewport; with the other policies it keeps its own size.
    void setResizePolicy(ResizePolicy policy);
    ResizePolicy resizePolicy() const { return m_policy; }
    void setHScrollBarMode(ScrollBarMode mode);
    void setVScrollBarMode(ScrollBarMode mode);
    // Clipping is always on here.
    void enableClipper(bool) {}
    // Makes the widget the content of the view, placed at (x, y).
    void addChild(QWidget* child, int x = 0, int y = 0);
    int contentsWidth() const;
    int contentsHeight() const;

private:
    ResizePolicy m_policy = Default;
};
