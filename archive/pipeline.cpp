#include "pipeline.h"

#include <QRandomGenerator>

QString traceText(const QString& line)
{
    QString text;
    text.reserve(line.size());
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\n': text += QLatin1String("\\n"); break;
        case '\t': text += QLatin1String("\\t"); break;
        case '\r': text += QLatin1String("\\r"); break;
        case 0x1b: text += QLatin1String("\\e"); break;
        default:
            if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
                text += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
            else
                text += c;
        }
    }
    return text;
}

QString randomToken()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr int TokenLength = 8;
    QString token;
    for (int i = 0; i < TokenLength; ++i)
        token += QLatin1Char(letters[QRandomGenerator::system()->bounded(int(sizeof letters - 1))]);
    return token;
}
