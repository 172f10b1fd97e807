// The serial controller's line assembly and its raw-log replay on arbitrary bytes, read in one go
// and in the short reads of a unit that pauses: no crash, no hang, no runaway memory; every
// delivered line is whole (ends with its line feed, no carriage return) or a short shell prompt,
// none is a comment (starts with "#"), none carries a sentence start behind text longer than any
// sentence, and the text waiting for a line end stays bounded.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "comms/NmeaSentence.h"
#include "comms/SerialController.h"
#include "comms/SerialTransport.h"
#include "model/Model.h"

namespace
{
void Fail(const char* what, const QString& line)
{
    std::fprintf(stderr, "fuzz_serial_lines: %s: \"%s\"\n", what, line.toUtf8().toHex().constData());
    std::abort();
}

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz_serial_lines";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

void CheckLine(const QString& line)
{
    // A short shell prompt comes as it arrived; a line comes whole, without carriage returns.
    const bool prompt = line.size() < 3 && line.endsWith(QLatin1Char('>'));
    if (!prompt && line.contains(QLatin1Char('\r')))
        Fail("carriage return delivered", line);
    if (!prompt && !line.endsWith(QLatin1Char('\n')))
        Fail("line without its end", line);
    if (line.size() > SerialController::MaxPartialLine + SerialController::PieceSize)
        Fail("line beyond the bound", line);
    if (line.startsWith(QLatin1Char('#')))
        Fail("comment delivered", line);
    // Behind text longer than any sentence, a sentence start begins a line of its own.
    for (qsizetype i = NmeaSentence::MaxLineLength + 1; !prompt && i + 1 < line.size(); ++i)
    {
        const QChar c = line.at(i);
        const QChar next = line.at(i + 1);
        if ((c == QLatin1Char('$') || c == QLatin1Char('!')) &&
            ((next >= QLatin1Char('0') && next <= QLatin1Char('9')) ||
             (next >= QLatin1Char('A') && next <= QLatin1Char('Z'))))
            Fail("sentence start glued behind long text", line);
    }
    NmeaSentence sentence(line);
    (void)sentence.Formatter();
}

// Every delivered line also goes through the reply matching of a running job, chosen by the
// input's first byte among all jobs of the table, as a query or a send run.
void ThroughTheEngine(const QStringList& lines, unsigned char selector)
{
    static Model* model = new Model(nullptr);
    static SerialTransport* transport = new SerialTransport(model, nullptr);
    static const QStringList names = transport->JobNames();
    transport->QueueJob(names.at(selector % names.size()), (selector & 0x80) != 0);
    for (const QString& line : lines)
        transport->SerialReceived(line);
    if (transport->QueuedRuns() > 2 * names.size())
        Fail("queue grows without bound", QString());
}

// The bytes as a unit that pauses gives them: a read ends behind every ">" (a prompt waits for
// its user) and before every "#", so that pieces start with "#" or end with ">" without their
// line end, alone or behind the first half of a line.
QList<QByteArray> PausedReads(const QByteArray& bytes)
{
    QList<QByteArray> reads;
    qsizetype from = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
    {
        const qsizetype end = bytes.at(i) == '#' ? i : bytes.at(i) == '>' ? i + 1 : -1;
        if (end > from)
        {
            reads << bytes.mid(from, end - from);
            from = end;
        }
    }
    if (from < bytes.size())
        reads << bytes.mid(from);
    return reads;
}

QStringList AsPort(const QList<QByteArray>& reads, qsizetype total)
{
    SerialController controller;
    QStringList lines;
    QObject::connect(&controller, &SerialController::Received, [&lines](const QString& l) { lines << l; });
    int calls = 0;
    for (const QByteArray& read : reads)
    {
        QByteArray copy = read;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        while (controller.ReadPieces(&buffer, SerialController::MaxPiecesPerCall) > 0)
        {
            if (controller.PartialLine().size() > SerialController::MaxPartialLine)
                Fail("partial line beyond its cap", controller.PartialLine());
            if (++calls > total + 2)
                Fail("reader does not advance", QString());
        }
    }
    for (const QString& l : lines)
        CheckLine(l);
    return lines;
}

void AsPort(const QByteArray& bytes)
{
    const QStringList lines = AsPort(QList<QByteArray>{bytes}, bytes.size());
    AsPort(PausedReads(bytes), bytes.size());
    ThroughTheEngine(lines, bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes.at(0)));
}

void AsReplay(const QByteArray& bytes)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_serial_lines_%1.log").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        file.write(bytes);
    }
    SerialController controller;
    QStringList lines;
    int closed = 0;
    QObject::connect(&controller, &SerialController::Received, [&lines](const QString& l) { lines << l; });
    QObject::connect(&controller, &SerialController::Closed, [&closed] { ++closed; });
    if (!controller.OpenFile(path))
        return;
    // One piece per tick, driven by hand: the file must end within one tick per byte. (The end is
    // counted by the signal, out of the loop's sight.)
    int tick = 0;
    while (closed == 0)
    {
        if (++tick > bytes.size() + 3)
            Fail("replay does not reach its end", QString());
        controller.OnReceived();
    }
    controller.OnReceived();
    if (closed != 1)
        Fail("end of replay said more than once", QString());
    controller.Close();
    for (const QString& l : lines)
        CheckLine(l);
}
} // namespace

std::vector<QByteArray> KelvaneFuzzSeeds()
{
    return {
        QByteArrayLiteral(
            "#\n# Kelvane Started log file at 10:00:00 2026/12/07\n#\n$GPTXT,01,01,02,HI*7A\n"
            ">$PKVX,0,0,0x5E1D0A47,2,appver,1*29\n#\n# Kelvane Stopped log file at 10:01:00 2026/12/07\n#\n"),
        QByteArrayLiteral(
            "$GPRMC,120000.00,A,5130.0000,N,00445.0000,E,0.0,0.0,071226,,,A*6C\r\n>$PKVX,255,appver,1,V1*00\r\n"),
        QByteArrayLiteral("a>b>\r\n>\r\n\r\r\r\n\n\n"),
        QByteArray(600, 'x') + QByteArrayLiteral("\r\n$AIALR,,001,A,V,LAMP*00\r\n"),
        QByteArrayLiteral("\x00\x01$GP\x00TXT\xff\xfe\r\n\xc3\xa9\xe2\x82\xac\n"),
        // Boot noise without a line end, then a sentence; a line whose ">" comes in a read of its own.
        QByteArray(1030, 'x') + QByteArrayLiteral("$GPTXT,01,01,02,HI*7A\r\n"),
        QByteArrayLiteral("$AITXT,01,01,07,TEMP->HIGH*46\r\n"),
        // A shell exchange: replies, prompts, and comment lines between them.
        QByteArrayLiteral("$PKVX,255,vin,1,12.1*00\r\n>\r\n# note\r\n$PKVX,255,vswr,1,1.2*00\r\n>"),
    };
}

// Pieces of the shapes the line assembly tells apart; the bounded driver inserts them whole.
std::vector<QByteArray> KelvaneFuzzTokens()
{
    return {QByteArrayLiteral("#"),  QByteArrayLiteral(">"),  QByteArrayLiteral("\r\n"), QByteArrayLiteral("\n"),
            QByteArrayLiteral("\r"), QByteArrayLiteral("a>"), QByteArrayLiteral(">\n"),  QByteArrayLiteral("#\n")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    AsPort(bytes);
    AsReplay(bytes);
    return 0;
}
