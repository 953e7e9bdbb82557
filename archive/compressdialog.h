#pragma once

#include "zbasedialog.h"

#include <QStringList>

struct CompressDialogPrivate;
struct CompressRequest;

// The dialog in which the user names the archive for the selected entries,
// picks one of the installed formats, the output folder and the zip options.
// OK starts the archiving command in the background.
class CompressDialog : public ZBaseDialog
{
    Q_OBJECT
public:
    explicit CompressDialog(QWidget* parent = nullptr, const char* name = nullptr,
                            Qt::WindowFlags f = {});
    ~CompressDialog() override;

    void setOutDir(const QString& path);
    QString outDir() const;
    void setArchiveName(const QString& name);
    QStringList files() const;
    // The dialog's values as the command is built from them.
    CompressRequest request() const;

public slots:
    void setFiles(const QStringList& list);
    // The folder the user was looking at: the entries listed in the dialog
    // are named from there (by default, from the folder of the first).
    void setShownFolder(const QString& folder);
    void slotAdvance();
    void slotSetFormat(const QString& entry);
    void slotSetOutDir();
    void accept() override;

private:
    void buildFormatList();
    void selectFormat(const QString& text);
    void updateOptions();

    CompressDialogPrivate* d;
};
