#include "selectionlist.h"

#include "folderpath.h"

#include <QLabel>
#include <QListWidget>
#include <QScroller>
#include <QVBoxLayout>

QString entryLabel(const QString& path, const QString& shownFolder)
{
    if (parentFolder(path) == shownFolder)
        return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString inside = shownFolder.endsWith(QLatin1Char('/')) ? shownFolder : shownFolder + QLatin1Char('/');
    if (!shownFolder.isEmpty() && path.startsWith(inside))
        return path.mid(inside.size());
    return path;
}

SelectionList::SelectionList(bool droppable, int lines, QWidget* parent)
    : QWidget(parent)
    , m_droppable(droppable)
    , m_lines(lines)
{
    m_count = new QLabel(this);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QScroller::grabGesture(m_list->viewport(), QScroller::LeftMouseButtonGesture);
    if (!droppable) {
        // Lines of text on the dialog, centred as its other texts.
        m_count->setAlignment(Qt::AlignCenter);
        m_list->setFrameShape(QFrame::NoFrame);
        m_list->viewport()->setAutoFillBackground(false);
        m_list->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_count);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemChanged, this, [this] {
        showCount();
        emit changed();
    });
}

void SelectionList::setEntries(const QStringList& paths)
{
    m_paths = paths;
    if (m_shownFolder.isEmpty() && !paths.isEmpty())
        m_shownFolder = parentFolder(paths.first());
    showLines();
}

void SelectionList::setShownFolder(const QString& folder)
{
    m_shownFolder = folder;
    showLines();
}

void SelectionList::showLines()
{
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        for (const QString& path : std::as_const(m_paths)) {
            auto* line = new QListWidgetItem(entryLabel(path, m_shownFolder), m_list);
            if (m_droppable) {
                line->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                line->setCheckState(Qt::Checked);
            } else {
                line->setFlags(Qt::ItemIsEnabled);
                line->setTextAlignment(Qt::AlignCenter);
            }
        }
    }
    // As high as its lines, up to a few; then it scrolls.
    const int shown = int(qMin<qsizetype>(m_paths.size(), m_lines));
    const int line = m_list->count() > 0 ? m_list->sizeHintForRow(0) : 0;
    m_list->setFixedHeight(shown * line + 2 * m_list->frameWidth());
    m_list->setHidden(m_paths.isEmpty());
    showCount();
}

QStringList SelectionList::entries() const
{
    QStringList kept;
    for (int i = 0; i < m_list->count(); ++i)
        if (!m_droppable || m_list->item(i)->checkState() == Qt::Checked)
            kept << m_paths.at(i);
    return kept;
}

void SelectionList::showCount()
{
    m_count->setText(tr("%n selected", nullptr, int(entries().size())));
}
