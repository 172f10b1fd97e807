// The Diagnostics tab under a unit that never stops talking, with the tab shown and the event loop
// running between bursts.
//
// textMessages: 100,000 text messages, as a unit might send over a long session. Reports messages per
// second over the whole run, the slowest single message, and the memory the process holds before the
// first burst, after twice the bound (the bound kept) and at the end: the bound's worth must stay a few
// megabytes, and once it is reached the oldest go, so the end must hold no more than the bound's worth did.
//
// alarms: the unit holds 1,000 alarms; each further ALR sentence goes through the message decoder and
// the tab on the GUI thread. Reports the mean and slowest cost of one sentence, which must stay under
// 20 ms however many alarms are held.

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTime>
#include <QtTest/QtTest>

#include <cstdio>

#include "comms/NmeaSentence.h"
#include "decoders/MessageDecoder.h"
#include "model/Model.h"
#include "support/ResidentMemory.h"
#include "support/TestMain.h"
#include "ui/monitor/StatusTab.h"

// AddressSanitizer holds freed memory back (256 MB by default) before reuse: the dropped messages would
// show as that pool filling, not as what the tab keeps. A small pool fills within the first bound.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=8";
}

namespace
{

QString Alarm(int id, bool active, int second)
{
    return NmeaSentence::Build(QStringLiteral("$AIALR"),
                               {QTime(10, 0, 0).addSecs(second).toString(QStringLiteral("hhmmss.00")),
                                QStringLiteral("%1").arg(id, 3, 10, QLatin1Char('0')),
                                active ? QStringLiteral("A") : QStringLiteral("V"), QStringLiteral("V"),
                                QStringLiteral("ALARM %1 OF THE UNIT").arg(id)});
}

} // namespace

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
        long startKiB = 0;
        long boundKiB = 0;
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
            // After the first burst is painted: what the window costs on its own is not the messages'.
            if (i + 1 == Burst)
                startKiB = KelvaneTest::ResidentKb();
            // Twice the bound: the table has dropped rows already, and the allocator has settled.
            if (i + 1 == 2 * StatusTab::MaxTextMessages)
                boundKiB = KelvaneTest::ResidentKb();
        }
        QCoreApplication::processEvents();
        const long endKiB = KelvaneTest::ResidentKb();
        const double seconds = double(run.nsecsElapsed()) / 1e9;
        const double rate = Messages / seconds;
        std::printf("%d text messages in %.3f s: %.0f messages/s; slowest single message %.3f ms (message %d)\n",
                    Messages, seconds, rate, double(slowestNs) / 1e6, slowestAt + 1);
        std::printf("resident memory: %ld KiB after %d messages, %ld KiB after %d (%+ld KiB for %d kept), %ld KiB "
                    "after %d (%+ld KiB)\n",
                    startKiB, Burst, boundKiB, 2 * StatusTab::MaxTextMessages, boundKiB - startKiB,
                    StatusTab::MaxTextMessages, endKiB, Messages, endKiB - boundKiB);
        const int kept = qMin(Messages, int(StatusTab::MaxTextMessages));
        QCOMPARE(tab.findChild<QTableWidget*>(QStringLiteral("tableWidgetMessages"))->rowCount(), kept);
        QCOMPARE(tab.TextMessages().size(), kept);
        // A serial link carries a hundred sentences a second at most: this is fifty times that, with the
        // whole bound held and dropped from.
        QVERIFY2(rate >= 5000.0, qPrintable(QStringLiteral("%1 messages/s").arg(rate)));
        // The bound's worth is a few megabytes, even with the sanitizer's own bookkeeping.
        if (Messages >= 2 * StatusTab::MaxTextMessages)
            QVERIFY2(boundKiB - startKiB < 32 * 1024,
                     qPrintable(QStringLiteral("%1 KiB for the bound").arg(boundKiB - startKiB)));
        // Within the bound's memory: what the messages past twice the bound added is allocator noise, not
        // history.
        if (Messages >= 10 * StatusTab::MaxTextMessages)
            QVERIFY2(endKiB - boundKiB < 8 * 1024, qPrintable(QStringLiteral("%1 KiB more").arg(endKiB - boundKiB)));
    }

    void alarms()
    {
        constexpr int Held = 1000;
        constexpr int Further = 200;
        Model model;
        MessageDecoder decoder(&model);
        StatusTab tab;
        connect(&decoder, &MessageDecoder::AlarmReceived, &tab, &StatusTab::OnAlarmReceived);
        tab.resize(800, 520);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        for (int id = 1; id <= Held; ++id)
            decoder.OnReceived(Alarm(id, true, id));
        QCoreApplication::processEvents();
        QCOMPARE(tab.findChild<QTableWidget*>(QStringLiteral("tableWidgetAlarms"))->rowCount(), Held);

        // Further sentences on alarms held: acknowledged or timed anew, one cleared and raised again.
        QElapsedTimer one;
        qint64 totalNs = 0;
        qint64 slowestNs = 0;
        for (int i = 0; i < Further; ++i)
        {
            const int id = 1 + (i * 37) % Held;
            const QString sentence = Alarm(id, i % 10 != 5, Held + i);
            one.start();
            decoder.OnReceived(sentence);
            const qint64 ns = one.nsecsElapsed();
            totalNs += ns;
            slowestNs = qMax(slowestNs, ns);
            QCoreApplication::processEvents();
        }
        std::printf("%d alarms held: a further ALR costs %.3f ms on average, %.3f ms at most (%d sentences)\n", Held,
                    double(totalNs) / Further / 1e6, double(slowestNs) / 1e6, Further);
        QVERIFY2(slowestNs < 20 * 1000 * 1000, qPrintable(QStringLiteral("%1 ms").arg(double(slowestNs) / 1e6)));
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
