// The format table against the files that repeat it for others: the "open
// with" desktop entry's MIME types, the README's table of formats and
// tools, the Debian package's dependencies, and the texts that name the
// formats (README, package description, metainfo).
#include "format.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QString source(const char* path)
{
    QFile file(QStringLiteral(ARKIVE_TEST_SOURCE_DIR "/../../") + path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString programs(const std::vector<arkive::Tool>& tools)
{
    QStringList names;
    for (const arkive::Tool& tool : tools)
        names << tool.program;
    return names.join(", ");
}

// The README's row of a format: its endings, the programs that pack and
// unpack it (with the ones that take over in brackets), the parallel tools
// that take the compressor's place, its packages.
QString readmeRow(const arkive::Format& f)
{
    QStringList endings, packages, parallel;
    for (const arkive::Ending& e : f.endings)
        endings << e.text;
    for (const auto* tools : {&f.packTools, &f.unpackTools, &f.otherTools})
        for (const arkive::Tool& tool : *tools)
            if (!packages.contains(tool.package))
                packages << tool.package;
    for (const arkive::ParallelTool& p : f.parallel) {
        QStringList words;
        for (const char* word : p.pack)
            words << word;
        parallel << words.join(' ') + (p.unpack.empty() ? " (packing)" : "");
        if (!packages.contains(p.tool.package))
            packages << p.tool.package;
    }
    const QString others = f.otherTools.empty() ? QString() : " (or " + programs(f.otherTools) + ")";
    return "| " + endings.first() + (endings.size() > 1 ? " (" + endings.mid(1).join(", ") + ")" : QString()) + " | "
           + (f.packs ? programs(f.packTools) + others : QString("—")) + " | " + programs(f.unpackTools) + others + " | "
           + (parallel.isEmpty() ? QString("—") : parallel.join(" or ")) + " | " + packages.join(", ") + " |";
}

} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    // Both open every format: the launcher shows what an archive holds,
    // the other entry unpacks it.
    void desktopEntriesOpenEveryFormat()
    {
        QSet<QString> table;
        for (const arkive::Format& f : arkive::formats())
            for (const char* mime : f.mimeTypes)
                table << mime;
        for (const char* file : {"res/io.github.arkive.Arkive.desktop", "res/io.github.arkive.Arkive.Extract.desktop"}) {
            const QString entry = source(file);
            const QRegularExpressionMatch line = QRegularExpression("^MimeType=(.*)$", QRegularExpression::MultilineOption).match(entry);
            QVERIFY2(line.hasMatch(), file);
            const QStringList listed = line.captured(1).split(';', Qt::SkipEmptyParts);
            QCOMPARE(QSet<QString>(listed.begin(), listed.end()), table);
        }
    }

    void readmeTableIsTheTable()
    {
        QStringList rows;
        for (const arkive::Format& f : arkive::formats())
            rows << readmeRow(f);
        const QString readme = source("README.md");
        const qsizetype start = readme.indexOf("| format | packs with | unpacks with | on every core | Debian packages |");
        QVERIFY(start >= 0);
        const QStringList lines = readme.mid(start).split('\n').mid(2, int(rows.size()));
        QVERIFY2(lines == rows, qPrintable("The README's table should read:\n" + rows.join('\n')));
    }

    // Every tool's package is a dependency, a recommendation or a
    // suggestion of the package, and is installed by the test command.
    void packagesNamed()
    {
        const QString package = source("package.cmake"), deps = source("scripts/install-deps.sh");
        const QRegularExpression field("set\\(CPACK_DEBIAN_PACKAGE_(?:DEPENDS|RECOMMENDS|SUGGESTS) \"([^\"]*)\"\\)");
        QStringList named;
        for (auto m = field.globalMatch(package); m.hasNext();)
            named += m.next().captured(1).split(", ");
        for (const arkive::Format& f : arkive::formats()) {
            std::vector<arkive::Tool> all = f.packTools;
            all.insert(all.end(), f.unpackTools.begin(), f.unpackTools.end());
            all.insert(all.end(), f.otherTools.begin(), f.otherTools.end());
            for (const arkive::ParallelTool& p : f.parallel)
                all.push_back(p.tool);
            for (const arkive::Tool& tool : all) {
                QVERIFY2(named.contains(tool.package), tool.package);
                QVERIFY2(QString(tool.package) == "unrar" || deps.contains(QRegularExpression(QString("\\b%1\\b").arg(tool.package))),
                         tool.package);
            }
        }
    }

    // The texts that list what arkive packs name every format it packs.
    void textsNameEveryFormat()
    {
        for (const char* file : {"README.md", "package.cmake", "res/io.github.arkive.Arkive.metainfo.xml"}) {
            const QString text = source(file);
            for (const arkive::Format& f : arkive::formats())
                QVERIFY2(text.contains(QRegularExpression(QString("\\b%1\\b").arg(QRegularExpression::escape(f.name)))),
                         qPrintable(QString(file) + ": " + f.name));
        }
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
