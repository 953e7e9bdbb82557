#include "zfiledialog.h"

// The chooser has no list to walk yet, so it answers as a cancelled one.
QString ZFileDialog::getDir(QWidget*)
{
    return QString();
}
