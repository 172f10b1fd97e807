// The Serial Data tab through the main window against the simulated unit: the unit's traffic appears,
// the filters and the pause act on it, a typed sentence reaches the unit with its checksum, and the
// log button writes the raw traffic log (through a cancelled dialog and a log that cannot be made
// first). "ShowTransmit" is off here: nothing the tool sends is shown.

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <QtTest/QtTest>

#include "comms/NmeaSentence.h"
#include "support/WindowTestFixture.h"
#include "ui/monitor/SerialTab.h"
#include "ui/monitor/TrafficDisplay.h"

using KelvaneTest::App;

class TestMainWindowSerialData : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void receivedTrafficIsShown();
    void filtersAndPause();
    void typedSentenceReachesTheUnit();
    void logButton();
    void promptFloodKeepsTheWindowResponsive();
    void disconnectClosesTheControls();

private:
    template <typename T> T* Child(const char* name) const { return KelvaneTest::Child<T>(tab, name); }
    QString Shown() const { return Child<QTextEdit>("textEditReceived")->toPlainText(); }

    SerialTab* tab = nullptr;
    QTemporaryDir dir;
};

void TestMainWindowSerialData::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(dir.isValid());
    QVERIFY(ShowWindowOnUnit());
    tab = window->findChild<SerialTab*>(QStringLiteral("tabSerialData"));
    QVERIFY(tab);
    window->GetAtoNTabWidget()->setCurrentIndex(window->SerialDataPosition());
}

void TestMainWindowSerialData::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

void TestMainWindowSerialData::receivedTrafficIsShown()
{
    QVERIFY(ClickConnect());
    QVERIFY(tab->IsPortOpen());
    // The unit's GNSS traffic, line by line as it was read.
    QTRY_VERIFY_WITH_TIMEOUT(Shown().contains(QStringLiteral("RMC,")), WaitMs);
    unit->SendText(QStringLiteral("HELLO FROM THE UNIT"));
    QTRY_VERIFY_WITH_TIMEOUT(Shown().contains(QStringLiteral("HELLO FROM THE UNIT")), WaitMs);
    // What the tool sent at connect is not shown with "ShowTransmit" off.
    QVERIFY(!Shown().contains(QStringLiteral("OUT > ")));
}

void TestMainWindowSerialData::filtersAndPause()
{
    // GNSS sentences hidden: only the unit's text arrives from now on.
    Child<QCheckBox>("filterGXXXXCheckBox")->setChecked(true);
    QTest::qWait(300);
    const int mark = int(Shown().size());
    unit->SendText(QStringLiteral("FILTERED VIEW"));
    QTRY_VERIFY_WITH_TIMEOUT(Shown().contains(QStringLiteral("FILTERED VIEW")), WaitMs);
    QTest::qWait(600);
    QVERIFY2(!Shown().mid(mark).contains(QStringLiteral("$G")), qPrintable(Shown().mid(mark)));

    // Paused: nothing new is shown, and nothing is lost.
    Child<QToolButton>("toolButtonPause")->click();
    const QString frozen = Shown();
    unit->SendText(QStringLiteral("WHILE PAUSED"));
    QTRY_VERIFY_WITH_TIMEOUT(tab->PausedCharacters() > 0, WaitMs);
    QTest::qWait(300);
    QCOMPARE(Shown(), frozen);
    Child<QToolButton>("toolButtonPause")->click();
    // The paused lines come back unfiltered, GNSS included.
    const QString resumed = Shown().mid(frozen.size());
    QVERIFY(resumed.contains(QStringLiteral("WHILE PAUSED")));
    QVERIFY(resumed.contains(QStringLiteral("$G")));
    Child<QCheckBox>("filterGXXXXCheckBox")->setChecked(false);
    QVERIFY(SaveScreenshot(window, QStringLiteral("SerialDataTab-traffic")));
}

void TestMainWindowSerialData::typedSentenceReachesTheUnit()
{
    auto* line = Child<QLineEdit>("lineSend");
    unit->ClearReceivedLines();
    line->setFocus();
    QTest::keyClicks(line, QStringLiteral("$UPTXT,01,01,77,KELVANE"));
    QTest::keyClick(line, Qt::Key_Return);
    const QString expected =
        QStringLiteral("$UPTXT,01,01,77,KELVANE*") + NmeaSentence::Checksum(QStringLiteral("$UPTXT,01,01,77,KELVANE"));
    QTRY_VERIFY_WITH_TIMEOUT(unit->ReceivedLines().contains(expected), WaitMs);
    QVERIFY(line->text().isEmpty());
    // A wrong checksum never leaves the tool.
    QTest::keyClicks(line, QStringLiteral("$UPTXT,01,01,78,KELVANE*00"));
    Child<QToolButton>("toolButtonSend")->click();
    QVERIFY(Child<QWidget>("labelSendError")->isVisible());
    QTest::qWait(300);
    QCOMPARE(unit->ReceivedLines(), QStringList{expected});
    QVERIFY(!Shown().contains(QStringLiteral("KELVANE")));
}

