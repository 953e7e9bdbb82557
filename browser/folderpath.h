#pragma once

#include <QString>

// Path rules of the file browser.

// The path of the entry `name` in the folder `dir`: one "/" between them,
// also when `dir` is the root.
QString childPath(const QString& dir, const QString& name);
// The folder one level up: `dir` cut at its last "/", or "/" when that is
// the first character. A text without any "/" is given back unchanged.
QString parentFolder(const QString& dir);

// What a tap on a row does, by where it lands: x in the view, W the width
// of the view's parent.
enum class TapZone {
    Toggle,      // x < W / 5: the press has toggled the row, nothing more
    SelectEnter, // up to 4W / 5: select the row alone, enter it if a folder
    Select,      // further right: select the row alone
};
TapZone tapZone(int x, int width);
