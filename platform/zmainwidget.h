#pragma once

#include <QWidget>

class QLabel;

// The phone's main window: a title bar, the content area and the soft-key
// bar, stacked top to bottom. On a phone-shaped screen it covers the
// screen's available area (below the system's status bar or panel) and,
// maximised, the whole screen. On a desktop the phone's screen is
// emulated: the window keeps the phone's size and, in its normal state,
// leaves the phone's status bar above it. The back key (and Esc,
// Backspace, XF86Back, Alt+Left), before the list takes them for moving
// its cursor, is told by backPressed().
class ZMainWidget : public QWidget
{
    Q_OBJECT
public:
    ZMainWidget(const QString& caption, bool editorMode, QWidget* parent = nullptr,
                const char* name = nullptr, unsigned int flags = 0);

    QLabel* getTitleBarWidget() const { return m_titleBar; }
    QWidget* getContentWidget(bool create = true) const;
    QWidget* getCSTWidget(bool create = true) const;

    // The phone's window states, which hide QWidget's: the phone's screen,
    // not the desktop's, is what the window covers.
    void showMaximized();
    void showNormal();
    bool isPhoneMaximized() const { return m_maximized; }
    // Where the window's top-left corner lies on the phone's screen. On a
    // phone-shaped screen the window's bottom is taken to be the screen's,
    // where the soft keys are, wherever the system's panels leave its top.
    QPoint screenPosition() const;

    static constexpr int StatusBarHeight = 20; // pixels

signals:
    void backPressed();

private:
    void applyState();

    QLabel* m_titleBar = nullptr;
    QWidget* m_content = nullptr;
    QWidget* m_cst = nullptr;
    bool m_maximized = false;
};
