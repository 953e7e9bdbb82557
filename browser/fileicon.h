#pragma once

#include "filestatus.h"

#include <QString>

// The icons of the file list, and which one an entry takes.
enum class FileIcon {
    Card,        // the mount folder of a memory card
    Folder,
    Image,
    Note,        // text files, plain files and entries that cannot be queried
    Video,       // audio files too: the skin has no audio picture
    Program,
    Game,
    CharDevice,
    BlockDevice,
    Fifo,
    Socket,
    TarArchive,      // tar and the compressed tars
    ZipArchive,
    SevenZipArchive,
    RarArchive,
    LinkMark,        // drawn over the icon of a symbolic link
};
constexpr int FileIconCount = int(FileIcon::LinkMark) + 1;

// The skin picture of an icon, or null for the icons read from image
// files.
const char* fileIconSkinName(FileIcon icon);
// The image file of an icon, relative to the program's folder, or null.
const char* fileIconImageFile(FileIcon icon);

// Everything after the first "." of the entry's name, in upper case.
QString upperExtension(const QString& path);
// The icon for the entry at the absolute `path`, whose status (links
// followed) is `status`. An archive's icon tells its family by the name's
// ending, as the format table knows them.
FileIcon fileIconFor(const QString& path, const FileStatus& status);
