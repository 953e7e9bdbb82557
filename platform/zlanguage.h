#pragma once

#include <QString>

class ZLanguage
{
public:
    // The system language as "de_DE" or "zh_CN", taken from LC_ALL,
    // LC_MESSAGES or LANG (the first that is set and not empty). The C and
    // POSIX locales, and no locale at all, give "en_US".
    static QString getSystemLanguageCode();
    // The same rule on a locale name such as "de_DE.UTF-8@euro".
    static QString languageCodeOf(const QString& locale);
};