void TestMainWindowSerialData::logButton()
{
    auto* log = Child<QToolButton>("toolButtonSaveToLog");
    const QString path = dir.filePath(QStringLiteral("serial.log"));

    // Cancelled dialog: nothing logs, and the button says so.
    prompts->Clear();
    log->click();
    QCOMPARE(prompts->fileQuestions.size(), 1);
    QVERIFY(!log->isChecked());
    QCOMPARE(log->text(), QStringLiteral("Log To File"));

    // A log that cannot be made: reported, and the button stays as it was.
    prompts->Clear();
    prompts->saveNames = {dir.filePath(QStringLiteral("no-such-folder/serial.log"))};
    log->click();
    QCOMPARE(prompts->Texts().size(), 1);
    QVERIFY(prompts->Texts().first().startsWith(QStringLiteral("Error creating Log File")));
    QVERIFY(!log->isChecked());

    prompts->Clear();
    prompts->saveNames = {path};
    log->click();
    QVERIFY(log->isChecked());
    QCOMPARE(log->text(), QStringLiteral("Stop Log"));
    unit->SendText(QStringLiteral("INTO THE LOG"));
    QTRY_VERIFY_WITH_TIMEOUT(Shown().contains(QStringLiteral("INTO THE LOG")), WaitMs);
    log->click();
    QVERIFY(!log->isChecked());
    QCOMPARE(log->text(), QStringLiteral("Log To File"));
    QVERIFY(prompts->shown.isEmpty());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QStringLiteral("# Kelvane Started log file at ")));
    QVERIFY(text.contains(QStringLiteral("INTO THE LOG")));
    QVERIFY(text.contains(QStringLiteral("# Kelvane Stopped log file at ")));
}

void TestMainWindowSerialData::promptFloodKeepsTheWindowResponsive()
{
    // Shell prompts come without line ends, one read each; piled into one paragraph, every append
    // would lay out all of them again and the window would fall ever further behind.
    constexpr int Prompts = 30000;
    const qsizetype before = Shown().count(QLatin1Char('>'));
    for (int sent = 0; sent < Prompts; ++sent)
    {
        unit->SendRaw(">");
        QThread::usleep(20);
    }
    // A line sent while the flood is still being taken may be among the lines the window drops: sent
    // again until it shows.
    const auto after = [this]
    {
        unit->SendText(QStringLiteral("AFTER THE PROMPTS"));
        return QTest::qWaitFor([this] { return Shown().contains(QStringLiteral("AFTER THE PROMPTS")); }, 1000);
    };
    QVERIFY(QTest::qWaitFor(after, WaitMs));
    QVERIFY(Responsive());
    // Reads that ran together are noise and dropped; the rest come one by one.
    const qsizetype prompts = Shown().count(QLatin1Char('>')) - before;
    QVERIFY2(prompts > 100, qPrintable(QString::number(prompts)));
    // No paragraph holds more than a group of lines, a long line and one gathered showing.
    int longest = 0;
    for (QTextBlock b = Child<QTextEdit>("textEditReceived")->document()->begin(); b.isValid(); b = b.next())
        longest = qMax(longest, b.length());
    QVERIFY2(longest <=
                 TrafficDisplay::GroupCharacters + TrafficDisplay::MaxLineCharacters + SerialTab::PendingLimit + 200,
             qPrintable(QString::number(longest)));
}

void TestMainWindowSerialData::disconnectClosesTheControls()
{
    Child<QLineEdit>("lineSend")->setText(QStringLiteral("$UPTXT"));
    window->findChild<QPushButton*>(QStringLiteral("pushButtonDisconnect"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsLinkOpen(), WaitMs);
    for (const char* name : {"lineSend", "toolButtonSend", "toolButtonPause", "toolButtonSaveToLog"})
        QVERIFY2(!Child<QWidget>(name)->isEnabled(), name);
    // What was shown stays for reading.
    QVERIFY(Shown().contains(QStringLiteral("INTO THE LOG")));
}

KELVANE_TEST_APP_MAIN(TestMainWindowSerialData)
#include "tst_MainWindowSerialData.moc"
