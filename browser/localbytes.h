#pragma once

#include <QByteArray>
#include <QString>

// Paths are bytes, not always UTF-8. A byte that is not part of valid UTF-8
// is kept in a QString as the code unit U+DC80 + byte (which valid UTF-8 never
// gives), so that such names go through the program and back unchanged.
QString fromLocalBytes(const QByteArray& bytes);
QByteArray toLocalBytes(const QString& text);
