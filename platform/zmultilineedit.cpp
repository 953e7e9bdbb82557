#include "zmultilineedit.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

ZMultiLineEdit::ZMultiLineEdit(QWidget* parent, bool, int lines, const char* name)
    : QPlainTextEdit(parent)
    , m_lines(qMax(1, lines))
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_settingText)
            return;
        QString text = document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        m_text = text;
    });
}

void ZMultiLineEdit::setText(const QString& text)
{
    m_settingText = true;
    setPlainText(text);
    m_settingText = false;
    m_text = text;
}

void ZMultiLineEdit::setInputFilter(const QRegularExpression& filter, bool accept)
{
    m_filter = filter;
    m_filterAccepts = accept;
}

void ZMultiLineEdit::setTitlePosition(int position)
{
    m_titlePosition = position;
    updateTitleArea();
}

void ZMultiLineEdit::setTitle(const QString& title)
{
    m_title = title;
    updateTitleArea();
}

QString ZMultiLineEdit::filtered(const QString& input) const
{
    if (!m_filter.isValid() || m_filter.pattern().isEmpty())
        return input;
    if (m_filterAccepts) {
        QString kept;
        auto matches = m_filter.globalMatch(input);
        while (matches.hasNext())
            kept += matches.next().captured();
        return kept;
    }
    QString kept = input;
    kept.remove(m_filter);
    return kept;
}

void ZMultiLineEdit::keyPressEvent(QKeyEvent* event)
{
    QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        text = QStringLiteral("\n");
    if (!text.isEmpty() && filtered(text) != text) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ZMultiLineEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        insertPlainText(filtered(source->text()));
}

bool ZMultiLineEdit::event(QEvent* event)
{
    const bool result = QPlainTextEdit::event(event);
    if (event->type() == QEvent::ChildPolished || event->type() == QEvent::Show)
        updateTitleArea();
    return result;
}

// The title area is as wide as the title's text and as any button sitting
// in the field's corner, so that the first characters are never hidden.
void ZMultiLineEdit::updateTitleArea()
{
    int width = 0;
    if (m_titlePosition == TitleLeft) {
        width = fontMetrics().horizontalAdvance(m_title);
        const auto buttons = findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
        for (const QAbstractButton* button : buttons)
            width = qMax(width, button->x() + button->width());
    }
    setViewportMargins(width, 0, 0, 0);
}

// As many lines as asked for, and never lower than a button in the corner.
QSize ZMultiLineEdit::sizeHint() const
{
    const QSize base = QPlainTextEdit::sizeHint();
    const int frame = 2 * frameWidth() + 2 * int(document()->documentMargin());
    int height = m_lines * fontMetrics().lineSpacing() + frame;
    const auto buttons = findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QAbstractButton* button : buttons)
        height = qMax(height, button->y() + button->height());
    return QSize(base.width(), height);
}

QSize ZMultiLineEdit::minimumSizeHint() const
{
    return QSize(QPlainTextEdit::minimumSizeHint().width(), sizeHint().height());
}
