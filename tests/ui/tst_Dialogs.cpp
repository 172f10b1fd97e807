#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QtTest>

#include "support/GuiTestMain.h"
#include "ui/AboutDialog.h"
#include "ui/QComboBoxDropdown.h"
#include "ui/cAarNakWarning.h"
#include "ui/cNeedAllDataWarning.h"

// Stands in for the main window: records what the incomplete-data warning reports, the way the real
// handlers set the go-ahead and re-enable the transfer controls.
class WarningReceiver : public QObject
{
    Q_OBJECT

public:
    int continues = 0;
    int cancels = 0;
    bool goAhead = false;

public Q_SLOTS:
    void onNeedAllDataContinueButtonPressed()
    {
        ++continues;
        goAhead = true;
    }
    void onNeedAllDataCancelButtonPressed() { ++cancels; }
};

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void aboutBox();
    void aarNakWarning();
    void needAllDataTexts();
    void needAllDataWaysOut_data();
    void needAllDataWaysOut();
    void needAllDataExecReturns();
    void dropdownAnnouncesBeforeOpening();
};

void TestDialogs::initTestCase()
{
    Q_INIT_RESOURCE(kelvane);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral("080500.02.08.02  (Dec  7 2026)"));
}

void TestDialogs::aboutBox()
{
    AboutDialog dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Kelvane"));
    QCOMPARE(dialog.size(), QSize(464, 183));
    QVERIFY(dialog.isModal());
    QVERIFY(!dialog.windowIcon().isNull());

    auto* product = dialog.findChild<QLabel*>(QStringLiteral("labelProduct"));
    auto* version = dialog.findChild<QLabel*>(QStringLiteral("labelVersion"));
    auto* licence = dialog.findChild<QLabel*>(QStringLiteral("labelLicence"));
    auto* icon = dialog.findChild<QLabel*>(QStringLiteral("labelIcon"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("pushOK"));
    QVERIFY(product && version && licence && icon && ok);
    auto* aboutQt = dialog.findChild<QPushButton*>(QStringLiteral("buttonAboutQT"));
    auto* licenceBox = dialog.findChild<QGroupBox*>(QStringLiteral("groupBox_licence"));
    QVERIFY(aboutQt && licenceBox);
    QCOMPARE(aboutQt->text(), QStringLiteral("About Qt..."));
    QCOMPARE(licenceBox->title(), QStringLiteral("Licence"));
    QCOMPARE(product->text(), QStringLiteral("Kelvane"));
    QVERIFY(product->font().bold());
    QCOMPARE(product->font().pointSize(), 16);
    QCOMPARE(version->text(), QStringLiteral("080500.02.08.02  (Dec  7 2026)"));
    QVERIFY(licence->text().startsWith(QStringLiteral("This application has been developed with the QT Framework\n"
                                                      "Parts are based on the work of the Qwt project (")));
    QVERIFY(licence->text().endsWith(QStringLiteral(").")));
    QVERIFY(!icon->pixmap().isNull());
    QCOMPARE(ok->text(), QStringLiteral("&OK"));
    QVERIFY(!ok->isDefault());

    // "About Qt..." opens the Qt library's own box (connected by name).
    bool aboutQtShown = false;
    QTimer::singleShot(0, &dialog,
                       [&aboutQtShown]
                       {
                           QWidget* box = QApplication::activeModalWidget();
                           aboutQtShown = box != nullptr && box->windowTitle().contains(QStringLiteral("Qt"));
                           if (box != nullptr)
                           {
                               box->close();
                           }
                       });
    aboutQt->click();
    QVERIFY(aboutQtShown);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.grab().save(KelvaneTest::ArtefactDir() + QStringLiteral("/AboutDialog.png"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void TestDialogs::aarNakWarning()
{
    cAarNakWarning dialog(nullptr);
    QCOMPARE(dialog.parent(), nullptr);
    QCOMPARE(dialog.size(), QSize(391, 156));
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QVERIFY(dialog.windowTitle().isEmpty());
    QCOMPARE(dialog.contextMenuPolicy(), Qt::NoContextMenu);

    auto* label = dialog.findChild<QLabel*>(QStringLiteral("label_warning"));
    auto* close = dialog.findChild<QPushButton*>(QStringLiteral("pushButton_close"));
    QVERIFY(label && close);
    QCOMPARE(label->text(), QStringLiteral("A negative acknowledgement has been received for a message schedule "
                                           "configuration. Please check that there are no clashes in the slot "
                                           "allocations. Any rejected schedules are removed from the display. "));
    QVERIFY(label->wordWrap());
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QCOMPARE(close->geometry(), QRect(290, 120, 75, 23));

    QTimer::singleShot(0, close,
                       [close, &dialog]
                       {
                           dialog.grab().save(KelvaneTest::ArtefactDir() + QStringLiteral("/cAarNakWarning.png"));
                           QTest::mouseClick(close, Qt::LeftButton);
                       });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

void TestDialogs::needAllDataTexts()
{
    WarningReceiver receiver;
    cNeedAllDataWarning dialog(&receiver);
    QCOMPARE(dialog.parent(), nullptr);
    QCOMPARE(dialog.size(), QSize(441, 154));
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);

    auto* label = dialog.findChild<QLabel*>(QStringLiteral("label_warning"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("All Real and enabled Virtual AtoN data must be completed with valid values "
                                           "to avoid the messaging being rejected"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("label_2"))->text(),
             QStringLiteral("if you are sure the data is complete."));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("label_3"))->text(), QStringLiteral("to go back and check."));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("pushButton_continue"))->text(), QStringLiteral("Continue"));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("pushButton_cancel"))->text(), QStringLiteral("Cancel"));

    dialog.SetRealAndVirtualMessage();
    QCOMPARE(label->text(), QStringLiteral("All Real and enabled Virtual AtoN data must be completed with valid values "
                                           "to avoid the messages being rejected."));
    dialog.SetRealMessage();
    QCOMPARE(
        label->text(),
        QStringLiteral("All Real AtoN data must be completed with valid values to avoid the messages being rejected."));
    dialog.SetVirtualMessage();
    QCOMPARE(label->text(), QStringLiteral("All enabled Virtual AtoN data must be completed with valid values to avoid "
                                           "the messages being rejected."));
}

