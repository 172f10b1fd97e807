// The main window against the simulated unit, as a user works it: the unit is picked from the port list
// (through the port stand-in), connected, read, edited, written back; the incomplete-data warning, a unit
// that stops answering, the raw traffic log, disconnecting and closing the window while connected.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QtTest/QtTest>

#include "comms/SerialController.h"
#include "comms/StateMachine.h"
#include "model/Model.h"
#include "support/WindowTestFixture.h"
#include "ui/monitor/SerialTab.h"

using KelvaneTest::App;

namespace
{

QImage IconImage(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage();
}

} // namespace

class TestMainWindowEndToEnd : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void connectToTheUnitPickedFromThePortList();
    void retrieveAllConfiguration();
    void editAndSendAllConfiguration();
    void openingAFileWhileConnectedMarksTheTabsEdited();
    void incompleteDataWarning();
    void rawTrafficLog();
    void unitThatStopsAnswering();
    void unitThatAnswersWrongly_data();
    void unitThatAnswersWrongly();
    void disconnect();
    void closeWhileTheUnitIsBusyAsks();
    void closeWhileConnected();

private:
    void Connect();
    QAction* Action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    QWidget* RealAtoN() const { return window->findChild<QWidget*>(QStringLiteral("tabRealAtoN")); }
    QLineEdit* NameEdit() const { return RealAtoN()->findChild<QLineEdit*>(QStringLiteral("lineName")); }
    QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }

    StateMachine* sm = nullptr;
    QTemporaryDir dir;
};

void TestMainWindowEndToEnd::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(QFile::exists(QStringLiteral(":/Images/TabSynced.png")));
    QVERIFY(dir.isValid());
    sm = App()->GetStateMachine();
    QVERIFY(StartUnit(unit));
    // The port stand-in lists the unit's pseudo-terminal beside the machine's own ports.
    OfferPorts({{unit, AtoNDescription}});
    QVERIFY(ShowWindow());
}

void TestMainWindowEndToEnd::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

void TestMainWindowEndToEnd::Connect()
{
    QVERIFY2(SelectPort(unit), "the simulated unit is not in the port list");
    // A free port carries no "in use" mark.
    QCOMPARE(Widget<QComboBox>("comboBoxPort")->currentText(),
             QStringLiteral("AIS AtoN (simulated) (") + unit->PortPath() + QStringLiteral(")"));
    QVERIFY(Button("pushButtonConnect")->isEnabled());
    // The connect-time queries run first; the transfer controls come when they are done.
    QVERIFY(ConnectThroughWindow());
}

void TestMainWindowEndToEnd::connectToTheUnitPickedFromThePortList()
{
    unit->ClearReceivedLines();
    Connect();
    QCOMPARE(App()->GetPortName(), unit->PortPath());
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("Connected to Serial Port: ")));
    // Menu entries with and without a status tip pass under the pointer, then it leaves the menu:
    // the connection is said again.
    for (QAction* action : window->menuBar()->findChildren<QAction*>())
        action->showStatusText(window);
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(window, &leave);
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("Connected to Serial Port: ")));
    // So it does after a timed notice.
    window->OnLinesDropped(12);
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("12 ")));
    window->statusBar()->clearMessage();
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("Connected to Serial Port: ")));
    QVERIFY(!Button("pushButtonConnect")->isEnabled());
    QVERIFY(!window->findChild<QComboBox*>(QStringLiteral("comboBoxPort"))->isEnabled());
    QVERIFY(Button("pushButtonDisconnect")->isEnabled());
    QVERIFY(window->findChild<SerialTab*>(QStringLiteral("tabSerialData"))->IsPortOpen());
    QVERIFY(UnitReceived(QStringLiteral("getgnss")));
    // The port poll leaves the port of an open connection alone: it is ours, not "in use".
    QTest::qWait(2 * MainWindow::PortPollIntervalMs);
    QVERIFY(!window->findChild<QComboBox*>(QStringLiteral("comboBoxPort"))
                 ->currentText()
                 .contains(QStringLiteral("IN USE")));
    // Every configuration tab shows "not read yet".
    QTabWidget* tabs = window->GetAtoNTabWidget();
    for (int position = 0; position <= window->VdlPosition(); ++position)
        QCOMPARE(IconImage(tabs->tabIcon(position)), IconImage(QIcon(QStringLiteral(":/Images/TabNotSynced.png"))));
    QVERIFY(prompts->shown.isEmpty());
}

