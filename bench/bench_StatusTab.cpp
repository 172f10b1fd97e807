// Feeds 100,000 text messages into the Diagnostics tab, as a unit might send over a long session, with
// the tab shown and the event loop running between bursts. Reports messages per second over the whole
// run and the slowest single message: each message must cost about the same as the first, whatever the
// table already holds, and the whole run must stay above 10,000 messages per second.

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QtTest/QtTest>

#include <cstdio>

#include "support/TestMain.h"
#include "ui/monitor/StatusTab.h"

class BenchStatusTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textMessages()
    {
        const int Messages =
            qEnvironmentVariableIsSet("BENCH_MESSAGES") ? qEnvironmentVariableIntValue("BENCH_MESSAGES") : 100000;
        constexpr int Burst = 100;
        StatusTab tab;
        tab.resize(800, 520);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));

        QElapsedTimer run;
        QElapsedTimer one;
        qint64 slowestNs = 0;
        int slowestAt = 0;
        run.start();
        for (int i = 0; i < Messages; ++i)
        {
            const QString text = QStringLiteral("LIGHT STATUS REPORT %1 FROM THE UNIT").arg(i);
            one.start();
            tab.OnTextMessageReceived(text);
            const qint64 ns = one.nsecsElapsed();
            if (ns > slowestNs)
            {
                slowestNs = ns;
                slowestAt = i;
            }
            if (i % Burst == Burst - 1)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        const double seconds = double(run.nsecsElapsed()) / 1e9;
        const double rate = Messages / seconds;
        std::printf("%d text messages in %.3f s: %.0f messages/s; slowest single message %.3f ms (message %d)\n",
                    Messages, seconds, rate, double(slowestNs) / 1e6, slowestAt + 1);
        QCOMPARE(tab.findChild<QTableWidget*>(QStringLiteral("tableWidgetMessages"))->rowCount(), Messages);
        QCOMPARE(tab.TextMessages().size(), Messages);
        QVERIFY2(rate >= 10000.0, qPrintable(QStringLiteral("%1 messages/s").arg(rate)));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    KelvaneTest::PrepareTestEnvironment();
    QApplication app(argc, argv);
    BenchStatusTab bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_StatusTab.moc"
