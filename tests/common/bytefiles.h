// Files and trees handled as bytes: names need not be UTF-8.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QCryptographicHash>
#include <QMap>
#include <QTest>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

inline bool writeBytes(const QByteArray& path, const QByteArray& data, mode_t mode = 0644)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, data.constData(), size_t(data.size())) == data.size();
    return ::close(fd) == 0 && ok;
}

inline QByteArray readBytes(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "(unreadable)";
    QByteArray data;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        data.append(buffer, n);
    ::close(fd);
    return data;
}

// The names in a folder but "." and "..", in the order the system gives.
inline QByteArrayList namesIn(const QByteArray& folder)
{
    QByteArrayList names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir))
            if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                names << entry->d_name;
        ::closedir(dir);
    }
    return names;
}

// The list in byte order.
inline QByteArrayList sorted(QByteArrayList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

// Every entry below a folder by its path relative to it: "d" for a folder,
// "l:" and the target for a link, "f:" with size and digest for a file.
using Tree = QMap<QByteArray, QByteArray>;

inline Tree describeTree(const QByteArray& root, const QByteArray& relative = {})
{
    Tree tree;
    for (const QByteArray& name : namesIn(root + relative)) {
        const QByteArray rel = relative + '/' + name, path = root + rel;
        struct stat st;
        char target[4096];
        if (::lstat(path.constData(), &st) != 0) {
            tree.insert(rel, "(no status)");
        } else if (S_ISDIR(st.st_mode)) {
            tree.insert(rel, "d");
            tree.insert(describeTree(root, rel));
        } else if (S_ISLNK(st.st_mode)) {
            const ssize_t n = ::readlink(path.constData(), target, sizeof target);
            tree.insert(rel, "l:" + QByteArray(target, n > 0 ? int(n) : 0));
        } else if (S_ISREG(st.st_mode)) {
            const QByteArray content = readBytes(path);
            tree.insert(rel, "f:" + QByteArray::number(content.size()) + ':'
                                 + QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
        } else {
            tree.insert(rel, "(other type)");
        }
    }
    return tree;
}

// Empty when the trees are equal, otherwise what differs.
inline QByteArray treeDifference(const Tree& expected, const Tree& actual)
{
    QByteArray text;
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (actual.value(it.key()) != it.value())
            text += (actual.contains(it.key()) ? "differs: " : "missing: ") + it.key() + '\n';
    for (auto it = actual.begin(); it != actual.end(); ++it)
        if (!expected.contains(it.key()))
            text += "extra: " + it.key() + '\n';
    return text;
}

#define COMPARE_TREES(actualRoot, expectedRoot)                                                        \
    do {                                                                                               \
        const QByteArray diff_ = treeDifference(describeTree(expectedRoot), describeTree(actualRoot)); \
        QVERIFY2(diff_.isEmpty(), diff_.constData());                                                  \
    } while (false)

// Removes a file or a whole tree, also where its folders are not writable.
inline void removeTree(const QByteArray& path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
        ::chmod(path.constData(), 0755);
        for (const QByteArray& name : namesIn(path))
            removeTree(path + '/' + name);
        ::rmdir(path.constData());
    } else {
        ::unlink(path.constData());
    }
}
