// Helpers shared by tally's tests: the recorded listings and ways to feed them.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

#include <map>
#include <string>

#include "parsers.h"
#include "session.h"

namespace tallytest {

inline QString dataPath(const char* name)
{
    return QStringLiteral(ARKIVE_TEST_SOURCE_DIR "/data/") + QString::fromLatin1(name);
}

// A recorded listing, exactly as committed.
inline QByteArray recording(const char* name)
{
    QFile f(dataPath(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot open recording %s", name);
    return f.readAll();
}

// Feeds a listing to a parser one line at a time, the way the reader hands
// lines over (no end of line; an unterminated last line at the end).
inline void feedLines(tally::Parser& parser, const QByteArray& data)
{
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype nl = data.indexOf('\n', start);
        if (nl < 0) {
            parser.endOfInput(std::string_view(data.constData() + start, static_cast<std::size_t>(data.size() - start)),
                              true, 0);
            return;
        }
        parser.line(std::string_view(data.constData() + start, static_cast<std::size_t>(nl - start)), 0);
        start = nl + 1;
    }
    parser.endOfInput({}, false, 0);
}

// Feeds a listing to a session in chunks of `chunk` bytes, looking at it
// (which hands the open line to the parser) after every chunk.
inline tally::Snapshot feedSession(tally::Session& session, const QByteArray& data, qsizetype chunk)
{
    const auto t0 = tally::Clock::now();
    for (qsizetype off = 0; off < data.size(); off += chunk) {
        session.feed(data.constData() + off, static_cast<std::size_t>(qMin(chunk, data.size() - off)));
        (void)session.snapshot(t0);
    }
    session.finish(t0);
    return session.snapshot(t0);
}

// A probe with fixed answers, standing for the files that were packed.
class FakeProbe : public tally::FileProbe {
public:
    std::map<std::string, std::uint64_t> files;   // regular files (following links)
    std::map<std::string, std::uint64_t> links;   // symbolic links: what the total counted
    std::optional<std::uint64_t> fileSize(const std::string& path) override
    {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::uint64_t>(it->second);
    }
    std::optional<std::uint64_t> symlinkTargetSize(const std::string& path) override
    {
        const auto it = links.find(path);
        return it == links.end() ? std::nullopt : std::optional<std::uint64_t>(it->second);
    }
};

inline QString str(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace tallytest
