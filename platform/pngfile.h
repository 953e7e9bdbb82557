#pragma once

#include <QPixmap>
#include <QString>

// The picture of a PNG file beside the program; null when it cannot be
// read. Read as PNG only: a picture whose format must be found out is first
// offered to every image plugin installed, each loaded for it, which cost
// more than the rest of a window's start.
QPixmap readPng(const QString& path);
