// The Diagnostics tab under a unit that never stops talking, with the tab shown and the event loop
// running between bursts.
//
// textMessages: 100,000 text messages, as a unit might send over a long session. Reports messages per
// second over the whole run, the slowest single message, and the memory the process holds before the
// first burst, after twice the bound (the bound kept) and at the end: the bound's worth must stay a few
// megabytes, and once it is reached the oldest go, so the end must hold no more than the bound's worth did.
//
// textMessageOnceFull: the same messages, burst by burst in turn with a bare QTableWidget that inserts the
// same items at row 0 and does nothing else (shown beside it, held to the tab's row count outside the
// timing). Reports the CPU time of one message past the bound for each and their ratio: what the tab does
// beyond the insertion (its sort, its list for the report, dropping the oldest) must cost at most twice
// the insertion itself, so the ratio stays at or below 3.
//
// alarms: the unit holds 1,000 alarms; each further ALR sentence goes through the message decoder and
// the tab on the GUI thread. Reports the mean and slowest cost of one sentence, which must stay under
// 20 ms however many alarms are held.

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableWidget>
#include <QTime>
#include <QtTest/QtTest>

#include <cstdio>

#include <time.h>

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

qint64 ThreadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int MessageCount()
{
    return qEnvironmentVariableIsSet("BENCH_MESSAGES") ? qEnvironmentVariableIntValue("BENCH_MESSAGES") : 100000;
}

QString MessageText(int i)
{
    return QStringLiteral("LIGHT STATUS REPORT %1 FROM THE UNIT").arg(i);
}

// A cell as the tab makes it.
QTableWidgetItem* BareCell(const QString& text, Qt::Alignment alignment)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::NoItemFlags);
    item->setForeground(QApplication::palette().brush(QPalette::Active, QPalette::Text));
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

class BenchStatusTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textMessages()
    {
        const int Messages = MessageCount();
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
            const QString text = MessageText(i);
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
        const int shown = tab.findChild<QTableWidget*>(QStringLiteral("tableWidgetMessages"))->rowCount();
        QVERIFY2(shown >= kept && shown <= qMin(Messages, StatusTab::MaxTextMessages + StatusTab::TextMessageRowBatch),
                 qPrintable(QStringLiteral("%1 rows").arg(shown)));
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

    void textMessageOnceFull()
    {
        const int Messages = MessageCount();
        constexpr int Burst = 100;
        if (Messages < 2 * StatusTab::MaxTextMessages)
            QSKIP("the cost once full needs at least twice the bound of messages");
        StatusTab tab;
        tab.resize(800, 520);
        tab.move(0, 0);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QTableWidget* shown = tab.findChild<QTableWidget*>(QStringLiteral("tableWidgetMessages"));
        QTableWidget bare(0, 2);
        bare.setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Description")});
        bare.verticalHeader()->setDefaultSectionSize(shown->verticalHeader()->defaultSectionSize());
        bare.resize(shown->size());
        bare.move(0, 540);
        bare.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bare));

        qint64 tabNs = 0;
        qint64 bareNs = 0;
        for (int first = 0; first < Messages; first += Burst)
        {
            const int end = qMin(Messages, first + Burst);
            // Only bursts wholly past the bound count; the two take turns at going first.
            const bool timed = first >= StatusTab::MaxTextMessages;
            for (int turn = 0; turn < 2; ++turn)
            {
                const bool tabTurn = (turn + first / Burst) % 2 == 0;
                const qint64 start = ThreadCpuNs();
                for (int i = first; i < end; ++i)
                {
                    if (tabTurn)
                    {
                        tab.OnTextMessageReceived(MessageText(i));
                        continue;
                    }
                    const QString time = QDateTime::currentDateTimeUtc().time().toString(QStringLiteral("hh:mm:ss"));
                    bare.insertRow(0);
                    bare.setItem(0, 0, BareCell(time, Qt::AlignHCenter));
                    bare.setItem(0, 1, BareCell(MessageText(i), Qt::AlignLeft));
                }
                if (timed)
                    (tabTurn ? tabNs : bareNs) += ThreadCpuNs() - start;
            }
            // Outside the timing: the bare table keeps as many rows as the tab shows.
            if (bare.rowCount() > shown->rowCount())
                bare.model()->removeRows(shown->rowCount(), bare.rowCount() - shown->rowCount());
            QCoreApplication::processEvents();
        }
        const int timedMessages = Messages - StatusTab::MaxTextMessages;
        const double tabUs = double(tabNs) / timedMessages / 1e3;
        const double bareUs = double(bareNs) / timedMessages / 1e3;
        const double ratio = tabUs / bareUs;
        std::printf("CPU time of one text message once full (messages %d to %d, %d to %d rows shown):\n"
                    "  Diagnostics tab                       %7.2f us\n"
                    "  bare QTableWidget inserting at row 0  %7.2f us\n"
                    "  ratio                                 %7.2f (at most 3)\n",
                    StatusTab::MaxTextMessages + 1, Messages, int(StatusTab::MaxTextMessages),
                    StatusTab::MaxTextMessages + StatusTab::TextMessageRowBatch, tabUs, bareUs, ratio);
        QCOMPARE(tab.TextMessages().size(), qsizetype(StatusTab::MaxTextMessages));
        QCOMPARE(tab.TextMessages().constLast().message, MessageText(Messages - 1));
        QVERIFY2(ratio <= 3.0, qPrintable(QStringLiteral("a message once full costs %1 bare insertions").arg(ratio)));
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