void TestMainWindowEndToEnd::retrieveAllConfiguration()
{
    QVERIFY(window->IsLinkOpen());
    unit->State().real.mmsi = QStringLiteral("992351234");
    auto* bar = window->findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QSignalSpy progress(sm, &StateMachine::UpdateProgressBar);
    QSignalSpy updates(sm, &StateMachine::Update);

    // Asked from the GNSS tab, which has nothing to transfer of its own.
    window->GetAtoNTabWidget()->setCurrentIndex(window->GnssPosition());
    Action("actionRetrieveAll")->trigger();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), StateMachine::RetrieveAllSteps);
    // Nothing more can be asked of the unit until it is done, whatever tab is shown.
    QVERIFY(!RetrieveButton()->isEnabled());
    QVERIFY(!Button("pushButtonDisconnect")->isEnabled());
    QVERIFY(!Action("actionSendAll")->isEnabled());

    QVERIFY(updates.wait(TransferWaitMs));
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(progress.last().at(0).toInt(), StateMachine::RetrieveAllSteps);
    QCOMPARE(bar->value(), StateMachine::RetrieveAllSteps);
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), 3 * MainWindow::ProgressHideDelayMs);

    // Every tab is in step, and shows what the unit holds.
    QTabWidget* tabs = window->GetAtoNTabWidget();
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
    {
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabInStep));
        QCOMPARE(IconImage(tabs->tabIcon(sm->PositionOfTab(n))),
                 IconImage(QIcon(QStringLiteral(":/Images/TabSynced.png"))));
    }
    const SimUnitState& state = unit->State();
    Model* tabModel = App()->GetTabModel();
    QCOMPARE(tabModel->GetRealAtoN()->GetAtoNMMSI()->GetCurrentMMSI(), state.real.mmsi);
    QCOMPARE(tabModel->GetRealAtoN()->GetName(), state.real.Name());
    QCOMPARE(NameEdit()->text(), state.real.Name());
    QCOMPARE(RealAtoN()->findChild<QLineEdit*>(QStringLiteral("lineMMSI"))->text(), state.real.mmsi);
    QCOMPARE(tabModel->GetStatusInputConfiguration()->GetStatusBitSource(),
             state.mcr.value(QStringLiteral("SBS")).at(0).toInt());
    QVERIFY(window->isWindowModified());

    // The window as the user sees it now, for people to look at.
    tabs->setCurrentIndex(window->RealAtoNPosition());
    QVERIFY(SaveScreenshot(window, QStringLiteral("MainWindow-retrieved")));
}

void TestMainWindowEndToEnd::editAndSendAllConfiguration()
{
    QVERIFY(window->IsLinkOpen());
    QTabWidget* tabs = window->GetAtoNTabWidget();
    tabs->setCurrentIndex(window->RealAtoNPosition());
    NameEdit()->selectAll();
    QTest::keyClicks(NameEdit(), QStringLiteral("EAST PIER"));
    auto* threshold = RealAtoN()->findChild<QSpinBox*>(QStringLiteral("spinBoxOffPositionThreshold"));
    QVERIFY(threshold);
    threshold->setValue(threshold->value() == 120 ? 130 : 120);
    const int thresholdSent = threshold->value();
    QCOMPARE(sm->GetTabState(StateMachine::RealAtoNTab), int(StateMachine::TabEdited));
    QCOMPARE(IconImage(tabs->tabIcon(window->RealAtoNPosition())),
             IconImage(QIcon(QStringLiteral(":/Images/TabEdited.png"))));

    auto* bar = window->findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QSignalSpy progress(sm, &StateMachine::UpdateProgressBar);
    QSignalSpy sendAll(window, &MainWindow::SendAllTabs);
    prompts->Clear();
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    Action("actionSendAll")->trigger();
    QCOMPARE(sendAll.size(), 1);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), StateMachine::SendAllSteps);
    QVERIFY(!RetrieveButton()->isEnabled());
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(progress.last().at(0).toInt(), StateMachine::SendAllSteps);

    // The unit holds what was edited, and the re-read brought every tab back in step.
    QCOMPARE(unit->State().real.Name(), QStringLiteral("EAST PIER"));
    QCOMPARE(unit->State().real.ace.at(1).toInt(), thresholdSent);
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabInStep));
}

