#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;

// How an entry is named in a list of what will be worked on: its name when
// it lies in the folder shown, its path from there when it lies below it,
// its whole path otherwise.
QString entryLabel(const QString& path, const QString& shownFolder);

// The entries a dialog will work on, in sight before OK: how many, then one
// line each, scrolling when there are more than `lines`. With `droppable`,
// each line has a tick; clearing it drops the entry (and ticking it again
// takes it back). Without, the lines read as text on the dialog.
class SelectionList : public QWidget
{
    Q_OBJECT
public:
    SelectionList(bool droppable, int lines, QWidget* parent = nullptr);

    // Named from the folder shown; until one is set, from the first
    // entry's folder.
    void setEntries(const QStringList& paths);
    // Entries in this folder are named by their names alone.
    void setShownFolder(const QString& folder);
    // The entries still ticked, in their order.
    QStringList entries() const;

signals:
    void changed();

private:
    void showLines();
    void showCount();

    bool m_droppable;
    int m_lines;
    QStringList m_paths;
    QString m_shownFolder;
    QLabel* m_count = nullptr;
    QListWidget* m_list = nullptr;
};
