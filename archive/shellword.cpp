#include "shellword.h"

namespace {

bool isPlainWordChar(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
        return true;
    switch (u) {
    case '_': case '@': case '%': case '+': case '=': case ':': case ',':
    case '.': case '/': case '-':
        return true;
    default:
        return false;
    }
}

} // namespace

QString shellWord(const QString& word)
{
    bool plain = true;
    for (QChar c : word) {
        if (!isPlainWordChar(c)) {
            plain = false;
            break;
        }
    }
    if (plain)
        return word;
    QString quoted;
    quoted.reserve(word.size() + 2);
    quoted += QLatin1Char('\'');
    for (QChar c : word) {
        if (c == QLatin1Char('\''))
            quoted += QLatin1String("'\\''");
        else
            quoted += c;
    }
    quoted += QLatin1Char('\'');
    return quoted;
}

QString pathArgument(const QString& path)
{
    // GNU tar takes an archive name with a colon and no slash before it
    // for HOST:FILE on another machine, reached through rsh.
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    if (path.startsWith(QLatin1Char('-')) || (colon >= 0 && !path.left(colon).contains(QLatin1Char('/'))))
        return QLatin1String("./") + path;
    return path;
}
