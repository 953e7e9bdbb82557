#pragma once

#include <QByteArray>
#include <QString>

#include "localbytes.h"

// Turning values into words of a /bin/sh command line, and turning the line
// into the bytes that the shell gets.

// A word made only of A-Z a-z 0-9 _ @ % + = : , . / - goes in as it is, and
// so does an empty word; any other word is single-quoted, with ' written as '\''.
QString shellWord(const QString& word);

// A relative path that begins with "-", or holds a colon before any "/",
// gets "./" in front, so that a tool takes it as a name, not as an option
// or (tar) as HOST:FILE.
QString pathArgument(const QString& path);
