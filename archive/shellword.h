#pragma once

#include <QByteArray>
#include <QString>

#include "localbytes.h"

// Turning values into words of a /bin/sh command line, and turning the line
// into the bytes that the shell gets.

// A word made only of A-Z a-z 0-9 _ @ % + = : , . / - goes in as it is, and
// so does an empty word; any other word is single-quoted, with ' written as '\''.
QString shellWord(const QString& word);

// shellWord for a word inside a back-quoted command substitution: every \, `
// and $ of the quoted word is also escaped with a backslash, because the
// shell finds the closing back quote before it reads the single quotes.
QString backquotedShellWord(const QString& word);

// A relative path that begins with "-" gets "./" in front, so that a tool
// takes it as a name, not as an option.
QString pathArgument(const QString& path);
