#pragma once

#include <QPlainTextEdit>
#include <QRegularExpression>

// The phone's editable text field. A title area at the left of the text
// leaves room for a button placed in the field's top-left corner. An input
// filter keeps what the user types or pastes from bringing in text that
// matches a regular expression (newlines, typically).
class ZMultiLineEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    enum TitlePosition { TitleNone = 0, TitleTop = 1, TitleLeft = 2 };

    explicit ZMultiLineEdit(QWidget* parent = nullptr, bool autoResize = false, int lines = 1,
                            const char* name = nullptr);

    // Text set by the program is kept exactly, whatever characters it holds;
    // only the user's input is filtered.
    void setText(const QString& text);
    QString text() const { return m_text; }

    // With accept false, input that matches the expression is rejected;
    // with accept true, only matching input is taken.
    void setInputFilter(const QRegularExpression& filter, bool accept);
    void setTitlePosition(int position);
    void setTitle(const QString& title);
    QString title() const { return m_title; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool event(QEvent* event) override;

private:
    QString filtered(const QString& input) const;
    void updateTitleArea();

    QString m_text;
    QString m_title;
    QRegularExpression m_filter;
    bool m_filterAccepts = false;
    bool m_settingText = false;
    int m_titlePosition = TitleNone;
    int m_lines = 1;
};
