#include "comms/SerialController.h"

#include "comms/NmeaSentence.h"
#include "comms/WholeWrite.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cerrno>

QList<QSerialPortInfo> SerialController::availablePorts;

namespace
{
// Names and descriptions of the port list keep only their ASCII characters unchanged.
QString ThroughLatin1(const QString& text)
{
    return QString::fromUtf8(text.toLatin1());
}

// A NUL is a bad character like any other: it stays in its own line (as the replacement character
// an undecodable byte becomes) rather than cutting the line short and taking its line end with it.
QString PieceText(const char* bytes, qint64 size)
{
    QString text = QString::fromUtf8(bytes, int(size));
    text.replace(QChar(0), QChar(QChar::ReplacementCharacter));
    return text;
}

// Adds the text to the end of a log: 0, or the SaveError code of the failure with the file's own
// reason in errorText.
int AppendThrough(const QString& fileName, const QByteArray& bytes, QString& errorText)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
    {
        errorText = file.errorString();
        return SerialController::ErrorOpeningFile;
    }
    if (!WholeWrite::Write(file, bytes))
    {
        errorText = file.errorString();
        return SerialController::ErrorAddingMessage;
    }
    return 0;
}

// Carriage returns alone are no text: no line is under way behind them, and they make no line.
bool HoldsText(QStringView text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c != QLatin1Char('\r'); });
}

// A "$" or "!" at this position of the piece can open a sentence. Where the piece shows what
// follows, an address character must follow: a "!" that ends a sentence of text opens nothing.
// Carriage returns are passed over, as the line loses them before it is judged.
bool StartsSentence(QStringView piece, qsizetype at)
{
    const QChar c = piece.at(at);
    if (c != QLatin1Char('$') && c != QLatin1Char('!'))
        return false;
    qsizetype after = at + 1;
    while (after < piece.size() && piece.at(after) == QLatin1Char('\r'))
        ++after;
    if (after >= piece.size())
        return true;
    const QChar next = piece.at(after);
    return (next >= QLatin1Char('0') && next <= QLatin1Char('9')) ||
           (next >= QLatin1Char('A') && next <= QLatin1Char('Z'));
}

QString ComparableName(const QString& name)
{
    QString text = name;
    text.remove(QStringLiteral("COM"));
    bool ok = false;
    const int number = text.toInt(&ok);
    return QString::number(ok ? number : 0);
}
} // namespace

SerialController::SerialController(QObject* parent) : QObject(parent) {}

SerialController::~SerialController()
{
    Close();
    StopLog();
}

bool SerialController::Open(const QString& portName, int baudRate)
{
    if (port || replayFile || portName.isEmpty())
        return false;
    try
    {
        auto* opened = new QSerialPort(portName, this);
        if (!opened->open(QIODevice::ReadWrite))
        {
            // Keep the reason before the object goes: the caller reports it.
            errorText = opened->errorString();
            delete opened;
            return false;
        }
        errorText.clear();
        opened->setReadBufferSize(ReadBufferSize);
        opened->setBaudRate(baudRate, QSerialPort::AllDirections);
        opened->setFlowControl(QSerialPort::NoFlowControl);
        opened->setParity(QSerialPort::NoParity);
        opened->setDataBits(QSerialPort::Data8);
        opened->setStopBits(QSerialPort::OneStop);
        // A port without modem lines (a pseudo-terminal, some adapters) refuses DTR; the line
        // works without it, so the open goes on.
        opened->setDataTerminalReady(true);
        opened->clearError();
        opened->flush();
        port = opened;
        partialLine.clear();
        closing = false;

        WaitForSentence();
        if (!port)
            return false; // the port went away while waiting

        connect(port, &QSerialPort::readyRead, this, &SerialController::OnReceived);
        connect(port, &QSerialPort::errorOccurred, this, &SerialController::OnPortError);
        connect(port, &QSerialPort::bytesWritten, this, &SerialController::OnWritten);
        connect(port, &QSerialPort::dataTerminalReadyChanged, this, &SerialController::OnDSRChanged);
        Q_EMIT Opened();
        // What arrived behind the sentence boundary is delivered now, not with the next byte.
        if (port->bytesAvailable() > 0)
            ScheduleRead();
        return true;
    }
    catch (...)
    {
        delete port;
        port = nullptr;
        return false;
    }
}

