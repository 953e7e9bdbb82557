#!/bin/sh
# Stands in for the archivers, mkdir and tally in tst_commands, under their
# names: writes its name and its words, each ended by a NUL byte, to a file
# of its own in ARKIVE_RECORD_DIR. /dev/fd/4 is written as the file it is,
# a file on standard input as "<" and its path.
{
    printf '%s\0' "${0##*/}"
    for word; do
        [ "$word" = /dev/fd/4 ] && word=$(readlink /proc/$$/fd/4)
        printf '%s\0' "$word"
    done
    [ -f /dev/stdin ] && printf '<%s\0' "$(readlink /proc/$$/fd/0)"
} >"$ARKIVE_RECORD_DIR/$$"
exit 0
