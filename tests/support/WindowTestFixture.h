#pragma once
// What the end-to-end tests share: the application linked to simulated units over pseudo-terminals,
// the units offered in the port list, the main window shown with answering prompts, connecting through
// it and the waits for the link's jobs. Header-only: the support library is core-only and never
// compiles it.
//
//     class TestMyTab : public KelvaneTest::WindowTest
//     {
//         Q_OBJECT
//         ...
//     };
//
//     void TestMyTab::initTestCase()
//     {
//         PrepareWindowTest();
//         QVERIFY(StartUnit(unit));
//         unit->State()... // the unit's settings
//         OfferUnit(AtoNDescription);
//         QVERIFY(ShowWindow()); // or all in one: QVERIFY(ShowWindowOnUnit(AtoNDescription));
//     }
//
//     void TestMyTab::cleanupTestCase()
//     {
//         QVERIFY(CloseWindow());
//     }
//
// Tests of the application object alone derive from KelvaneTest::LinkTest.

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSize>
#include <QThread>
#include <QToolButton>
#include <QtTest/QtTest>

#include <initializer_list>
#include <memory>
#include <utility>

#include "app/KelvaneApplication.h"
#include "support/AppTestFixture.h"
#include "support/QuickTransport.h"
#include "support/SimulatedUnit.h"
#include "support/WidgetTestTools.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowTestPrompts.h"

// A QTRY_* check that fails waits twice its time-out again before it reports, only to tell whether a
// longer time-out would have done; with the long waits of these tests that takes the test past its own
// time-out and loses the message. Here a failing check reports as soon as its time is up.
#undef QTRY_TIMEOUT_DEBUG_IMPL
#define QTRY_TIMEOUT_DEBUG_IMPL(expr, timeoutValue, step)

// The images live in the widgets library; the program registers them in its entry point. The
// registration has to be made outside any namespace.
inline void KelvaneTestInitResources()
{
    Q_INIT_RESOURCE(kelvane);
}

namespace KelvaneTest
{

// The application object against simulated units, with no window.
class LinkTest : public QObject
{
protected:
    // Waits long enough for a connection to open or close.
    static constexpr int ConnectWaitMs = 30000;
    // Waits long enough for a whole transfer, and for anything else asked of the unit.
    static constexpr int TransferWaitMs = 120000;
    static constexpr int WaitMs = TransferWaitMs;

    // Port descriptions that choose the tab set.
    static constexpr const char* AtoNDescription = "AIS AtoN (simulated)";
    static constexpr const char* SensorDescription = "AIS AtoN Sensor (simulated)";

    // Every connection the application makes uses the quick transport.
    static void UseQuickTransport()
    {
        App()->SetTransportFactory([](Model* model) { return new QuickTransport(model); });
    }

    // A simulated unit owned by the test, started; false (the reason logged) if it cannot start.
    bool StartUnit(SimulatedUnit*& started)
    {
        started = new SimulatedUnit(this);
        if (started->Start())
            return true;
        qWarning("the simulated unit did not start: %s", qPrintable(started->ErrorString()));
        return false;
    }

    // Lists the units in the port stand-in, in this order, each under its description.
    static void OfferPorts(std::initializer_list<std::pair<const SimulatedUnit*, const char*>> ports)
    {
        QStringList entries;
        for (const auto& [port, description] : ports)
            entries << port->PortPath() + QLatin1Char('=') + QLatin1String(description);
        qputenv("KELVANE_SIMULATED_PORTS", entries.join(QLatin1Char(';')).toLocal8Bit());
    }

    // The test's one unit as the only port of the stand-in, under the description, and the port chosen.
    void OfferUnit(const char* description = AtoNDescription) const
    {
        OfferPorts({{unit, description}});
        App()->SetPortName(unit->PortPath());
    }

    // Waits until done() holds. Gives up as soon as hopeless() says it never will, or at the time-out;
    // either way it prints what it waited for and the state it found, so that a fault fails fast and
    // says what it is rather than sitting out the test's time-out.
    template <typename Done, typename Hopeless, typename State>
    static bool WaitUntil(const char* what, Done&& done, Hopeless&& hopeless, State&& state, int timeoutMs = WaitMs)
    {
        QElapsedTimer waited;
        waited.start();
        if (QTest::qWaitFor([&] { return done() || hopeless(); }, timeoutMs) && done())
            return true;
        qWarning("waited %lld ms for %s in vain (%s): %s", waited.elapsed(), what,
                 hopeless() ? "it can no longer happen" : "timed out", qPrintable(state()));
        return false;
    }

    // The link as the application holds it, for failure messages.
    static QString LinkState()
    {
        return QStringLiteral("transport %1, worker thread %2, %3 thread(s) left")
            .arg(App()->GetTransport() ? QStringLiteral("present") : QStringLiteral("none"),
                 App()->GetWorkerThread() ? QStringLiteral("running") : QStringLiteral("none"))
            .arg(App()->findChildren<QThread*>().size());
    }

