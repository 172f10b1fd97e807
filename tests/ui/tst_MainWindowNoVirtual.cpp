// The main window of an installation without virtual AtoNs: nine AtoN tabs, and every later tab one
// position lower, as the state machine counts them.

#include <QFile>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest/QtTest>

#include "MainWindowTestPrompts.h"
#include "app/KelvaneApplication.h"
#include "comms/StateMachine.h"
#include "support/AppTestFixture.h"
#include "ui/AtoNConfiguration.h"
#include "ui/MainWindow.h"

using KelvaneTest::App;

static KelvaneTest::AppSettings Settings()
{
    KelvaneTest::AppSettings settings;
    settings.system.insert(QStringLiteral("VAtoNEnabled"), false);
    return settings;
}

class TestMainWindowNoVirtual : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void positions();
    void editsReachTheStateMachineAtTheirPositions();

private:
    MainWindow* window = nullptr;
    TestPrompts* prompts = nullptr;
};

void TestMainWindowNoVirtual::initTestCase()
{
    Q_INIT_RESOURCE(kelvane);
    QVERIFY(!App()->GetVAtoNEnabled());
    window = new MainWindow();
    auto answers = std::make_unique<TestPrompts>();
    prompts = answers.get();
    window->SetPrompts(std::move(answers));
    App()->SetMainWindow(window);
}

void TestMainWindowNoVirtual::cleanupTestCase()
{
    window->setWindowModified(false);
    delete window;
}

void TestMainWindowNoVirtual::positions()
{
    QTabWidget* tabs = window->GetAtoNTabWidget();
    QCOMPARE(tabs->count(), 9);
    QVERIFY(!window->findChild<QWidget*>(QStringLiteral("tabVirtualAtoN")));
    QCOMPARE(window->VirtualAtoNPosition(), -1);
    const QStringList names = {"tabRealAtoN",
                               "tabMessageSchedule",
                               "tabStatusInputConfiguration",
                               "tabAlertMessages",
                               "tabRepeaterConfiguration",
                               "tabVdl",
                               "tabGpsStatus",
                               "tabStatusData",
                               "tabSerialData"};
    for (int position = 0; position < names.size(); ++position)
        QCOMPARE(tabs->widget(position)->objectName(), names.at(position));
    QCOMPARE(window->StatusInputsPosition(), 2);
    QCOMPARE(window->DiagnosticsPosition(), 7);
    // The state machine agrees on every position.
    StateMachine* sm = App()->GetStateMachine();
    QVERIFY(!sm->HasVirtualTab());
    QCOMPARE(sm->PositionOfTab(StateMachine::StatusInputsTab), window->StatusInputsPosition());
    QCOMPARE(sm->PositionOfTab(StateMachine::VdlTab), window->VdlPosition());
    QVERIFY(!window->AllVirtualAtoNsComplete());
}

void TestMainWindowNoVirtual::editsReachTheStateMachineAtTheirPositions()
{
    QSignalSpy edited(window, &MainWindow::Edited);
    for (const char* name : {"tabStatusInputConfiguration", "tabAlertMessages", "tabRepeaterConfiguration"})
    {
        auto* tab = window->findChild<AtoNConfiguration*>(QLatin1String(name));
        QVERIFY(tab);
        Q_EMIT tab->Edited(tab);
        QCOMPARE(edited.last().at(0).toInt(), window->GetAtoNTabWidget()->indexOf(tab));
    }
    QCOMPARE(edited.size(), 3);
}

KELVANE_TEST_APP_MAIN_WITH(TestMainWindowNoVirtual, Settings())
#include "tst_MainWindowNoVirtual.moc"