void SerialController::WaitForSentence()
{
    // Skip the rest of whatever sentence is under way: start at a sentence boundary.
    static const QRegularExpression boundary(QStringLiteral("\\*[0-9A-F]{2}\\r"));
    QDeadlineTimer deadline(SentenceWaitMs);
    char buffer[PieceSize];
    while (port && !deadline.hasExpired())
    {
        if (!port->canReadLine() && port->bytesAvailable() < PieceSize - 1)
        {
            if (!port->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            {
                if (port->error() == QSerialPort::TimeoutError || port->error() == QSerialPort::NoError)
                    continue;
                break;
            }
            if (!port->canReadLine() && port->bytesAvailable() < PieceSize - 1)
                continue;
        }
        const qint64 n = port->readLine(buffer, PieceSize);
        if (n <= 0)
            break;
        const QString line = QString::fromUtf8(buffer, int(qstrnlen(buffer, size_t(n))));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (boundary.match(line).hasMatch())
            break;
    }
    if (!port)
        return;
    const QSerialPort::SerialPortError error = port->error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::DeviceNotFoundError)
    {
        // The device went away before the link was up: the open fails, with the reason.
        errorText = port->errorString();
        QSerialPort* gone = port;
        port = nullptr;
        gone->close();
        delete gone;
        return;
    }
    port->clearError();
}

bool SerialController::OpenFile(const QString& fileName)
{
    if (port || replayFile)
        return false;
    try
    {
        auto* file = new QFile(fileName, this);
        if (!file->open(QIODevice::ReadOnly))
        {
            errorText = file->errorString();
            delete file;
            return false;
        }
        errorText.clear();
        replayFile = file;
        partialLine.clear();
        replayEnded = false;
        replayTimer = new QTimer(this);
        replayTimer->setInterval(ReplayIntervalMs);
        replayTimer->setTimerType(Qt::PreciseTimer);
        connect(replayTimer, &QTimer::timeout, this, &SerialController::OnReceived);
        replayTimer->start();
        Q_EMIT Opened();
        return true;
    }
    catch (...)
    {
        delete replayFile;
        replayFile = nullptr;
        return false;
    }
}

bool SerialController::Close()
{
    try
    {
        if (port)
        {
            closing = true;
            Q_EMIT Closed();
            QSerialPort* closed = port;
            port = nullptr;
            disconnect(closed, nullptr, this, nullptr);
            closed->setDataTerminalReady(false);
            if (closed->bytesToWrite() > 0)
                closed->waitForBytesWritten(500);
            closed->close();
            // Close may run inside one of the port's own signals: let it finish first.
            closed->deleteLater();
            closing = false;
            return true;
        }
        if (replayFile)
        {
            Q_EMIT Closed();
            delete replayTimer;
            replayTimer = nullptr;
            replayFile->close();
            delete replayFile;
            replayFile = nullptr;
            return true;
        }
    }
    catch (...)
    {
        closing = false;
    }
    return false;
}

bool SerialController::IsOpen() const
{
    return port != nullptr || replayFile != nullptr;
}

bool SerialController::IsFileOpen() const
{
    return replayFile != nullptr;
}

QString SerialController::ErrorString() const
{
    if (!errorText.isEmpty())
        return errorText;
    return tr("Unknown error");
}

void SerialController::OnSend(QString text)
{
    if (!port)
        return;
    const QByteArray bytes = text.toLatin1();
    const qint64 written = port->write(bytes);
    if (written != bytes.size())
    {
        errorText = port->errorString();
        Q_EMIT SendError();
        return;
    }
    Q_EMIT Sent(text);
}

