#include "localbytes.h"

namespace {

// Code units U+DC80..U+DCFF stand for the bytes 0x80..0xFF that are not part
// of valid UTF-8. (Bytes below 0x80 are always valid.)
constexpr char16_t ByteEscape = 0xDC00;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence that starts at bytes[i], or 0 when
// the byte there does not begin one. Overlong forms, encoded surrogates and
// values above U+10FFFF are not valid.
int validSequenceLength(const QByteArray& bytes, int i)
{
    const auto at = [&](int k) { return static_cast<unsigned char>(bytes.at(k)); };
    const int left = bytes.size() - i;
    const unsigned char b0 = at(i);
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return left >= 2 && isContinuation(at(i + 1)) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3)
            return 0;
        const unsigned char b1 = at(i + 1);
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        return b1 >= lo && b1 <= hi && isContinuation(at(i + 2)) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4)
            return 0;
        const unsigned char b1 = at(i + 1);
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        return b1 >= lo && b1 <= hi && isContinuation(at(i + 2)) && isContinuation(at(i + 3))
                   ? 4
                   : 0;
    }
    return 0;
}

void appendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.append(static_cast<char>(0xC0 | (cp >> 6)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(static_cast<char>(0xE0 | (cp >> 12)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (cp >> 18)));
        out.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

QString fromLocalBytes(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    int i = 0;
    while (i < bytes.size()) {
        const int n = validSequenceLength(bytes, i);
        if (n == 0) {
            text += QChar(char16_t(ByteEscape + static_cast<unsigned char>(bytes.at(i))));
            ++i;
            continue;
        }
        const auto at = [&](int k) { return char32_t(static_cast<unsigned char>(bytes.at(k))); };
        char32_t cp = n == 1 ? at(i) : at(i) & (0x7F >> n);
        for (int k = 1; k < n; ++k)
            cp = (cp << 6) | (at(i + k) & 0x3F);
        if (QChar::requiresSurrogates(cp)) {
            text += QChar(QChar::highSurrogate(cp));
            text += QChar(QChar::lowSurrogate(cp));
        } else {
            text += QChar(char16_t(cp));
        }
        i += n;
    }
    return text;
}

QByteArray toLocalBytes(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(u, text.at(i + 1).unicode()));
            ++i;
        } else if (u >= ByteEscape + 0x80 && u <= ByteEscape + 0xFF) {
            out.append(static_cast<char>(u - ByteEscape));
        } else if (QChar::isSurrogate(u)) {
            appendUtf8(out, QChar::ReplacementCharacter);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}
