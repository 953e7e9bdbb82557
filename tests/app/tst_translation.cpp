// The extract dialog's texts come from the translation of the system
// language, loaded the way start-up loads it.
#include "extractdialog.h"
#include "startup.h"
#include "zlanguage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

const QString TranslationDir = QStringLiteral(ARKIVE_PROGRAM_DIR "/i18n");

void setLocale(const char* lang)
{
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", lang);
}

QStringList visibleTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    return texts;
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT
private slots:
    void languageCode()
    {
        QCOMPARE(ZLanguage::languageCodeOf("de_DE.UTF-8"), QStringLiteral("de_DE"));
        QCOMPARE(ZLanguage::languageCodeOf("zh_CN.GB18030"), QStringLiteral("zh_CN"));
        QCOMPARE(ZLanguage::languageCodeOf("sr_RS@latin"), QStringLiteral("sr_RS"));
        QCOMPARE(ZLanguage::languageCodeOf("C.UTF-8"), QStringLiteral("en_US"));
        QCOMPARE(ZLanguage::languageCodeOf("POSIX"), QStringLiteral("en_US"));

        qputenv("LC_ALL", "fr_FR.UTF-8");
        qputenv("LC_MESSAGES", "it_IT.UTF-8");
        qputenv("LANG", "de_DE.UTF-8");
        QCOMPARE(ZLanguage::getSystemLanguageCode(), QStringLiteral("fr_FR"));
        qputenv("LC_ALL", "");
        QCOMPARE(ZLanguage::getSystemLanguageCode(), QStringLiteral("it_IT"));
        qunsetenv("LC_MESSAGES");
        QCOMPARE(ZLanguage::getSystemLanguageCode(), QStringLiteral("de_DE"));
        qunsetenv("LANG");
        QCOMPARE(ZLanguage::getSystemLanguageCode(), QStringLiteral("en_US"));
    }

    void germanDialog()
    {
        setLocale("de_DE.UTF-8");
        QTranslator translator;
        QVERIFY(translator.load(translationName("arkiveui", ZLanguage::getSystemLanguageCode()),
                                TranslationDir));
        QVERIFY(qApp->installTranslator(&translator));
        ExtractDialog dialog;
        const QStringList texts = visibleTexts(dialog);
        qApp->removeTranslator(&translator);
        for (const char* german : {"Entpacken", "Ordner", "Passwort", "Abbrechen", "OK"})
            QVERIFY2(texts.contains(QString::fromUtf8(german)), german);
        QVERIFY(texts.contains(QString::fromUtf8("Vorhandene überschreiben")));
    }

    void languageWithoutFile()
    {
        setLocale("fr_FR.UTF-8");
        QTranslator translator;
        QVERIFY(!translator.load(translationName("arkiveui", ZLanguage::getSystemLanguageCode()),
                                 TranslationDir));
        qApp->installTranslator(&translator);
        ExtractDialog dialog;
        const QStringList texts = visibleTexts(dialog);
        qApp->removeTranslator(&translator);
        for (const char* english :
             {"Extract Dialog", "Dir", "Password", "Cancel", "Ok", "Overwrite existences"})
            QVERIFY2(texts.contains(QLatin1String(english)), english);
    }

    // zh_CN finds arkiveui_zh_CN.qm first and falls back to arkiveui_zh.qm.
    void regionFallsBackToLanguage()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QFile::copy(TranslationDir + QStringLiteral("/arkiveui_de.qm"),
                            dir.filePath(QStringLiteral("arkiveui_zh.qm"))));
        setLocale("zh_CN.UTF-8");
        QTranslator translator;
        QVERIFY(translator.load(translationName("arkiveui", ZLanguage::getSystemLanguageCode()),
                                dir.path()));
        QCOMPARE(translator.filePath(), dir.filePath(QStringLiteral("arkiveui_zh.qm")));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