void TestMainWindowEndToEnd::openingAFileWhileConnectedMarksTheTabsEdited()
{
    QVERIFY(window->IsLinkOpen());
    const QString path = dir.filePath(QStringLiteral("connected.kln"));
    prompts->Clear();
    prompts->saveNames = {path};
    window->OnSaveAs();
    QVERIFY(QFile::exists(path));
    prompts->openNames = {path};
    window->OnOpen();
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    // What the tabs show now need not be what the unit holds.
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabEdited));
    QVERIFY(RetrieveButton()->isEnabled());
}

void TestMainWindowEndToEnd::incompleteDataWarning()
{
    QVERIFY(window->IsLinkOpen());
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
    NameEdit()->selectAll();
    QTest::keyClick(NameEdit(), Qt::Key_Backspace);
    QVERIFY(App()->GetTabModel()->GetRealAtoN()->GetName().isEmpty());

    // Cancel: nothing goes to the unit, the controls come back.
    QSignalSpy sendTab(window, &MainWindow::SendTab);
    prompts->Clear();
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Cancel;
    Action("actionSendCurrentTab")->trigger();
    QCOMPARE(prompts->dialogs, QStringList({"cNeedAllDataWarning"}));
    QCOMPARE(sendTab.size(), 0);
    QVERIFY(RetrieveButton()->isEnabled());
    QVERIFY(Action("actionSendCurrentTab")->isEnabled());

    // Continue: the tab is sent, and the controls stay off until the unit is done with it.
    prompts->Clear();
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    Action("actionSendCurrentTab")->trigger();
    QCOMPARE(prompts->dialogs, QStringList({"cNeedAllDataWarning"}));
    QCOMPARE(sendTab.size(), 1);
    QCOMPARE(sendTab.first().at(0).toInt(), window->RealAtoNPosition());
    QVERIFY(!RetrieveButton()->isEnabled());
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));

    NameEdit()->selectAll();
    QTest::keyClicks(NameEdit(), QStringLiteral("EAST PIER"));
}

void TestMainWindowEndToEnd::rawTrafficLog()
{
    QVERIFY(window->IsLinkOpen());
    auto* serialTab = window->findChild<SerialTab*>(QStringLiteral("tabSerialData"));
    SerialController* controller = App()->GetTransportDevice();
    QVERIFY(controller);
    const QString path = dir.filePath(QStringLiteral("traffic.log"));

    prompts->Clear();
    prompts->saveNames = {path};
    Q_EMIT serialTab->Save(false);
    QCOMPARE(prompts->fileQuestions.size(), 1);
    QCOMPARE(prompts->fileQuestions.first().caption, QStringLiteral("Save Log To File"));
    QCOMPARE(prompts->fileQuestions.first().filter, QStringLiteral("Text Log Files ( *.txt *.log )"));
    QVERIFY(controller->IsLogging());
    QVERIFY(serialTab->IsLogging());
    QCOMPARE(App()->GetLogFilename(), path);

    // The unit's GNSS traffic goes into the log.
    QTest::qWait(1000);
    Q_EMIT serialTab->Save(true);
    QVERIFY(!controller->IsLogging());
    QVERIFY(!serialTab->IsLogging());
    QFile log(path);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    QVERIFY(text.contains(QStringLiteral("# Kelvane Started log file at ")));
    QVERIFY(text.contains(QStringLiteral("$GP")) || text.contains(QStringLiteral("$GN")));
    QVERIFY(text.contains(QStringLiteral("# Kelvane Stopped log file at ")));
    QVERIFY(prompts->shown.isEmpty());

    // A log that cannot be created is reported and not started.
    prompts->Clear();
    prompts->saveNames = {path + QStringLiteral("/below-a-file.log")};
    Q_EMIT serialTab->Save(false);
    QCOMPARE(prompts->shown.size(), 1);
    QCOMPARE(prompts->shown.first().message.title, QStringLiteral("Error creating Log File"));
    QVERIFY(!controller->IsLogging());
    QVERIFY(!serialTab->IsLogging());
}

