#include "zlanguage.h"

#include <cstdlib>

namespace {
const char* const DefaultCode = "en_US";
}

QString ZLanguage::languageCodeOf(const QString& locale)
{
    QString code = locale;
    const int modifier = code.indexOf(QLatin1Char('@'));
    if (modifier >= 0)
        code.truncate(modifier);
    const int encoding = code.indexOf(QLatin1Char('.'));
    if (encoding >= 0)
        code.truncate(encoding);
    if (code.isEmpty() || code == QLatin1String("C") || code == QLatin1String("POSIX"))
        return QLatin1String(DefaultCode);
    return code;
}

QString ZLanguage::getSystemLanguageCode()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return languageCodeOf(QString::fromLocal8Bit(value));
    }
    return QLatin1String(DefaultCode);
}
