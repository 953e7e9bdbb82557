#include "fileicon.h"

#include "format.h"
#include "localbytes.h"

#include <sys/stat.h>

namespace {

struct ExtensionIcon
{
    const char* extension;
    FileIcon icon;
};

// In the order in which they are compared; the first match decides.
const ExtensionIcon Extensions[] = {
    {"JPG", FileIcon::Image},   {"JPEG", FileIcon::Image}, {"GIF", FileIcon::Image},
    {"PNG", FileIcon::Image},   {"BMP", FileIcon::Image},  {"XPM", FileIcon::Image},
    {"TXT", FileIcon::Note},    {"CFG", FileIcon::Note},   {"INI", FileIcon::Note},
    {"CONF", FileIcon::Note},   {"MP3", FileIcon::Video},  {"WMA", FileIcon::Video},
    {"M4A", FileIcon::Video},   {"AAC", FileIcon::Video},  {"FLAC", FileIcon::Video},
    {"LIN", FileIcon::Program}, {"SH", FileIcon::Program}, {"JAR", FileIcon::Game},
};

} // namespace

const char* fileIconSkinName(FileIcon icon)
{
    switch (icon) {
    case FileIcon::Card: return "FMMS_Personal_MMC_SD.g";
    case FileIcon::Folder: return "FMMS_Personal_Folder_S.g";
    case FileIcon::Image: return "FMMS_File_Image_S.g";
    case FileIcon::Note: return "FMMS_Folder_Note_S.g";
    case FileIcon::Video: return "FMMS_Folder_Video_S.g";
    case FileIcon::Program: return "FMMS_Folder_Program_S.g";
    case FileIcon::Game: return "FMMS_File_Game_S.g";
    default: return nullptr;
    }
}

const char* fileIconImageFile(FileIcon icon)
{
    switch (icon) {
    case FileIcon::CharDevice: return "res/chr.png";
    case FileIcon::BlockDevice: return "res/blk.png";
    case FileIcon::Fifo: return "res/fifo.png";
    case FileIcon::Socket: return "res/sock.png";
    case FileIcon::TarArchive: return "res/tar.png";
    case FileIcon::ZipArchive: return "res/zip.png";
    case FileIcon::SevenZipArchive: return "res/7z.png";
    case FileIcon::RarArchive: return "res/rar.png";
    case FileIcon::LinkMark: return "res/link.png";
    default: return nullptr;
    }
}

QString upperExtension(const QString& path)
{
    const int nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const int dot = path.indexOf(QLatin1Char('.'), nameStart);
    return dot < 0 ? QString() : path.mid(dot + 1).toUpper();
}

FileIcon fileIconFor(const QString& path, const FileStatus& status)
{
    if (status.isDir()) {
        // A card is mounted at /mmc/mmca1, /mmc/mmcb1 and the like.
        const bool card = path.size() == 10 && path.startsWith(QLatin1String("/mmc/mmc"));
        return card ? FileIcon::Card : FileIcon::Folder;
    }
    const QString extension = upperExtension(path);
    if (!extension.isEmpty())
        for (const ExtensionIcon& entry : Extensions)
            if (extension == QLatin1String(entry.extension))
                return entry.icon;
    // A name without an extension has no archive's ending: its row is told
    // without turning the path into bytes.
    if (!extension.isEmpty() && (!status.valid || S_ISREG(status.mode))) {
        const QByteArray bytes = toLocalBytes(path);
        if (const arkive::Format* format = arkive::formatOfArchive({bytes.constData(), size_t(bytes.size())})) {
            switch (format->family) {
            case arkive::Family::Tar: return FileIcon::TarArchive;
            case arkive::Family::Zip: return FileIcon::ZipArchive;
            case arkive::Family::SevenZip: return FileIcon::SevenZipArchive;
            case arkive::Family::Rar: return FileIcon::RarArchive;
            }
        }
    }
    if (!status.valid)
        return FileIcon::Note;
    switch (status.mode & S_IFMT) {
    case S_IFCHR: return FileIcon::CharDevice;
    case S_IFBLK: return FileIcon::BlockDevice;
    case S_IFIFO: return FileIcon::Fifo;
    case S_IFSOCK: return FileIcon::Socket;
    default: return FileIcon::Note;
    }
}