void TestDialogs::needAllDataWaysOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("continues");
    QTest::addColumn<int>("cancels");
    QTest::addColumn<bool>("goAhead");

    // Every way out reports a cancel (the main window re-enables its controls); only Continue sets the go-ahead.
    QTest::newRow("Continue") << QStringLiteral("continue") << 1 << 1 << true;
    QTest::newRow("Cancel") << QStringLiteral("cancel") << 0 << 2 << false;
    QTest::newRow("Escape") << QStringLiteral("escape") << 0 << 1 << false;
    QTest::newRow("window close") << QStringLiteral("close") << 0 << 1 << false;
}

void TestDialogs::needAllDataWaysOut()
{
    QFETCH(QString, way);
    QFETCH(int, continues);
    QFETCH(int, cancels);
    QFETCH(bool, goAhead);

    WarningReceiver receiver;
    cNeedAllDataWarning dialog(&receiver);
    QSignalSpy cancelSpy(&dialog, &cNeedAllDataWarning::sendCancel);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    if (way == QLatin1String("continue"))
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("pushButton_continue")), Qt::LeftButton);
    }
    else if (way == QLatin1String("cancel"))
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("pushButton_cancel")), Qt::LeftButton);
    }
    else if (way == QLatin1String("escape"))
    {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
    else
    {
        dialog.close();
    }

    QVERIFY(!dialog.isVisible());
    QCOMPARE(receiver.continues, continues);
    QCOMPARE(receiver.cancels, cancels);
    QCOMPARE(receiver.goAhead, goAhead);
    QCOMPARE(cancelSpy.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestDialogs::needAllDataExecReturns()
{
    WarningReceiver receiver;
    cNeedAllDataWarning dialog(&receiver);
    dialog.SetRealMessage();
    QTimer::singleShot(0, &dialog,
                       [&dialog]
                       {
                           dialog.grab().save(KelvaneTest::ArtefactDir() + QStringLiteral("/cNeedAllDataWarning.png"));
                           QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("pushButton_continue")),
                                             Qt::LeftButton);
                       });
    dialog.exec();
    QVERIFY(receiver.goAhead);
    QCOMPARE(receiver.continues, 1);
}

void TestDialogs::dropdownAnnouncesBeforeOpening()
{
    QWidget window;
    auto* combo = new QComboBoxDropdown(&window);
    int countAtAnnouncement = -1;
    bool popupVisibleAtAnnouncement = true;
    // The owner refills the list when it is announced; what it adds must be in the list that opens.
    connect(combo, &QComboBoxDropdown::Dropdown, combo,
            [&]
            {
                popupVisibleAtAnnouncement = combo->view()->isVisible();
                combo->clear();
                combo->addItems({QStringLiteral("COM3"), QStringLiteral("AIS Virtual COM Port")});
                countAtAnnouncement = combo->count();
            });
    QSignalSpy spy(combo, &QComboBoxDropdown::Dropdown);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    combo->showPopup();
    QCOMPARE(spy.count(), 1);
    QVERIFY(!popupVisibleAtAnnouncement);
    QCOMPARE(countAtAnnouncement, 2);
    QCOMPARE(combo->view()->model()->rowCount(), 2);
    combo->hidePopup();

    combo->showPopup();
    QCOMPARE(spy.count(), 2);
    combo->hidePopup();
}

KELVANE_TEST_GUI_MAIN(TestDialogs)
#include "tst_Dialogs.moc"
