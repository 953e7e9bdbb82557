#pragma once

#include "zbasedialog.h"

#include <QStringList>

struct ExtractDialogPrivate;

// The dialog in which the user says where and how the archives handed to it
// are unpacked. OK runs one unpacking command per archive.
class ExtractDialog : public ZBaseDialog
{
    Q_OBJECT
public:
    explicit ExtractDialog(QWidget* parent = nullptr, const char* name = nullptr,
                           Qt::WindowFlags f = {});
    ~ExtractDialog() override;

    void setFiles(const QStringList& list);
    QStringList files() const;
    void setOutDir(const QString& dir);
    QString outDir() const;
    QString password() const;
    void setPassword(const QString& text);
    bool overwrite() const;
    void setOverwrite(bool on);

public slots:
    void slotSetOutDir();
    void accept() override;

private:
    ExtractDialogPrivate* d;
};