    // Waits until the connection is gone and its thread has ended.
    static bool WaitForNoConnection(int timeoutMs = WaitMs)
    {
        return WaitUntil(
            "the connection to end",
            [] {
                return !App()->GetTransport() && !App()->GetWorkerThread() && App()->findChildren<QThread*>().isEmpty();
            },
            [] { return false; }, [] { return LinkState(); }, timeoutMs);
    }

    // Ends the connection, if any, and waits until it is gone.
    static bool DisconnectAndWait()
    {
        if (App()->GetTransport())
            App()->Disconnect();
        return WaitForNoConnection();
    }

    // Whether any line the unit has received contains the text.
    bool UnitReceived(const QString& text) const
    {
        for (const QString& line : unit->ReceivedLines())
            if (line.contains(text))
                return true;
        return false;
    }

    SimulatedUnit* unit = nullptr;
};

// The main window against simulated units.
class WindowTest : public LinkTest
{
protected:
    // Resources registered, the application kept running without windows, the quick transport.
    static void PrepareWindowTest()
    {
        KelvaneTestInitResources();
        QApplication::setQuitOnLastWindowClosed(false);
        UseQuickTransport();
    }

    // Creates the main window with answering prompts and shows it; false if it is never exposed.
    bool ShowWindow(const QSize& size = QSize())
    {
        window = new MainWindow();
        auto answers = std::make_unique<TestPrompts>();
        prompts = answers.get();
        window->SetPrompts(std::move(answers));
        if (size.isValid())
            window->resize(size);
        window->show();
        App()->SetMainWindow(window);
        return QTest::qWaitForWindowExposed(window);
    }

    // The test's one unit started and offered under the description, and the window shown.
    bool ShowWindowOnUnit(const char* description = AtoNDescription)
    {
        if (!StartUnit(unit))
            return false;
        OfferUnit(description);
        return ShowWindow();
    }

    // Disconnects, waits until the link is gone and deletes the window; false (the window kept) if the
    // link does not go.
    bool CloseWindow()
    {
        if (!DisconnectAndWait())
            return false;
        window->setWindowModified(false);
        delete window;
        window = nullptr;
        return true;
    }

    // The window's widget (or action) of that object name; a missing one ends the test run.
    template <typename T> T* Widget(const char* name) const { return Child<T>(window, name); }
    QToolButton* RetrieveButton() const { return Widget<QToolButton>("toolButtonRetrieve"); }

    // Chooses the unit's port in the window's port list; false if it is not listed.
    bool SelectPort(const SimulatedUnit* port) const
    {
        auto* combo = Widget<QComboBox>("comboBoxPort");
        const int index = combo->findData(port->PortPath());
        if (index < 0)
            return false;
        combo->setCurrentIndex(index);
        return true;
    }

    // The window's side of the link and the messages it has shown, for failure messages.
    QString WindowState() const
    {
        const auto yesNo = [](bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); };
        return QStringLiteral("link open %1, transfer running %2, Retrieve offered %3, %4; messages shown: [%5]")
            .arg(yesNo(window->IsLinkOpen()), yesNo(window->IsTransferRunning()), yesNo(RetrieveButton()->isEnabled()),
                 LinkState(), prompts->Texts().join(QStringLiteral(" | ")));
    }

    // Clicks Connect and waits for the link to open; gives up at once when the attempt has ended without
    // a link (its transport gone after it came, or after an error was shown).
    bool ClickConnect() const
    {
        const qsizetype shownBefore = prompts->shown.size();
        bool transportSeen = false;
        Widget<QPushButton>("pushButtonConnect")->click();
        return WaitUntil(
            "the link to open", [this] { return window->IsLinkOpen(); },
            [&]
            {
                transportSeen = transportSeen || App()->GetTransport() != nullptr;
                return !App()->GetTransport() && (transportSeen || prompts->shown.size() > shownBefore);
            },
            [this] { return WindowState(); });
    }

    // Waits until no transfer runs and the transfer controls are offered again; gives up at once when the
    // link is gone, as no transfer is offered without it.
    bool WaitForIdle() const
    {
        return WaitUntil(
            "the transfer to end and Retrieve to be offered",
            [this] { return !window->IsTransferRunning() && RetrieveButton()->isEnabled(); },
            [this] { return !window->IsTransferRunning() && !window->IsLinkOpen(); }, [this] { return WindowState(); });
    }

    // Connects through the window and waits for the connect-time jobs to finish.
    bool ConnectThroughWindow() const { return ClickConnect() && WaitForIdle(); }

    // Whether the window's event loop turns: a call posted to it runs within a few seconds.
    static bool Responsive()
    {
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        return QTest::qWaitFor([&ran] { return ran; }, 5000);
    }

    // Saves a picture of the widget into the test artefacts as <name>.png.
    static bool SaveScreenshot(QWidget* widget, const QString& name)
    {
        return widget->grab().save(ArtefactDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    MainWindow* window = nullptr;
    TestPrompts* prompts = nullptr;
};

} // namespace KelvaneTest