void SerialController::OnReceived()
{
    readScheduled = false;
    if (port)
    {
        ReadPieces(port, MaxPiecesPerCall);
        // Beyond the cap: go on from the event loop rather than wait for the next byte.
        if (port && port->bytesAvailable() > 0)
            ScheduleRead();
        return;
    }
    if (replayFile)
    {
        if (replayEnded)
            return;
        if (replayFile->atEnd())
        {
            // A log cut short still gives its last line, judged like every other.
            if (!partialLine.isEmpty())
                HandleLine(QStringLiteral("\n"));
            if (!replayFile)
                return;
            // Said once; the transport ends the connection on it.
            replayEnded = true;
            if (replayTimer)
                replayTimer->stop();
            Q_EMIT Closed();
            return;
        }
        ReadPieces(replayFile, 1);
    }
}

void SerialController::ScheduleRead()
{
    if (readScheduled)
        return;
    readScheduled = true;
    QMetaObject::invokeMethod(this, &SerialController::OnReceived, Qt::QueuedConnection);
}

int SerialController::ReadPieces(QIODevice* device, int maxPieces)
{
    int handled = 0;
    char buffer[PieceSize];
    const bool fromPort = device != nullptr && device == port;
    const bool fromReplay = device != nullptr && device == replayFile;
    while (device && handled < maxPieces && device->bytesAvailable() > 0)
    {
        const qint64 n = device->readLine(buffer, PieceSize);
        if (n <= 0)
            break;
        ++handled;
        HandleLine(PieceText(buffer, n));
        // Closed while the line was handled (a receiver ended the connection).
        if ((fromPort && !port) || (fromReplay && !replayFile))
            break;
    }
    return handled;
}

void SerialController::HandleLine(const QString& piece)
{
    // A piece without a line end is the shell prompt (delivered at once, a pending line stays
    // pending) or part of a line. In a replay a piece opening with ">" is text the PC sent, never
    // a prompt. A piece opening with "#" is never a prompt either: it is a comment, or part of a
    // line, and is judged with the whole line once its end comes. A ">" read on its own while a
    // line is under way is that line's character: a unit behind a bridge that passes on one byte
    // at a time delivers every character of a line like this.
    if (!piece.endsWith(QLatin1Char('\n')))
    {
        const bool prompt = piece.endsWith(QLatin1Char('>')) && piece.size() < 3 &&
                            !piece.startsWith(QLatin1Char('#')) && !(piece.size() == 1 && HoldsText(partialLine));
        if (prompt && !(replayFile && partialLine.isEmpty() && piece.startsWith(QLatin1Char('>'))))
        {
            Q_EMIT Received(piece);
            return;
        }
    }
    // Text that ran on without a line end (a unit's boot noise) is longer than any sentence: a
    // sentence start then begins a new line, or the next sentence would be glued onto the noise
    // and lost with it. The noise so far ends as a line of its own.
    const bool wasOpen = IsOpen();
    const bool maySplit = MaySplit(piece);
    qsizetype from = 0;
    for (qsizetype i = 0; maySplit && i < piece.size(); ++i)
    {
        if (!StartsSentence(piece, i) || partialLine.size() + (i - from) <= NmeaSentence::MaxLineLength)
            continue;
        QString noise = partialLine;
        noise += QStringView(piece).mid(from, i - from);
        partialLine.clear();
        from = i;
        if (noise.size() <= MaxPartialLine && HoldsText(noise))
            EndLine(noise + QLatin1Char('\n'));
        // Closed while the line was handled (a receiver ended the connection).
        if (wasOpen && !IsOpen())
            return;
    }
    const QStringView rest = QStringView(piece).mid(from);
    if (!rest.endsWith(QLatin1Char('\n')))
    {
        partialLine += rest;
        if (partialLine.size() > MaxPartialLine)
            partialLine.clear(); // no line end in sight: noise or a wrong baud rate
        return;
    }
    QString line;
    line.swap(partialLine);
    line += rest;
    EndLine(line);
}

bool SerialController::MaySplit(const QString& piece) const
{
    // A comment, and in a replay the text the PC sent, stay whole whatever they hold: their mark
    // is at their start and would not carry over to a part cut off. (A part cut off opens with a
    // sentence start, so the line's first mark decides for the whole piece.)
    QChar mark;
    for (const QString* text : {&partialLine, &piece})
    {
        const auto first = std::find_if(text->cbegin(), text->cend(), [](QChar c) { return c != QLatin1Char('\r'); });
        if (first != text->cend())
        {
            mark = *first;
            break;
        }
    }
    return mark != QLatin1Char('#') && !(replayFile && mark == QLatin1Char('>'));
}

