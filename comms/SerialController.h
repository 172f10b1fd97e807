#pragma once
// The byte end of the link to the unit: opens the serial port (38400 8N1, no flow control, DTR on)
// or replays a raw traffic log in its place, cuts what arrives into lines, recognises the unit's
// shell prompt, writes text to the port and keeps the optional raw traffic log. It also lists the
// machine's serial ports for the port chooser.
//
// One controller belongs to each SerialTransport and lives in the worker thread. The raw log is
// started and stopped from the GUI thread while lines are appended in the worker thread: every
// access to the log goes through one mutex.

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QString>

class QFile;
class QIODevice;
class QTimer;

class SerialController : public QObject
{
    Q_OBJECT

public:
    // A line that never ends (noise, a wrong baud rate) is dropped once the text waiting for its
    // end passes this many characters.
    static constexpr int MaxPartialLine = 1024;
    // One read piece: at most PieceSize - 1 bytes, ending after the first "\n".
    static constexpr int PieceSize = 256;
    // Pieces handled per call before the rest is left to a queued call, so that one burst cannot
    // hold the worker thread.
    static constexpr int MaxPiecesPerCall = 100;
    // What the port object holds for us at most: beyond it the bytes wait in the system (which
    // drops them when the sender keeps on), so that input faster than we read never grows our memory.
    static constexpr qint64 ReadBufferSize = 64 * 1024;
    // A replayed log delivers one piece per tick.
    static constexpr int ReplayIntervalMs = 10;
    // How long the open waits for the first sentence boundary.
    static constexpr int SentenceWaitMs = 1000;

    // Codes of SaveError / SaveErrorText.
    enum SaveErrorCode
    {
        ErrorCreatingFile = 1,
        ErrorOpeningFile = 2,
        ErrorAddingMessage = 3
    };

    explicit SerialController(QObject* parent = nullptr);
    ~SerialController() override;

    // Opens the serial port. False when a port or a replay is already open, the name is empty or
    // the port cannot be opened (ErrorString then tells why).
    bool Open(const QString& portName, int baudRate);
    // Starts the replay of a raw log in place of a port.
    bool OpenFile(const QString& fileName);
    // Closes the port or the replay (emitting Closed() first); true when something was closed.
    bool Close();
    bool IsOpen() const;
    bool IsFileOpen() const;
    // The text of the last failure of the port or the replay file, or "Unknown error".
    QString ErrorString() const;

    // The raw traffic log. Safe to call from any thread.
    bool StartLog(const QString& fileName);
    bool StopLog();
    bool IsLogging() const;
    QString SaveErrorText(int code) const;

    // Reads up to maxPieces pieces from the device and handles each (HandleLine); returns the
    // number handled. Used for the port and the replay file alike.
    int ReadPieces(QIODevice* device, int maxPieces);
    // Handles one piece as read from the port or the log.
    void HandleLine(const QString& piece);
    // The text of an unfinished line waiting for its end.
    QString PartialLine() const { return partialLine; }

    // Port list: (port name, display name) pairs, sorted; ports named in the environment variable
    // KELVANE_SIMULATED_PORTS ("path=description" pairs separated by ";") are listed after the
    // machine's own.
    static QList<QPair<QString, QString>> ListPorts();
    static QString PortDisplayName(const QString& portName);
    // What a trial open of a port finds: free to open, taken (by another program, or not a port that opens),
    // or not there at all (unplugged, a bridge that ended).
    enum class PortState
    {
        Free,
        Busy,
        Absent
    };
    static PortState ProbePort(const QString& portName);
    static bool IsPortBusy(const QString& portName);
    static bool IsStmPort(const QString& text);
    static bool ComparePorts(const QSerialPortInfo& a, const QSerialPortInfo& b);
    // Ports named in KELVANE_SIMULATED_PORTS, as (path, description) pairs.
    static QList<QPair<QString, QString>> SimulatedPorts();

signals:
    void Opened();
    void SendError();
    void SaveError(int error_message_type);
    void Sent(QString sent);
    void Received(QString received);
    void Closed();
    // The open port failed for good (the device is gone, it cannot be read): emitted once, before
    // the port is closed and Closed() is emitted.
    void ConnectionLost(QString error);

public slots:
    void OnSend(QString text);
    void OnReceived();
    void OnWritten(qlonglong bytes);
    void OnDSRChanged(bool status);

private:
    void OnPortError(QSerialPort::SerialPortError error);
    void WaitForSentence();
    void ScheduleRead();
    void AppendToLog(const QString& line);
    static QString TimeStamp();
    static QString LostText(const QString& reason);
    static QString DisplayNameOf(const QString& description, const QString& portName);

    // Line assembly: whether the line under way, continued by the piece, may be cut before a
    // sentence start; a complete line goes out.
    bool MaySplit(const QString& piece) const;
    void EndLine(QString line);

    QSerialPort* port = nullptr;
    QFile* replayFile = nullptr;
    QTimer* replayTimer = nullptr;
    QString partialLine;
    QString errorText;
    bool closing = false;
    bool readScheduled = false;
    bool replayEnded = false;

    // The raw log: guarded by logMutex, used from both threads.
    mutable QMutex logMutex;
    QString logFileName;  // empty when no log is active
    QString logErrorText; // the log file's own error text of the last failure

    static QList<QSerialPortInfo> availablePorts;
};
