#pragma once

#include <QList>
#include <QString>

// How every archiving and unpacking line is put together, so that tally
// learns how each program of the line ended, not only what it listed:
//
//   { { STAGE | STAGE ...; } 2>&1 >&3 | tally --relay >&3; } 3>&1 | tally WORDS &
//
// Each stage runs in a group that writes the program's exit status into the
// pipe to tally once the program has ended (a record "\0S<name> <status>\0"),
// the error output of all programs goes through `tally --relay`, which hands
// each line on as a record of its own ("\0E<line>\0"), and the listings of
// the last stage go to tally as they are. Records are written with one
// write() each and listings never hold a NUL byte, so tally tells them
// apart however they interleave. The pipe to tally ends only when every
// stage has ended, so tally has every status before it decides.

struct Stage
{
    QString name;    // the program, as tally names it ("gzip", "tar")
    QString words;   // the command, its values quoted for the shell
};

// The whole line; tally's words end with how many stages report. `prepare`,
// when given, runs first (making the folder the stages work in); when it
// fails, its status is reported under its own name and the stages do not run.
QString pipelineLine(const QList<Stage>& stages, const QString& tallyWords, const Stage& prepare = {});

// A command line as the trace shows it: control characters escaped (\e, \n,
// \t, \xHH), so that a name can neither drive a terminal nor split the line.
QString traceText(const QString& line);

// Eight random letters and digits, for the names of the files and folders a
// line works in before tally puts its result in place.
QString randomToken();
