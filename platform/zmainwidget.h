#pragma once

#include <QWidget>

class QLabel;

// The phone's main window: a title bar, the content area and the soft-key
// bar, stacked top to bottom. In its normal state it covers the phone's
// screen below the status bar; maximised, it covers the whole screen. On a
// desktop the phone's screen is emulated: the window keeps the phone's size.
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
    // Where the window's top-left corner lies on the phone's screen.
    QPoint screenPosition() const;

    static constexpr int StatusBarHeight = 20; // pixels

private:
    void applyState();

    QLabel* m_titleBar = nullptr;
    QWidget* m_content = nullptr;
    QWidget* m_cst = nullptr;
    bool m_maximized = false;
};
