// A stand-in for the archivers and tally: installed under their names, it
// appends what it was started with to the file named by ARKIVE_RECORD_LOG.
// One record: "p:" name, "a:" for each argument, "i:" the file that standard
// input is, "4:" the file that descriptor 4 is when an argument names it,
// each ended by a NUL byte; an empty field ends the record. The
// record goes out in one write() to a file opened for appending, so records
// of programs that run side by side do not mix.
//
// As "unzip -Z -t" it prints a summary line such as unzip gives, so that the
// back-quoted count of the zip line has something to work on.

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    const char* log = std::getenv("ARKIVE_RECORD_LOG");
    if (!log)
        return 99;
    const char* slash = std::strrchr(argv[0], '/');
    const std::string name = slash ? slash + 1 : argv[0];

    std::string record = "p:" + name;
    record += '\0';
    for (int i = 1; i < argc; ++i) {
        record += "a:";
        record += argv[i];
        record += '\0';
    }
    char input[PATH_MAX + 1];
    const ssize_t n = readlink("/proc/self/fd/0", input, PATH_MAX);
    record += "i:";
    record.append(input, n > 0 ? size_t(n) : 0);
    record += '\0';
    // A file handed over as /dev/fd/4: which one it is.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "/dev/fd/4") == 0) {
            const ssize_t m = readlink("/proc/self/fd/4", input, PATH_MAX);
            record += "4:";
            record.append(input, m > 0 ? size_t(m) : 0);
            record += '\0';
            break;
        }
    }
    record += '\0';

    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0 || write(fd, record.data(), record.size()) != ssize_t(record.size()))
        return 98;
    close(fd);

    if (name == "unzip" && argc > 1 && std::strcmp(argv[1], "-Z") == 0)
        std::printf("7 files, 1234 bytes uncompressed, 567 bytes compressed:  54.1%%\n");
    return 0;
}
