#pragma once

#include <QString>

// A command line as the trace shows it: control characters escaped (\e, \n,
// \t, \xHH), so that a name can neither drive a terminal nor split the line.
QString traceText(const QString& line);

// Eight random letters and digits, for the names of the files and folders a
// line works in before tally puts its result in place.
QString randomToken();
