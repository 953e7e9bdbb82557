#include "extractcommand.h"

ArchiveType archiveTypeOf(const QString&) { return ArchiveType::None; }
QString extractCommand(const QString&, const QString&, const QString&, bool) { return QString(); }
QString extractTrace(const QString&, const QString&, const QString&, bool) { return QString(); }
