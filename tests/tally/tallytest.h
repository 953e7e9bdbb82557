// Support for tally's tests: the files of data/, the words tally is given,
// folders written and read as words, children.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QTest>

#include <signal.h>
#include <sys/wait.h>

#include <string_view>
#include <utility>
#include <vector>

#include "bytefiles.h"
#include "options.h"

namespace tallytest {

const QString dataPath = ARKIVE_TEST_SOURCE_DIR "/data/";

// A file of data/, exactly as committed.
inline QByteArray recording(const QByteArray& name)
{
    QFile f(dataPath + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot open %s", name.constData());
    return f.readAll();
}

// tally's words, split at blanks. "@FILE" stands for the whole of a file of
// data/ as one word: "-T @zipinfo-6.0-count-one.txt" is what the zip form's
// quoted count hands over.
inline tally::Options options(const QByteArray& line)
{
    QByteArrayList words;
    std::vector<std::string_view> views;
    for (const QByteArray& w : line.simplified().split(' '))
        words += w.startsWith('@') ? recording(w.mid(1)) : w;
    for (const QByteArray& w : words)
        views.emplace_back(w.constData(), std::size_t(w.size()));
    return tally::parseOptions(views);
}

// A member line of tar -vv.
inline QByteArray tarLine(const char* size, const QByteArray& name)
{
    return QByteArray("-rw-r--r-- a/b ") + size + " 2026-12-06 22:34 " + name + "\n";
}

// Makes in `dir` what the words name: "NAME=CONTENT" a file, "NAME/" a folder.
inline bool makeFiles(const QByteArray& dir, const QByteArray& words)
{
    for (const QByteArray& w : words.split(' '))
        if (w.endsWith('/') ? ::mkdir(dir + '/' + w.chopped(1), 0755) != 0
                            : !w.isEmpty() && !writeBytes(dir + '/' + w.left(w.indexOf('=')), w.mid(w.indexOf('=') + 1)))
            return false;
    return true;
}

// What `dir` holds in those words, sorted, folders followed by what they hold.
inline QByteArrayList filesIn(const QByteArray& dir, const QByteArray& under = {})
{
    QByteArrayList found;
    for (const QByteArray& name : namesIn(dir + '/' + under)) {
        struct stat st;
        const QByteArray path = under + name;
        if (::lstat(dir + '/' + path, &st) == 0 && S_ISDIR(st.st_mode))
            found << path + '/' << filesIn(dir, path + '/');
        else
            found << path + '=' + readBytes(dir + '/' + path);
    }
    return sorted(found);
}

// A child process, killed and reaped when the test ends before it waited
// for it: a failed test leaves nothing running.
struct Child {
    pid_t pid = -1;
    ~Child()
    {
        if (pid > 0 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
    }
    int wait()   // the status
    {
        int status = 0;
        ::waitpid(std::exchange(pid, -1), &status, 0);
        return status;
    }
};

} // namespace tallytest
