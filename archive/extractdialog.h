#pragma once

#include "zbasedialog.h"

#include <QStringList>

#include <vector>

namespace arkive {
struct MemberPick;
}

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
    // The folder the user was looking at: the entries listed in the dialog
    // are named from there (by default, from the folder of the first).
    void setShownFolder(const QString& folder);
    // Only these members of the one archive are unpacked; none: all of it.
    void setMembers(const std::vector<arkive::MemberPick>& members);
    // The archive is known to hold one entry at its top, and so needs no
    // folder of its own.
    void setOneTopEntry(bool one);
    // Whether an archive that holds more than one entry at its top goes
    // into a folder named after it; offered when the whole archive is
    // unpacked into a folder that holds other entries.
    bool ownFolderOffered() const;
    bool ownFolder() const;
    void setOwnFolder(bool on);
    void setOutDir(const QString& dir);
    QString outDir() const;
    QString password() const;
    void setPassword(const QString& text);
    bool overwrite() const;
    void setOverwrite(bool on);

public slots:
    void slotSetOutDir();
    void slotOutDirChanged();
    void accept() override;

private:
    ExtractDialogPrivate* d;
};