void TestMainWindowEndToEnd::unitThatStopsAnswering()
{
    QVERIFY(window->IsLinkOpen());
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
    prompts->Clear();
    unit->SetSilent(true);
    Action("actionRetrieveCurrentTab")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!prompts->shown.isEmpty(), TransferWaitMs);
    unit->SetSilent(false);
    QCOMPARE(prompts->shown.size(), 1);
    const TestPrompts::Shown& error = prompts->shown.first();
    QVERIFY(error.parentless);
    QCOMPARE(error.message.icon, QMessageBox::Critical);
    QCOMPARE(error.message.text, QStringLiteral("Error communicating with the AtoN"));
    QCOMPARE(error.message.informativeText, QStringLiteral("A timeout occurred"));

    // The connection is gone and can be made again.
    QVERIFY(WaitForNoConnection());
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsLinkOpen(), ConnectWaitMs);
    QVERIFY(Button("pushButtonConnect")->isEnabled());
    QVERIFY(!RetrieveButton()->isEnabled());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Ready"));
    QVERIFY(window->GetAtoNTabWidget()->tabIcon(window->RealAtoNPosition()).isNull());
}

void TestMainWindowEndToEnd::unitThatAnswersWrongly_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("MCR replies of another code the tool knows") << QStringLiteral("LIS");
    QTest::newRow("MCR replies of a code the tool does not know") << QStringLiteral("SAI");
    QTest::newRow("a lost link in the middle of Retrieve all") << QStringLiteral("hang-up");
}

// A retrieve of all tabs that the unit does not answer as asked, or that the link cuts short, ends with a
// message naming the tabs it did not read; those keep what they showed, and Send all afterwards leaves the
// unit as it was.
void TestMainWindowEndToEnd::unitThatAnswersWrongly()
{
    QFETCH(QString, fault);
    if (!window->IsLinkOpen())
    {
        QVERIFY(WaitForNoConnection());
        QTRY_VERIFY_WITH_TIMEOUT(SelectPort(unit), ConnectWaitMs);
        QVERIFY(ConnectThroughWindow());
    }
    QMap<QString, QStringList>& mcr = unit->State().mcr;
    for (const char* record : {"SBS,2", "SRL,1", "BIT,1,1,14,UNIT TEXT", "PRX,1,1,12,KEEP CLEAR,250"})
    {
        QStringList fields = QString::fromLatin1(record).split(QLatin1Char(','));
        mcr[fields.takeFirst()] = fields;
    }
    const QMap<QString, QStringList> before = mcr;
    Model* tabModel = App()->GetTabModel();
    const auto shown = [tabModel]
    {
        return QStringList{QString::number(tabModel->GetStatusInputConfiguration()->GetStatusBitSource()),
                           QString::number(tabModel->GetRepeater()->GetSartRepeat()),
                           tabModel->GetAlertMessages()->GetBiitText()};
    };
    const QStringList unitValues{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("UNIT TEXT")};
    if (shown() != unitValues)
    {
        // A good read first: the tabs show what the unit holds.
        Action("actionRetrieveAll")->trigger();
        QVERIFY(WaitForIdle());
        QCOMPARE(shown(), unitValues);
    }

    QSignalSpy reloads(sm, &StateMachine::UpdateTabFromTransportModel);
    prompts->Clear();
    const bool hangUp = fault == QLatin1String("hang-up");
    unit->SetReplyDelay(hangUp ? 20 : 0);
    unit->SetMcrReplyCode(hangUp ? QString() : fault);
    Action("actionRetrieveAll")->trigger();
    if (hangUp)
    {
        QTRY_VERIFY_WITH_TIMEOUT(reloads.size() >= 2, TransferWaitMs);
        unit->HangUp();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!prompts->shown.isEmpty() || !window->IsTransferRunning(), TransferWaitMs);
    unit->SetMcrReplyCode(QString());
    unit->SetReplyDelay(0);
    QVERIFY2(!prompts->shown.isEmpty(), "the retrieve ended without a message");
    QVERIFY(WaitForNoConnection());
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsLinkOpen(), ConnectWaitMs);

    // The message says which tabs hold what they held before: those the retrieve did not reload.
    QStringList unread;
    for (int position = 0; position <= window->VdlPosition(); ++position)
        if (!reloads.contains(QVariantList{position}))
            unread << window->GetAtoNTabWidget()->tabText(position).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QVERIFY(unread.contains(QStringLiteral("Status Inputs")));
    QCOMPARE(prompts->shown.size(), 1);
    const Prompts::Message& message = prompts->shown.first().message;
    QCOMPARE(message.text, hangUp ? QStringLiteral("Error connecting to the AtoN")
                                  : QStringLiteral("Error communicating with the AtoN"));
    const QString cause =
        hangUp ? QStringLiteral("The connection to the AtoN was lost") : QStringLiteral("A timeout occurred");
    QVERIFY2(message.informativeText.startsWith(cause), qPrintable(message.informativeText));
    QVERIFY2(
        message.informativeText.endsWith(
            QStringLiteral("\n\nThe retrieve did not finish. These tabs were not read from the AtoN and still hold "
                           "what they held before: %1.")
                .arg(unread.join(QStringLiteral(", ")))),
        qPrintable(message.informativeText));
    // Nothing the unit did not report reached the tabs.
    QCOMPARE(shown(), unitValues);

    if (hangUp)
    {
        // Plugged in again, the unit is a new port: the user opens the list and picks it.
        unit->Stop();
        QVERIFY(unit->Start());
        OfferPorts({{unit, AtoNDescription}});
        window->OnSerialDropdown();
        QVERIFY(SelectPort(unit));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(SelectPort(unit), ConnectWaitMs);
    QVERIFY(ConnectThroughWindow());
    prompts->Clear();
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    Action("actionSendAll")->trigger();
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    for (const QString& key : before.keys())
        QCOMPARE(mcr.value(key), before.value(key));
    QVERIFY(DisconnectAndWait());
}

