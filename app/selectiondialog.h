#pragma once

#include "zbasedialog.h"

#include <QStringList>

class SelectionList;

// What is selected, in every folder, one tick each: clearing a tick and
// OK drop the entry from the selection. Opened by a tap on the main
// window's title while anything is selected.
class SelectionDialog : public ZBaseDialog
{
    Q_OBJECT
public:
    SelectionDialog(const QStringList& selected, const QString& shownFolder, QWidget* parent = nullptr);

    // The entries still ticked.
    QStringList kept() const;

private:
    SelectionList* m_list;
};