void SerialController::EndLine(QString line)
{
    // The marks of a comment and of sent text are judged on the whole line with its carriage
    // returns gone: a line cut into pieces, or one that starts with a stray "\r", is judged as
    // the log would hold it.
    line.remove(QLatin1Char('\r'));
    if (line.startsWith(QLatin1Char('#')))
        return;
    if (replayFile && line.startsWith(QLatin1Char('>')))
    {
        Q_EMIT Sent(line);
        return;
    }
    AppendToLog(line);
    Q_EMIT Received(line);
}

void SerialController::OnWritten(qlonglong bytes)
{
    Q_UNUSED(bytes);
}

void SerialController::OnDSRChanged(bool status)
{
    Q_UNUSED(status);
}

void SerialController::OnPortError(QSerialPort::SerialPortError error)
{
    if (!port || closing)
        return;
    switch (error)
    {
    case QSerialPort::WriteError:
        errorText = port->errorString();
        Q_EMIT SendError();
        return;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
        // The unit was unplugged or the device cannot be read any more: end the connection once
        // instead of spinning on read errors.
        errorText = LostText(port->errorString());
        Q_EMIT ConnectionLost(errorText);
        Close();
        return;
    default:
        return;
    }
}

QString SerialController::LostText(const QString& reason)
{
    // A read that found the line hung up names no reason of its own: the port object then shows
    // the text of whatever call failed last ("Inappropriate ioctl for device", or the "Resource
    // temporarily unavailable" of a read that merely found nothing waiting), which would send the
    // user looking for the wrong fault, whichever kind of error the port reports with it. Only the
    // reasons a read of a device that is going or gone gives are passed on.
    static const QStringList lossReasons{qt_error_string(EIO), qt_error_string(ENXIO), qt_error_string(ENODEV)};
    const bool named = lossReasons.contains(reason);
    return named ? tr("The device was lost: %1").arg(reason) : tr("The device was lost");
}

QString SerialController::TimeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss yyyy/MM/dd"));
}

bool SerialController::StartLog(const QString& fileName)
{
    QMutexLocker locker(&logMutex);
    if (!logFileName.isEmpty())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
    {
        logErrorText = file.errorString();
        return false;
    }
    const QString header =
        QStringLiteral("#\n") + tr("# Kelvane Started log file at ") + TimeStamp() + QStringLiteral("\n#\n");
    if (!WholeWrite::Write(file, header.toUtf8()))
    {
        logErrorText = file.errorString();
        file.close();
        // A log that did not start leaves nothing behind: what the open created or emptied, with at
        // most part of a header, is no log. Only a plain file goes; a device or a link stays.
        const QFileInfo info(fileName);
        if (info.isFile() && !info.isSymLink())
            QFile::remove(fileName);
        return false;
    }
    file.close();
    logErrorText.clear();
    logFileName = fileName;
    return true;
}

bool SerialController::StopLog()
{
    int failure = 0;
    {
        QMutexLocker locker(&logMutex);
        if (logFileName.isEmpty())
            return false;
        const QString footer =
            QStringLiteral("#\n") + tr("# Kelvane Stopped log file at ") + TimeStamp() + QStringLiteral("\n#\n");
        failure = AppendThrough(logFileName, footer.toUtf8(), logErrorText);
        logFileName.clear();
    }
    // The log ends here either way; a footer that did not reach the disk is said, like a line.
    if (failure != 0)
        Q_EMIT SaveError(failure);
    return failure == 0;
}

bool SerialController::IsLogging() const
{
    QMutexLocker locker(&logMutex);
    return !logFileName.isEmpty();
}

void SerialController::AppendToLog(const QString& line)
{
    int failure = 0;
    {
        QMutexLocker locker(&logMutex);
        if (logFileName.isEmpty())
            return;
        failure = AppendThrough(logFileName, line.toUtf8(), logErrorText);
        // A log that cannot be written ends here, reported once: a full disk or a removed stick
        // would otherwise raise an error for every line the unit sends.
        if (failure != 0)
            logFileName.clear();
    }
    if (failure != 0)
        Q_EMIT SaveError(failure);
}

