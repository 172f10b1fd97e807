// The serial controller: line assembly, the shell prompt, the raw log and its replay, the port list
// stand-in, and a real pseudo-terminal with the simulated unit on the far end.

#include "comms/SerialController.h"
#include "support/FileSizeLimit.h"
#include "support/SimulatedUnit.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <memory>

using KelvaneTest::FileSizeLimit;

class TestSerialController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linesAreAssembledFromPieces_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QStringList>("delivered");
        QTest::addColumn<QString>("pending");
        QTest::newRow("three pieces") << QStringList{QStringLiteral("$GPTXT,01,"), QStringLiteral("01,02,HI*7A"),
                                                     QStringLiteral("\r\n")}
                                      << QStringList{QStringLiteral("$GPTXT,01,01,02,HI*7A\n")} << QString();
        QTest::newRow("prompt alone") << QStringList{QStringLiteral(">")} << QStringList{QStringLiteral(">")}
                                      << QString();
        QTest::newRow("prompt keeps the pending line") << QStringList{QStringLiteral("$GPTXT"), QStringLiteral("a>")}
                                                       << QStringList{QStringLiteral("a>")} << QStringLiteral("$GPTXT");
        QTest::newRow("comment") << QStringList{QStringLiteral("# a comment\n")} << QStringList() << QString();
        QTest::newRow("carriage returns removed")
            << QStringList{QStringLiteral("a\rb\r\n")} << QStringList{QStringLiteral("ab\n")} << QString();
        // A piece opening with "#" is a comment under way, whatever its end looks like.
        QTest::newRow("comment cut behind a >")
            << QStringList{QStringLiteral("#>")} << QStringList() << QStringLiteral("#>");
        QTest::newRow("comment cut behind a >, then its end")
            << QStringList{QStringLiteral("#>"), QStringLiteral("\r\n")} << QStringList() << QString();
        QTest::newRow("# > inside a line") << QStringList{QStringLiteral("$GPTXT"), QStringLiteral("#>")}
                                           << QStringList() << QStringLiteral("$GPTXT#>");
        // A bridge that passes on a byte at a time: the ">" of a line comes as a read of its own.
        QTest::newRow("lone > inside a line")
            << QStringList{QStringLiteral("$AITXT,01,01,07,TEMP-"), QStringLiteral(">"), QStringLiteral("HIGH*46\r\n")}
            << QStringList{QStringLiteral("$AITXT,01,01,07,TEMP->HIGH*46\n")} << QString();
        // A carriage return alone is no text: the ">" behind it, read on its own, is the prompt.
        QTest::newRow("lone > behind a bare carriage return")
            << QStringList{QStringLiteral("\r"), QStringLiteral(">")} << QStringList{QStringLiteral(">")}
            << QStringLiteral("\r");
        // Byte by byte, the "$" of a sentence behind boot noise is a read of its own, before its
        // address shows.
        QTest::newRow("sentence behind 100 bytes of noise, a byte a read")
            << (QString(100, QLatin1Char('x')) + QStringLiteral("$GPTXT,01,01,02,HI*7A\r\n"))
                   .split(QString(), Qt::SkipEmptyParts)
            << QStringList{QString(100, QLatin1Char('x')) + QLatin1Char('\n'),
                           QStringLiteral("$GPTXT,01,01,02,HI*7A\n")}
            << QString();
    }

    void linesAreAssembledFromPieces()
    {
        QFETCH(QStringList, pieces);
        QFETCH(QStringList, delivered);
        QFETCH(QString, pending);
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        for (const QString& piece : pieces)
            controller.HandleLine(piece);
        QStringList got;
        for (const QList<QVariant>& args : received)
            got << args.at(0).toString();
        QCOMPARE(got, delivered);
        QCOMPARE(controller.PartialLine(), pending);
    }

    // Raw bytes as the port or a replayed log gives them, through the reader: what is delivered
    // as received and what a replay takes as sent.
    void bytesBecomeLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("replay");
        QTest::addColumn<QStringList>("received");
        QTest::addColumn<QStringList>("sent");
        const QByteArray txt = "$GPTXT,01,01,02,HI*7A\r\n";
        const QString line = QStringLiteral("$GPTXT,01,01,02,HI*7A\n");
        QTest::newRow("comment behind a carriage return")
            << QByteArray("\r#\n" + txt) << false << QStringList{line} << QStringList();
        QTest::newRow("comment longer than a piece")
            << QByteArray("#" + QByteArray(400, 'x') + "\n" + txt) << false << QStringList{line} << QStringList();
        QTest::newRow("NUL stays in its own line")
            << QByteArray("$GP") + '\0' + "TXT\r\n" + txt << false
            << QStringList{QStringLiteral("$GP\uFFFDTXT\n"), line} << QStringList();
        QTest::newRow("NUL at a line start") << QByteArray(1, '\0') + "\n" + txt << false
                                             << QStringList{QStringLiteral("\uFFFD\n"), line} << QStringList();
        QTest::newRow("sent line behind a carriage return in a replay")
            << QByteArray("\r>$PKVX,0,0,0x5E1D0A47,2,appver,1*29\n" + txt) << true << QStringList{line}
            << QStringList{QStringLiteral(">$PKVX,0,0,0x5E1D0A47,2,appver,1*29\n")};
        QTest::newRow("comment behind a carriage return in a replay")
            << QByteArray("\r#\n" + txt) << true << QStringList{line} << QStringList();
        QTest::newRow("last line of a replay without its end")
            << QByteArray(txt + ">$PKVX,1") << true << QStringList{line} << QStringList{QStringLiteral(">$PKVX,1\n")};
        QTest::newRow("prompt in a replay")
            << QByteArray("a>") << true << QStringList{QStringLiteral("a>")} << QStringList();
        // Boot noise without a line end: the sentence behind it still comes on its own; noise within
        // the partial-line bound is kept as a line of its own.
        QTest::newRow("sentence behind 1,030 bytes of noise")
            << QByteArray(QByteArray(1030, 'x') + txt) << false << QStringList{line} << QStringList();
        QTest::newRow("sentence behind 1,000 bytes of noise")
            << QByteArray(QByteArray(1000, 'x') + txt) << false
            << QStringList{QString(1000, QLatin1Char('x')) + QLatin1Char('\n'), line} << QStringList();
        // The carriage returns a line loses do not hide the start of the sentence behind the noise.
        QTest::newRow("sentence behind noise, a carriage return after its start")
            << QByteArray(QByteArray(100, 'x') + "$\r" + txt.mid(1)) << false
            << QStringList{QString(100, QLatin1Char('x')) + QLatin1Char('\n'), line} << QStringList();
        // Text before a sentence start is cut off only beyond the length of a whole sentence line.
        QTest::newRow("sentence behind 82 characters of text")
            << QByteArray(QByteArray(82, 'x') + txt) << false << QStringList{QString(82, QLatin1Char('x')) + line}
            << QStringList();
        QTest::newRow("sentence behind 83 characters of text")
            << QByteArray(QByteArray(83, 'x') + txt) << false
            << QStringList{QString(83, QLatin1Char('x')) + QLatin1Char('\n'), line} << QStringList();
    }

    void bytesBecomeLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, replay);
        QFETCH(QStringList, received);
        QFETCH(QStringList, sent);
        QTemporaryDir dir;
        SerialController controller;
        QStringList gotReceived;
        QStringList gotSent;
        connect(&controller, &SerialController::Received, this, [&](const QString& l) { gotReceived << l; });
        connect(&controller, &SerialController::Sent, this, [&](const QString& l) { gotSent << l; });
        QBuffer buffer(&bytes);
        if (replay)
        {
            const QString path = dir.filePath(QStringLiteral("replay.log"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            QSignalSpy closed(&controller, &SerialController::Closed);
            QVERIFY(controller.OpenFile(path));
            for (int tick = 0; tick <= bytes.size() + 1 && closed.isEmpty(); ++tick)
                controller.OnReceived();
            QCOMPARE(closed.count(), 1);
        }
        else
        {
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            while (controller.ReadPieces(&buffer, SerialController::MaxPiecesPerCall) > 0)
            {
            }
        }
        QCOMPARE(gotReceived, received);
        QCOMPARE(gotSent, sent);
    }

    void endlessLineIsDropped()
    {
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        for (int i = 0; i < 100; ++i)
        {
            controller.HandleLine(QString(255, QLatin1Char('x')));
            QVERIFY(controller.PartialLine().size() <= SerialController::MaxPartialLine);
        }
        QCOMPARE(received.count(), 0);
        controller.HandleLine(QStringLiteral("\n"));
        controller.HandleLine(QStringLiteral("$GPTXT,01,01,02,HI*7A\r\n"));
        QCOMPARE(received.last().at(0).toString(), QStringLiteral("$GPTXT,01,01,02,HI*7A\n"));
    }

    void rawLogHasHeaderLinesAndFooter()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("raw.log"));
        SerialController controller;
        QVERIFY(controller.StartLog(path));
        QVERIFY(!controller.StartLog(dir.filePath(QStringLiteral("other.log"))));
        QVERIFY(controller.IsLogging());
        controller.HandleLine(QStringLiteral("$GPTXT,01,01,02,HI*7A\r\n"));
        controller.HandleLine(QStringLiteral("# not logged\n"));
        controller.HandleLine(QStringLiteral(">"));
        controller.HandleLine(QStringLiteral("$AITXT,01,"));
        QVERIFY(controller.StopLog());
        QVERIFY(!controller.StopLog());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.at(0), QStringLiteral("#"));
        QVERIFY(QRegularExpression(
                    QStringLiteral("^# Kelvane Started log file at \\d\\d:\\d\\d:\\d\\d \\d{4}/\\d\\d/\\d\\d$"))
                    .match(lines.at(1))
                    .hasMatch());
        QCOMPARE(lines.at(2), QStringLiteral("#"));
        QCOMPARE(lines.at(3), QStringLiteral("$GPTXT,01,01,02,HI*7A"));
        QCOMPARE(lines.at(4), QStringLiteral("#"));
        QVERIFY(lines.at(5).startsWith(QStringLiteral("# Kelvane Stopped log file at ")));
        QCOMPARE(lines.at(6), QStringLiteral("#"));
        QCOMPARE(lines.at(7), QString());
    }

    void logErrorsAreReported()
    {
        SerialController controller;
        QVERIFY(!controller.StartLog(QStringLiteral("/nonexistent-kelvane-dir/raw.log")));
        const QString text = controller.SaveErrorText(SerialController::ErrorCreatingFile);
        QVERIFY(text.startsWith(QStringLiteral("Error creating file.  ")));
        QVERIFY(text.size() > QStringLiteral("Error creating file.  ").size());
        QCOMPARE(controller.SaveErrorText(9), QStringLiteral("Unknown error"));

        // A log that can no longer be written is reported once and ends; the lines still arrive.
        auto dir = std::make_unique<QTemporaryDir>();
        QVERIFY(controller.StartLog(dir->filePath(QStringLiteral("raw.log"))));
        dir.reset();
        QSignalSpy saveError(&controller, &SerialController::SaveError);
        QSignalSpy received(&controller, &SerialController::Received);
        controller.HandleLine(QStringLiteral("$GPTXT,01,01,02,HI*7A\r\n"));
        controller.HandleLine(QStringLiteral("$GPTXT,01,01,02,HI*7A\r\n"));
        QCOMPARE(received.count(), 2);
        QCOMPARE(saveError.count(), 1);
        QCOMPARE(saveError.at(0).at(0).toInt(), int(SerialController::ErrorOpeningFile));
        QVERIFY(!controller.IsLogging());
        QVERIFY(controller.SaveErrorText(SerialController::ErrorOpeningFile).size() >
                QStringLiteral("Error opening file to add message.  ").size());
    }

    // The disk fills while logging: full (/dev/full, behind a link so that it can fill under a running
    // log; room -1), or part-way through a write (the file may grow by `room` bytes more). The log ends
    // at the first failure and says so once, with the system's reason; neither start nor stop passes a
    // failure off as success, and a log that cannot start leaves no file (nor takes a device with it).
    void rawLogOnAFullDisk_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<int>("room");
        QTest::newRow("full at the header") << "start" << -1;
        QTest::newRow("no room for the header") << "start" << 0;
        QTest::newRow("header cut short") << "start" << 5;
        QTest::newRow("full at a line") << "line" << -1;
        QTest::newRow("line cut short") << "line" << 5;
        QTest::newRow("full at the footer") << "stop" << -1;
        QTest::newRow("footer cut short") << "stop" << 3;
    }

    void rawLogOnAFullDisk()
    {
        QFETCH(QString, stage);
        QFETCH(int, room);
        const bool full = room < 0;
        const QString reason = QString::fromLocal8Bit(std::strerror(full ? ENOSPC : EFBIG));
        const QString device = QStringLiteral("/dev/full");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("raw.log"));
        SerialController controller;
        QSignalSpy saveError(&controller, &SerialController::SaveError);
        QSignalSpy received(&controller, &SerialController::Received);
        if (stage == QLatin1String("start"))
        {
            const FileSizeLimit limit(room);
            QVERIFY(!controller.StartLog(full ? device : path));
            QVERIFY(!QFile::exists(path));
            QVERIFY(QFile::exists(device));
            const QString text = controller.SaveErrorText(SerialController::ErrorCreatingFile);
            QVERIFY2(text.endsWith(reason), qPrintable(text));
            QVERIFY(!controller.IsLogging());
            return;
        }
        QVERIFY(controller.StartLog(path));
        {
            const FileSizeLimit limit(full ? -1 : QFileInfo(path).size() + room);
            if (full)
                QVERIFY(QFile::rename(path, dir.filePath(QStringLiteral("real.log"))) && QFile::link(device, path));
            if (stage == QLatin1String("line"))
                for (int i = 0; i < 3; ++i)
                    controller.HandleLine(QStringLiteral("$GPTXT,01,01,02,HI*7A\r\n"));
            QVERIFY(!controller.StopLog());
        }
        QCOMPARE(received.count(), stage == QLatin1String("line") ? 3 : 0);
        QCOMPARE(saveError.count(), 1);
        QCOMPARE(saveError.at(0).at(0).toInt(), int(SerialController::ErrorAddingMessage));
        const QString text = controller.SaveErrorText(SerialController::ErrorAddingMessage);
        QVERIFY2(text.endsWith(reason), qPrintable(text));
        QVERIFY(!controller.IsLogging());
    }

    void replayDeliversLinesAtItsPace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("replay.log"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#\n# Kelvane Started log file at 10:00:00 2026/12/07\n#\n"
                       "$GPTXT,01,01,02,HI*7A\n>$PKVX,0,0,0x5E1D0A47,2,appver,1*29\n$GPTXT,01,01,02,HO*7C\n");
        }
        SerialController controller;
        QSignalSpy received(&controller, &SerialController::Received);
        QSignalSpy sent(&controller, &SerialController::Sent);
        QSignalSpy closed(&controller, &SerialController::Closed);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(controller.OpenFile(path));
        QVERIFY(controller.IsFileOpen());
        QVERIFY(closed.wait(5000));
        // Six lines, one per 10 ms tick, then the end.
        QVERIFY(clock.elapsed() >= 6 * SerialController::ReplayIntervalMs);
        QCOMPARE(received.count(), 2);
        QCOMPARE(received.at(1).at(0).toString(), QStringLiteral("$GPTXT,01,01,02,HO*7C\n"));
        QCOMPARE(sent.count(), 1);
        QVERIFY(sent.at(0).at(0).toString().startsWith(QStringLiteral(">$PKVX")));
        // The end is said once, not on every tick.
        QTest::qWait(50);
        QCOMPARE(closed.count(), 1);
        QVERIFY(controller.Close());
        QVERIFY(!controller.IsOpen());
    }

    void failedOpensKeepTheReason()
    {
        SerialController controller;
        QVERIFY(!controller.Open(QStringLiteral("/dev/nonexistent-kelvane-port"), 38400));
        QVERIFY(controller.ErrorString() != QStringLiteral("Unknown error"));
        QVERIFY(!controller.Open(QString(), 38400));
        QVERIFY(!controller.OpenFile(QStringLiteral("/nonexistent-kelvane-dir/x.log")));
        QVERIFY(controller.ErrorString() != QStringLiteral("Unknown error"));
        QVERIFY(!controller.Close());
    }

    void portListShowsSimulatedPorts()
    {
        qputenv("KELVANE_SIMULATED_PORTS",
                "/dev/pts/97=AIS AtoN (simulated);/dev/pts/98=STM32 Virtual ComPort;;/dev/pts/99");
        const auto ports = SerialController::ListPorts();
        qunsetenv("KELVANE_SIMULATED_PORTS");
        QList<QPair<QString, QString>> simulated;
        for (const auto& p : ports)
            if (p.first.startsWith(QStringLiteral("/dev/pts/9")))
                simulated << p;
        QCOMPARE(simulated.size(), 3);
        QCOMPARE(simulated.at(0).second, QStringLiteral("AIS AtoN (simulated) (/dev/pts/97)"));
        QCOMPARE(simulated.at(1).second, QStringLiteral("AIS Virtual COM Port"));
        QCOMPARE(simulated.at(2).second, QStringLiteral(" (/dev/pts/99)"));
        QCOMPARE(SerialController::PortDisplayName(QStringLiteral("COM77")), QStringLiteral("COM77"));
        QVERIFY(SerialController::IsStmPort(QStringLiteral("STM32 Virtual ComPort")));
        QVERIFY(SerialController::IsStmPort(QStringLiteral("STMicroelectronics VCP")));
        QVERIFY(!SerialController::IsStmPort(QStringLiteral("stm32")));
    }

    void pseudoTerminalCarriesLinesBothWays()
    {
        SimulatedUnit unit;
        unit.SetGnssInterval(20);
        QVERIFY2(unit.Start(), qPrintable(unit.ErrorString()));
        QVERIFY(!SerialController::IsPortBusy(unit.PortPath()));
        SerialController controller;
        QSignalSpy opened(&controller, &SerialController::Opened);
        QSignalSpy received(&controller, &SerialController::Received);
        QVERIFY2(controller.Open(unit.PortPath(), 38400), qPrintable(controller.ErrorString()));
        QCOMPARE(opened.count(), 1);
        QVERIFY(!controller.Open(unit.PortPath(), 38400));
        QTRY_VERIFY(received.count() >= 3);
        for (const QList<QVariant>& args : received)
        {
            const QString line = args.at(0).toString();
            QVERIFY(line.startsWith(QLatin1Char('$')));
            QVERIFY(line.endsWith(QStringLiteral("\n")) && !line.contains(QLatin1Char('\r')));
        }
        QSignalSpy sent(&controller, &SerialController::Sent);
        QSignalSpy unitLines(&unit, &SimulatedUnit::LineReceived);
        controller.OnSend(QStringLiteral("$PKVX,0,0,0x5E1D0A47,2,appver,1*29\r\n"));
        QCOMPARE(sent.count(), 1);
        QVERIFY(unitLines.wait(2000));
        QCOMPARE(unitLines.at(0).at(0).toString(), QStringLiteral("$PKVX,0,0,0x5E1D0A47,2,appver,1*29"));

        // A line that comes in reads split around its ">" arrives whole.
        unit.SetGnssInterval(0);
        QTest::qWait(50); // let the steady traffic drain
        received.clear();
        unit.SendRaw("$AITXT,01,01,07,TEMP-");
        QTRY_COMPARE(controller.PartialLine(), QStringLiteral("$AITXT,01,01,07,TEMP-"));
        unit.SendRaw(">");
        QTRY_VERIFY(controller.PartialLine().endsWith(QLatin1Char('>')) || !received.isEmpty());
        unit.SendRaw("HIGH*46\r\n");
        QTRY_VERIFY(!received.isEmpty() && received.last().at(0).toString().endsWith(QLatin1Char('\n')));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("$AITXT,01,01,07,TEMP->HIGH*46\n"));
        QSignalSpy closed(&controller, &SerialController::Closed);
        QVERIFY(controller.Close());
        QCOMPARE(closed.count(), 1);
    }

    void burstBeyondThePieceCapIsDeliveredWithoutMoreTraffic()
    {
        SimulatedUnit unit;
        unit.SetGnssInterval(20);
        QVERIFY(unit.Start());
        SerialController controller;
        QVERIFY(controller.Open(unit.PortPath(), 38400));
        unit.SetGnssInterval(0);
        QTest::qWait(50); // let the steady traffic drain
        QSignalSpy received(&controller, &SerialController::Received);
        unit.SendBurst(3 * SerialController::MaxPiecesPerCall + 7);
        // The line is quiet after the burst: the rest must not wait for another byte.
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 3 * SerialController::MaxPiecesPerCall + 7, 5000);
    }

    void hangUpEndsTheConnectionOnce_data()
    {
        // A read that finds the line hung up sets no error of its own: what the last failed call left is
        // no reason for the loss.
        QTest::addColumn<int>("stale");
        QTest::newRow("after an ioctl") << ENOTTY;
        QTest::newRow("after a read that found nothing") << EAGAIN;
    }

    void hangUpEndsTheConnectionOnce()
    {
        QFETCH(int, stale);
        SimulatedUnit unit;
        unit.SetGnssInterval(20);
        QVERIFY(unit.Start());
        SerialController controller;
        QVERIFY(controller.Open(unit.PortPath(), 38400));
        QSignalSpy lost(&controller, &SerialController::ConnectionLost);
        QSignalSpy closed(&controller, &SerialController::Closed);
        unit.HangUp();
        errno = stale;
        QVERIFY(closed.wait(3000));
        QCOMPARE(lost.count(), 1);
        // Said as a loss; the reason, when there is one, is this failure's own.
        const QString reason = lost.at(0).at(0).toString();
        QVERIFY2(reason.startsWith(QStringLiteral("The device was lost")), qPrintable(reason));
        QVERIFY2(!reason.contains(QString::fromLocal8Bit(std::strerror(stale))), qPrintable(reason));
        QVERIFY(!controller.IsOpen());
        QTest::qWait(50);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(lost.count(), 1);
        QCOMPARE(controller.ErrorString(), lost.at(0).at(0).toString());
    }
};

KELVANE_TEST_MAIN(TestSerialController)
#include "tst_SerialController.moc"
