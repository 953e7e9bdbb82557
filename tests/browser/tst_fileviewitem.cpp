// A row of the file list: its texts, its two forms and where the details
// form draws what.
#include "browsertest.h"
#include "filestatus.h"
#include "fileviewitem.h"
#include "ownernames.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <utime.h>

namespace {

constexpr int Width = 240;

bool isRedInk(QRgb c)
{
    return qRed(c) - qGreen(c) > 40 && qAbs(qGreen(c) - qBlue(c)) < 24;
}

bool isGreyInk(QRgb c)
{
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) < 200;
}

// The bounding box of the pixels that pass `test`.
template<typename Test>
QRect inkBox(const QImage& image, Test test)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

QPalette testPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0, 0, 255));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

QImage render(FileViewItem& item, const QPalette& palette)
{
    QImage image(Width, item.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    item.paintCell(&p, palette, 0, Width, Qt::AlignLeft);
    return image;
}

} // namespace

class TestFileViewItem : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void textsFromTheEntry()
    {
        const QString path = m_dir.filePath(QStringLiteral("report.txt"));
        QVERIFY(makeFile(path, QByteArray(1536, 'x')));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                | QFile::ReadOther));
        const QDateTime march(QDate(2009, 3, 7), QTime(8, 5, 9));
        utimbuf times{time_t(march.toSecsSinceEpoch()), time_t(march.toSecsSinceEpoch())};
        QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);

        OwnerNames names;
        FileViewItem item(nullptr, QStringLiteral("report.txt"));
        item.setFileInfo(QStringLiteral("report.txt"), path, fileStatus(path), names);
        QCOMPARE(item.fileName, QStringLiteral("report.txt"));
        QCOMPARE(item.absPath, path);
        QCOMPARE(item.sizeText, QStringLiteral("1.50Kb"));
        QCOMPARE(item.dateText, QStringLiteral("2009-3-7 08:05:09"));
        QCOMPARE(item.permText, QStringLiteral("-rw-r--r--"));
        QCOMPARE(item.ownerText, names.user(::geteuid()));
        QCOMPARE(item.groupText, names.group(::getegid()));
        QVERIFY(item.detailText.isNull());

        item.showDetails();
        QCOMPARE(item.detailText, QStringLiteral("-rw-r--r-- %1:%2\n1.50Kb 2009-3-7 08:05:09")
                                      .arg(item.ownerText, item.groupText));
    }

    // A link whose target is missing is still a row: perror names it, and
    // it has no owner.
    void danglingLink()
    {
        const QString path = m_dir.filePath(QStringLiteral("broken"));
        QVERIFY(QFile::link(QStringLiteral("nowhere"), path));
        OwnerNames names;
        FileViewItem item(nullptr, QStringLiteral("broken"));
        QByteArray message;
        {
            StderrCapture capture;
            item.setFileInfo(QStringLiteral("broken"), path, fileStatus(path), names);
            message = capture.text();
        }
        QCOMPARE(message, QFile::encodeName(path) + ": No such file or directory\n");
        QVERIFY(item.ownerText.isNull());
        QVERIFY(item.groupText.isNull());
        QCOMPARE(item.permText, QStringLiteral("lrwxrwxrwx"));
        QCOMPARE(item.absPath, path);
        QVERIFY(!item.dateText.isEmpty());
    }

    void heights()
    {
        FileViewItem item(nullptr, QStringLiteral("x"));
        item.setHeight(40);
        item.hideDetails(); // never shown: the height stays
        QCOMPARE(item.height(), 40);
        item.showDetails();
        QCOMPARE(item.height(), 55);
        QVERIFY(item.detailsShown);
        item.permText = QStringLiteral("changed");
        item.showDetails(); // already shown: nothing is rebuilt
        QVERIFY(!item.detailText.contains(QLatin1String("changed")));
        item.hideDetails();
        QCOMPARE(item.height(), 30);
        QVERIFY(!item.detailsShown);
    }

    void sortKeys()
    {
        FileViewItem a(nullptr, QStringLiteral("zeta"), QStringLiteral("2"));
        FileViewItem b(nullptr, QStringLiteral("alpha"), QStringLiteral("1"));
        QVERIFY(a.key(0, true).isNull());
        QCOMPARE(a.key(1, true), QStringLiteral("2"));
        QVERIFY(!(a < b) && !(b < a));
    }

    // Name in the upper half, details in dark red in the lower half, both
    // right of the icon.
    void detailsLayout()
    {
        FileViewItem item(nullptr, QStringLiteral("photos"));
        QPixmap icon(22, 22);
        icon.fill(Qt::green);
        item.setPixmap(0, icon);
        item.fileName = QStringLiteral("photos");
        item.permText = QStringLiteral("drwxr-xr-x");
        item.ownerText = item.groupText = QStringLiteral("root");
        item.sizeText = QStringLiteral("4.00Kb");
        item.dateText = QStringLiteral("2009-3-7 08:05:09");
        item.showDetails();
        const QImage image = render(item, testPalette());
        const int m = item.itemMargin();

        const QRect iconBox = inkBox(image, [](QRgb c) { return c == qRgb(0, 255, 0); });
        QCOMPARE(iconBox, QRect(m, (55 - 22) / 2, 22, 22));

        const int textX = m + 22 + m;
        const QRect name = inkBox(image, isGreyInk);
        QVERIFY(!name.isEmpty());
        QVERIFY2(name.left() >= textX && name.bottom() < 27,
                 qPrintable(QStringLiteral("name ink at %1,%2 %3x%4")
                                .arg(name.x()).arg(name.y()).arg(name.width()).arg(name.height())));
        QVERIFY(name.height() > 12); // the large font

        const QRect details = inkBox(image, isRedInk);
        QVERIFY(!details.isEmpty());
        QVERIFY(details.left() >= textX && details.top() >= 27 && details.bottom() < 55);
        // Two lines: ink in both halves of the lower half.
        bool upperLine = false, lowerLine = false;
        for (int x = 0; x < Width; ++x) {
            upperLine |= isRedInk(image.pixel(x, 27 + 6));
            lowerLine |= isRedInk(image.pixel(x, 27 + 20));
        }
        QVERIFY(upperLine && lowerLine);
        QVERIFY(details.right() < Width - m);
    }

    void selectedRowIsHighlighted()
    {
        QTreeWidget view;
        auto* item = new FileViewItem(&view, QStringLiteral("photos"));
        item->fileName = QStringLiteral("photos");
        item->showDetails();
        item->setSelected(true);
        const QImage image = render(*item, testPalette());
        for (const QPoint corner : {QPoint(0, 0), QPoint(Width - 1, 0), QPoint(0, 54),
                                    QPoint(Width - 1, 54)})
            QCOMPARE(image.pixel(corner), qRgb(0, 0, 255));
        // The name is drawn in the highlighted text colour.
        const QRect white = inkBox(image, [](QRgb c) { return c == qRgb(255, 255, 255); });
        QVERIFY(!white.isEmpty() && white.bottom() < 27);

        // The plain form, too, fills a selected row.
        item->hideDetails();
        const QImage plain = render(*item, testPalette());
        QCOMPARE(plain.height(), 30);
        QCOMPARE(plain.pixel(Width - 1, 29), qRgb(0, 0, 255));
        item->setSelected(false);
        QCOMPARE(render(*item, testPalette()).pixel(Width - 1, 29), qRgb(255, 255, 255));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestFileViewItem)
#include "tst_fileviewitem.moc"