QString SerialController::SaveErrorText(int code) const
{
    QString text;
    switch (code)
    {
    case ErrorCreatingFile:
        text = tr("Error creating file.  ");
        break;
    case ErrorOpeningFile:
        text = tr("Error opening file to add message.  ");
        break;
    case ErrorAddingMessage:
        text = tr("Error adding message.  ");
        break;
    default:
        return tr("Unknown error");
    }
    QMutexLocker locker(&logMutex);
    return text + logErrorText;
}

bool SerialController::IsStmPort(const QString& text)
{
    return text.startsWith(QLatin1String("STMicroelectronics")) || text.startsWith(QLatin1String("STM Virtual")) ||
           text.startsWith(QLatin1String("STM32"));
}

bool SerialController::ComparePorts(const QSerialPortInfo& a, const QSerialPortInfo& b)
{
    return ComparableName(a.portName()) < ComparableName(b.portName());
}

QList<QPair<QString, QString>> SerialController::SimulatedPorts()
{
    QList<QPair<QString, QString>> ports;
    const QString value = QString::fromLocal8Bit(qgetenv("KELVANE_SIMULATED_PORTS"));
    const QStringList entries = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries)
    {
        const int equals = entry.indexOf(QLatin1Char('='));
        const QString path = (equals < 0 ? entry : entry.left(equals)).trimmed();
        const QString description = equals < 0 ? QString() : entry.mid(equals + 1).trimmed();
        if (!path.isEmpty())
            ports.append(qMakePair(path, description));
    }
    return ports;
}

QString SerialController::DisplayNameOf(const QString& description, const QString& portName)
{
    const QString display = description + QStringLiteral(" (") + portName + QStringLiteral(")");
    if (IsStmPort(display))
        return tr("AIS Virtual COM Port");
    return display;
}

QList<QPair<QString, QString>> SerialController::ListPorts()
{
    availablePorts = QSerialPortInfo::availablePorts();
    std::sort(availablePorts.begin(), availablePorts.end(), &SerialController::ComparePorts);
    QList<QPair<QString, QString>> ports;
    for (const QSerialPortInfo& info : std::as_const(availablePorts))
    {
        const QString name = ThroughLatin1(info.portName());
        if (name.startsWith(QLatin1String("LPT")))
            continue;
        ports.append(qMakePair(name, DisplayNameOf(ThroughLatin1(info.description()), name)));
    }
    for (const auto& simulated : SimulatedPorts())
        ports.append(qMakePair(simulated.first, DisplayNameOf(simulated.second, simulated.first)));
    return ports;
}

QString SerialController::PortDisplayName(const QString& portName)
{
    // A port that came back after the list was last read (a unit plugged in again) is looked up anew: the
    // name alone would lose the description that chooses the tab set.
    const auto named = [&portName](const QSerialPortInfo& info) { return info.portName() == portName; };
    if (std::none_of(availablePorts.cbegin(), availablePorts.cend(), named))
        availablePorts = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : std::as_const(availablePorts))
    {
        if (info.portName() != portName)
            continue;
        const QString description = info.description();
        const QString text = IsStmPort(description) ? tr("AIS Virtual COM Port") : description;
        return text + QStringLiteral(" (") + portName + QStringLiteral(")");
    }
    for (const auto& simulated : SimulatedPorts())
    {
        if (simulated.first != portName)
            continue;
        const QString text = IsStmPort(simulated.second) ? tr("AIS Virtual COM Port") : simulated.second;
        return text + QStringLiteral(" (") + portName + QStringLiteral(")");
    }
    return portName;
}

SerialController::PortState SerialController::ProbePort(const QString& portName)
{
    QSerialPort probe(portName);
    if (!probe.open(QIODevice::ReadWrite))
        return probe.error() == QSerialPort::DeviceNotFoundError ? PortState::Absent : PortState::Busy;
    probe.close();
    return PortState::Free;
}

bool SerialController::IsPortBusy(const QString& portName)
{
    return ProbePort(portName) != PortState::Free;
}
