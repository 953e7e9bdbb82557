// The phone layer: skin pictures, the screen's rectangles and the text field.
#include "res_icon_reader.h"
#include "zbasedialog.h"
#include "zglobal.h"
#include "zmainwidget.h"
#include "zmultilineedit.h"
#include "zpushbutton.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void skinPicturesNeverNull_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"Cut_Screen_TitleBackground_A", "Dialog_Up_Arr", "Dialog_Up_Arr.g", "Dialog_Down_Arr",
              "CST_Menu", "CST_Back", "FMMS_Personal_MMC_SD.g", "FMMS_Personal_Folder_S.g",
              "FMMS_File_Image_S.g", "FMMS_Folder_Note_S.g", "FMMS_Folder_Video_S.g",
              "FMMS_Folder_Program_S.g", "FMMS_File_Game_S.g", "No_Such_Picture"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void skinPicturesNeverNull()
    {
        QFETCH(QString, name);
        const QPixmap picture = RES_ICON_Reader().getIcon(name, true);
        QVERIFY(!picture.isNull());
        QVERIFY(picture.width() > 0 && picture.height() > 0);
    }

    void titleBackgroundFillsTheTitleStrip()
    {
        const QPixmap picture = RES_ICON_Reader().getIcon("Cut_Screen_TitleBackground_A", true);
        QCOMPARE(picture.size(), ZGlobal::getDlgTitleLR().size());
    }

    void softKeysTileTheBottomOfTheScreen()
    {
        const QRect screen = ZGlobal::getScreenR();
        QCOMPARE(screen, QRect(0, 0, 240, 320));
        const QRect keys[] = {ZGlobal::getCst4b_1R(), ZGlobal::getCst4b_2R(),
                              ZGlobal::getCst4b_3R(), ZGlobal::getCst4b_4R()};
        int left = screen.left();
        for (const QRect& key : keys) {
            QVERIFY(screen.contains(key));
            QCOMPARE(key.left(), left);
            QCOMPARE(key.bottom(), screen.bottom());
            left = key.right() + 1;
        }
        QCOMPARE(left, screen.right() + 1);
        QVERIFY(screen.contains(ZGlobal::getDlgTitleLR()));
    }

    // Screen rectangles are mapped into the parent of the widget placed with
    // them; the top-level window stands for the screen.
    void mapFromGlobalIntoTheParent()
    {
        QWidget window;
        window.resize(ZGlobal::getScreenR().size());
        auto* bar = new QWidget(&window);
        bar->setGeometry(0, 290, 240, 30);
        auto* key = new QWidget(bar);
        QCOMPARE(ZGlobal::mapFromGlobalR(key, ZGlobal::getCst4b_2R()), QRect(60, 0, 60, 30));
        QCOMPARE(ZGlobal::mapFromGlobalR(bar, QRect(0, 290, 240, 30)), QRect(0, 290, 240, 30));
    }

    // A dialog placed at a phone-screen position lands on the emulated
    // phone's screen, wherever the desktop put the main widget.
    void dialogPositionsLandOnThePhoneScreen()
    {
        ZMainWidget phone(QString(), true);
        phone.move(300, 200);
        phone.show();
        QVERIFY(QTest::qWaitForWindowExposed(&phone));
        ZBaseDialog dialog(&phone);
        dialog.move(5, 65);
        const QPoint screenOrigin = phone.mapToGlobal(QPoint(0, 0)) - phone.screenPosition();
        QCOMPARE(dialog.pos(), screenOrigin + QPoint(5, 65));

        ZBaseDialog alone;
        alone.move(5, 65);
        QCOMPARE(alone.pos(), QPoint(5, 65));
    }

    void mainWidgetStates()
    {
        ZMainWidget phone(QString(), true);
        phone.showNormal();
        QCOMPARE(phone.size(), QSize(240, 320 - ZMainWidget::StatusBarHeight));
        phone.showMaximized();
        QCOMPARE(phone.size(), ZGlobal::getScreenR().size());
        QCOMPARE(phone.screenPosition(), QPoint(0, 0));
        // The soft-key bar keeps its place at the bottom of the screen.
        QCOMPARE(phone.getCSTWidget(true)->geometry().bottom(), phone.height() - 1);
    }

    void buttonResources()
    {
        ZPushButton button(QStringLiteral("CST_Back"), nullptr);
        QVERIFY(!button.icon().isNull());
        QCOMPARE(button.resourceID(), QStringLiteral("CST_Back"));
        button.setResourceID(QString());
        QVERIFY(button.icon().isNull());
    }

    // The program's own text is kept exactly; what the user types or pastes
    // never brings in a newline.
    void fieldFilter()
    {
        ZMultiLineEdit field(nullptr, true, 2);
        field.setInputFilter(QRegularExpression(QStringLiteral("\n")), false);
        const QString exact = QStringLiteral("/tmp/a\nb\rc\u00a0d\u2029e");
        field.setText(exact);
        QCOMPARE(field.text(), exact);

        field.setText(QStringLiteral("/mmc"));
        field.moveCursor(QTextCursor::End);
        QTest::keyClick(&field, Qt::Key_Return);
        QTest::keyClick(&field, Qt::Key_Enter);
        QTest::keyClicks(&field, QStringLiteral("/x"));
        QCOMPARE(field.text(), QStringLiteral("/mmc/x"));

        QApplication::clipboard()->setText(QStringLiteral("/y\n/z"));
        field.paste();
        QCOMPARE(field.text(), QStringLiteral("/mmc/x/y/z"));
    }

    // The title area keeps the text clear of the button in the corner.
    void titleAreaMakesRoomForTheCornerButton()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* field = new ZMultiLineEdit(&window, true, 2);
        layout->addWidget(field);
        field->setTitlePosition(ZMultiLineEdit::TitleLeft);
        field->setTitle(QStringLiteral("               "));
        auto* button = new ZPushButton(QString(), QStringLiteral("Dir"), field);
        button->setFixedSize(60, 25);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(field->viewport()->geometry().left() >= button->geometry().right());
        QCOMPARE(button->pos(), QPoint(0, 0));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