void TestMainWindowEndToEnd::disconnect()
{
    prompts->Clear();
    Connect();
    unit->ClearReceivedLines();
    Button("pushButtonDisconnect")->click();
    QVERIFY(WaitForNoConnection());
    QTRY_VERIFY_WITH_TIMEOUT(!window->IsLinkOpen(), ConnectWaitMs);
    QVERIFY(Button("pushButtonConnect")->isEnabled());
    QVERIFY(!Button("pushButtonDisconnect")->isEnabled());
    QVERIFY(!window->findChild<SerialTab*>(QStringLiteral("tabSerialData"))->IsPortOpen());
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Ready"));
    // The GNSS filter is switched off on the way out; no error was shown.
    QTRY_VERIFY_WITH_TIMEOUT(UnitReceived(QStringLiteral("gpsfilt 0")), ConnectWaitMs);
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
}

void TestMainWindowEndToEnd::closeWhileTheUnitIsBusyAsks()
{
    Connect();
    window->setWindowModified(false);
    unit->SetReplyDelay(300);
    Action("actionRetrieveAll")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(App()->GetTransport() && App()->GetTransport()->IsBusy(), ConnectWaitMs);
    prompts->Clear();
    prompts->answers = {QMessageBox::Cancel};
    QVERIFY(!window->close());
    QCOMPARE(prompts->shown.size(), 1);
    QCOMPARE(prompts->shown.first().message.text, QStringLiteral("Communicating with the AtoN."));
    QCOMPARE(prompts->shown.first().message.informativeText, QStringLiteral("Are you sure you wish to exit?"));
    QCOMPARE(prompts->shown.first().message.defaultButton, QMessageBox::Cancel);
    QVERIFY(window->isVisible());
    QVERIFY(window->IsLinkOpen());
    unit->SetReplyDelay(0);
    QVERIFY(WaitForIdle());
}

void TestMainWindowEndToEnd::closeWhileConnected()
{
    QVERIFY(window->IsLinkOpen());
    QVERIFY(window->isWindowModified());
    unit->ClearReceivedLines();
    prompts->Clear();
    prompts->answers = {QMessageBox::Discard};
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    // The link is closed cleanly: live data stopped, the unit's GNSS filter off, the thread ended.
    QVERIFY(WaitForNoConnection());
    QTRY_VERIFY_WITH_TIMEOUT(UnitReceived(QStringLiteral("exit")), ConnectWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(UnitReceived(QStringLiteral("gpsfilt 0")), ConnectWaitMs);
    QCOMPARE(prompts->shown.size(), 1);
    QVERIFY(App()->findChildren<QThread*>().isEmpty());
}

KELVANE_TEST_APP_MAIN(TestMainWindowEndToEnd)
#include "tst_MainWindowEndToEnd.moc"
