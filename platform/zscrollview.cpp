#include "zscrollview.h"

#include <QScrollBar>

namespace {

Qt::ScrollBarPolicy policyOf(ZScrollView::ScrollBarMode mode)
{
    switch (mode) {
    case ZScrollView::AlwaysOff:
        return Qt::ScrollBarAlwaysOff;
    case ZScrollView::AlwaysOn:
        return Qt::ScrollBarAlwaysOn;
    case ZScrollView::Auto:
        break;
    }
    return Qt::ScrollBarAsNeeded;
}

} // namespace

ZScrollView::ZScrollView(QWidget* parent, const char* name, Qt::WindowFlags f)
    : QScrollArea(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    if (f)
        setWindowFlags(f);
    setFrameShape(QFrame::NoFrame);
}

void ZScrollView::setResizePolicy(ResizePolicy policy)
{
    m_policy = policy;
    setWidgetResizable(policy == AutoOne || policy == AutoOneFit);
}

void ZScrollView::setHScrollBarMode(ScrollBarMode mode)
{
    setHorizontalScrollBarPolicy(policyOf(mode));
}

void ZScrollView::setVScrollBarMode(ScrollBarMode mode)
{
    setVerticalScrollBarPolicy(policyOf(mode));
}

void ZScrollView::addChild(QWidget* child, int x, int y)
{
    setWidget(child);
    child->move(x, y);
}

int ZScrollView::contentsWidth() const
{
    return widget() ? widget()->width() : viewport()->width();
}

int ZScrollView::contentsHeight() const
{
    return widget() ? widget()->height() : viewport()->height();
}
