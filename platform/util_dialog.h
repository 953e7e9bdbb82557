#pragma once

#include "zbasedialog.h"

class QLabel;
class QVBoxLayout;

// The phone's standard dialog: a title strip, a content widget and a
// soft-key area at the bottom, filling the screen.
class UTIL_Dialog : public ZBaseDialog
{
    Q_OBJECT
public:
    // The phone offers several frame types; this stand-in draws them all
    // the same way. The flag asks for a full-screen dialog, which every
    // dialog here is.
    enum DialogType { TypeDefault = 0, TypeEdit = 1, TypeMessage = 2 };

    UTIL_Dialog(DialogType type, bool fullScreen, QWidget* parent = nullptr,
                const char* name = nullptr, int modal = 1, Qt::WindowFlags f = {});

    void setHasTitle(bool on);
    void setDlgTitle(const QString& title);
    QString dlgTitle() const;
    // The widget shown as the dialog's body. It keeps its parent; a widget
    // given before is taken out of the dialog's layout.
    void setDlgContent(QWidget* content);
    QWidget* dlgContent() const { return m_content; }
    // The widget shown as the soft-key area, under the body.
    void setDlgCst(QWidget* keys);
    QWidget* dlgCst() const { return m_cst; }

private:
    void place(QWidget*& slot, QWidget* widget, int position, int stretch);

    QLabel* m_title = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QWidget* m_content = nullptr;
    QWidget* m_cst = nullptr;
};
