#pragma once

#include <QWidget>

class QLineEdit;
class ZPushButton;

// A password's field: what is typed is hidden unless "Show" beside it is
// pressed in. The button can be used exactly while the field can.
class PasswordField : public QWidget
{
    Q_OBJECT
public:
    explicit PasswordField(QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_edit; }
    ZPushButton* showButton() const { return m_show; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_edit;
    ZPushButton* m_show;
};
