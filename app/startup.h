#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "jobrecords.h"

// The pieces of start-up that can be worked out from values alone.

struct StartOptions
{
    bool ok = true;      // false: a bad option, or -d without its argument
    QByteArray archive;  // the argument of the last -d; null when none was given
    QByteArray path;     // the first word that is no option: a folder or archive to open; null when none
};

// Parses the command line with getopt and the option string "d:". getopt
// writes its own diagnostic for a bad option to standard error.
StartOptions parseOptions(int argc, char** argv);

// The folder of an executable: the path cut at its last '/', the slash
// removed ("/a/b" gives "/a"); a file in the root folder gives "/".
QByteArray folderOf(const QByteArray& path);

// The whole target of a symbolic link, however long; null when it cannot
// be read.
QByteArray readLinkTarget(const QByteArray& link);

// The folder of the running executable, from /proc/<pid>/exe; when that link
// cannot be read, from argv[0] made absolute (looked up on PATH when it
// holds no '/').
QByteArray programFolder(const char* argv0);

// argv[0] made absolute: against `cwd` when it holds a '/', otherwise the
// first executable of that name in the folders of `path`. Null when not found.
QByteArray absoluteProgramPath(const QByteArray& argv0, const QByteArray& cwd,
                               const QByteArray& path);

// PATH for the program and the commands it starts: the old value (the
// system's standard one when unset or empty), then the program's own bin
// folder, so the system's tools come first.
QByteArray newPathValue(const char* oldPath, const QByteArray& programDir);

// LD_LIBRARY_PATH: the program's plugin and lib folders before the old value,
// if any.
QByteArray newLibraryPathValue(const char* oldValue, const QByteArray& programDir);

// The archive of -d as the program opens it: an absolute path as given; a
// relative one taken against `startFolder`, the folder the program was
// started from, when it exists there (made absolute, as the program changes
// its folder), otherwise as given, below `programDir`. Null when it exists
// in neither.
QByteArray locateArchive(const QByteArray& path, const QByteArray& startFolder,
                         const QByteArray& programDir);

// The absolute, cleaned folder that holds `path`, a relative path taken
// against `cwd`.
QString archiveFolder(const QString& path, const QString& cwd);

// Where the main window starts for the PATH of the command line, a relative
// one taken against `cwd`: in the folder it names, or in the folder of the
// file it names, `enter` then being that file (an archive opens inside).
struct StartPlace
{
    QString folder;   // empty: PATH is nowhere
    QString enter;
};
StartPlace startPlace(const QString& path, const QString& cwd);

// The name of the translation file for a language code, such as
// "arkiveui_de_DE"; QTranslator::load falls back to "arkiveui_de".
QString translationName(const QString& base, const QString& languageCode);

// What start-up tells of the leftovers of interrupted jobs it removed: each
// by its path and size, at most `shown` of them; empty when there were none.
QString leftoversText(const std::vector<arkive::Leftover>& removed, std::size_t shown = 10);
