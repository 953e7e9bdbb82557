// The one list of names that the shell would split, expand or run if they
// ever went into a command line unquoted, and names a tool could take for
// an option. Every round trip and every command-line test uses it.
#pragma once

#include <QByteArrayList>

#include <algorithm>

inline const QByteArrayList& hostileNames()
{
    static const QByteArrayList names = {
        "two words",
        "say \"hi\" it's",
        "$HOME$(touch canary)${IFS}",
        "`touch canary`",
        "a\\b\\",
        "a;touch canary;b",
        "&touch canary&",
        "|touch canary",
        "<in>canary",
        "*?[ab]",
        "a*",               // beside "ab", an unquoted a* would name ab
        "{a,b}",
        "~root",
        "#x",
        "!x",
        "a\ntouch canary\n",
        "a\tb",
        "-rf",
        "--help",
        "caf\xe9\xff\x80",  // not UTF-8
        QByteArray(125, 'L') + QByteArray(125, '$'),
    };
    return names;
}

// unzip rewrites control characters in member names and does not keep bytes
// that are not UTF-8: zip round trips leave such names out.
inline bool zipKeepsName(const QByteArray& name)
{
    return std::all_of(name.begin(), name.end(), [](unsigned char b) { return b >= 0x20 && b < 0x80; });
}
