#pragma once

#include <QWidget>

class QLineEdit;

// A password's field: what is typed is hidden unless "Show" beside it is
// pressed in. The field is enabled and disabled as a whole, the button with
// the edit.
class PasswordField : public QWidget
{
    Q_OBJECT
public:
    explicit PasswordField(QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};
