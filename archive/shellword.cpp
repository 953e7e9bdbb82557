#include "shellword.h"

QString shellWord(const QString& word) { return word; }
QString backquotedShellWord(const QString& word) { return word; }
QString pathArgument(const QString& path) { return path; }
QString fromLocalBytes(const QByteArray& bytes) { return QString::fromUtf8(bytes); }
QByteArray toLocalBytes(const QString& text) { return text.toUtf8(); }
