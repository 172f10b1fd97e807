#pragma once
// A simulated AIS AtoN unit on a pseudo-terminal, for tests and for trying the tool without
// hardware.
//
//   SimulatedUnit unit;
//   QVERIFY(unit.Start());                 // creates the pty pair and serves it
//   transport.Connect(unit.PortPath());    // the tool opens the other end as its serial port
//   unit.State().real.mmsi = "992351234";  // read or set the unit's state at any time
//   unit.SetSilent(true);                  // fault switches
//
// The unit answers every query and shell command of the tool's job table from its state
// (SimUnitState) and applies every configuration sentence it is sent to that state. It can also
// send GNSS, message 21, alarm and text traffic, and inject faults: silence, slow replies,
// corrupt replies, unsolicited and malformed lines, bursts, an endless line and a hang-up.
//
// It runs in the thread that creates it, driven by that thread's event loop (a socket notifier on
// the master end): a test waiting in QSignalSpy::wait or QTRY_* keeps it serving.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

#include "support/PtyPair.h"
#include "support/SimUnitState.h"

class QSocketNotifier;
class QTimer;
class NmeaSentence;

class SimulatedUnit : public QObject
{
    Q_OBJECT

public:
    explicit SimulatedUnit(QObject* parent = nullptr);
    ~SimulatedUnit() override;

    // Creates a pseudo-terminal pair and starts serving its master end. False when no pty could
    // be made (ErrorString says why).
    bool Start();
    // Stops serving and closes the pair (the tool sees its port fail).
    void Stop();
    bool IsRunning() const;
    // The port name the tool opens.
    QString PortPath() const;
    QString ErrorString() const;

    SimUnitState& State() { return state; }
    const SimUnitState& State() const { return state; }

    // Adds (or finds) a virtual AtoN of the unit, with default configuration fields.
    SimStation& AddVirtual(const QString& mmsi) { return StationFor(mmsi); }

    // Every line the tool sent, "\r\n" removed, in order.
    QStringList ReceivedLines() const { return received; }
    void ClearReceivedLines() { received.clear(); }

    // Faults.
    // Read everything, answer nothing.
    void SetSilent(bool silent) { this->silent = silent; }
    // Answer each line after this many milliseconds (0: at once).
    void SetReplyDelay(int ms) { replyDelayMs = ms; }
    // Answer with a wrong checksum.
    void SetCorruptReplies(bool corrupt) { corruptReplies = corrupt; }
    // Answer every shell command with a reply that lacks its identifier (a malformed reply).
    void SetMalformedShellReplies(bool malformed) { malformedShell = malformed; }
    // Leave these queries unanswered, as a firmware without the feature or with nothing to report
    // does: query formatters ("AFB", "COP"), MCR codes ("UPW") and log types ("PKVX7").
    void SetUnansweredQueries(const QStringList& queries) { unanswered = queries; }
    // Answer every MCR query with this code instead of the one asked for (a type the tool does not
    // know, such as "SAI"); empty: answer as asked.
    void SetMcrReplyCode(const QString& code) { mcrReplyCode = code; }
    // Answer every MCR query as asked and then once more with this code as well, as a firmware that
    // added a reply of its own does; empty: no such reply.
    void SetMcrExtraCode(const QString& code) { mcrExtraCode = code; }
    // Write these bytes as they are (unsolicited or malformed lines, noise, an endless line).
    void SendRaw(const QByteArray& bytes);
    // Write one sentence ("$GPTXT,..." without "*hh\r\n"): checksum and line end are added.
    void SendSentence(const QString& body);
    // Write count GNSS sentences at once.
    void SendBurst(int count);
    // Close the master end: the tool's port fails as when the unit is unplugged.
    void HangUp();
    // Answer a fault or proximity-alert log query with lines that announce this many lines and never
    // reach the last (their numbers start again below it), a burst every few milliseconds until
    // switched off (0). Announced: at least 2.
    void SetEndlessLog(int announced);
    // Answer a fault or proximity-alert log query without the last lines of the log, which still
    // announces its whole length (0: the whole log).
    void SetLogLinesWithheld(int lines) { logLinesWithheld = lines; }
    // Send texts without end, a burst every few milliseconds until switched off: new one-part texts,
    // and the last part of a two-part text again and again.
    void SetEndlessText(bool endless);
    // Lines of the endless streams written so far.
    int EndlessLinesSent() const { return endlessLines; }

    // Traffic.
    // Sends RMC, GSA and GSV every ms milliseconds (0: none). Default: 250 ms while running, which
    // also gives the tool the sentence boundary it waits for when it opens the port.
    void SetGnssInterval(int ms);
    void SendGnss();
    // A message 21 of the real AtoN in a VDO sentence, with the given status bits.
    void SendMessage21(unsigned racon, unsigned light, unsigned health);
    void SendAlarm(int id, bool active, const QString& text);
    void SendText(const QString& text);

    // The sentence the unit would put on the wire for a body: "*", checksum and "\r\n" added.
    static QByteArray Frame(const QString& body);
    // One line of the live output: the reading of a streaming ADC, or of the wave meter.
    static QByteArray AdcReading(int adc, bool scaled, int sequence);
    static QByteArray WaveMeterReading(int sequence);

Q_SIGNALS:
    // A complete line arrived from the tool ("\r\n" removed).
    void LineReceived(QString line);
    // A configuration sentence (or setting command) was applied; what names its kind ("ACF",
    // "AID", "MCR", "setgnss", ...).
    void ConfigurationApplied(QString what);

private:
    void OnReadable();
    void HandleLine(const QString& line);
    // The console's own text: "+++", shell commands, "exit"; true when the line was one.
    bool HandleConsole(const QString& line);
    void EndStream();
    void SendLiveOutput();
    void SendEndlessBurst();
    void Reply(const QStringList& bodies);
    void Write(const QByteArray& bytes);

    void HandleShell(const NmeaSentence& s);
    void HandleBroadcast(const NmeaSentence& s);
    void HandleProprietaryQuery(const NmeaSentence& s);
    void HandleQuery(const QString& formatter);
    void HandleMcrQuery(const QString& code);
    void ApplyAid(const NmeaSentence& s);
    void ApplyAcf(const NmeaSentence& s);
    void ApplyAce(const NmeaSentence& s);
    void ApplyAar(const NmeaSentence& s);
    void ApplyMcr(const NmeaSentence& s);
    void ApplyCop(const NmeaSentence& s);
    void ApplyAfb(const NmeaSentence& s);
    QString RunShell(const QString& command);
    SimStation& StationFor(const QString& mmsi);

    QStringList AidReplies() const;
    QStringList AcfReplies() const;
    QStringList AceReplies() const;
    QStringList AarReplies() const;

    SimUnitState state;
    std::unique_ptr<PtyPair> pty;
    QSocketNotifier* notifier = nullptr;
    QTimer* gnssTimer = nullptr;
    QTimer* liveTimer = nullptr;
    int liveSequence = 0;
    QByteArray pending;
    QStringList received;
    QString error;
    bool silent = false;
    bool corruptReplies = false;
    bool malformedShell = false;
    QStringList unanswered;
    QString mcrReplyCode;
    QString mcrExtraCode;
    int replyDelayMs = 0;
    int gnssIntervalMs = 250;
    int textSequence = 0;
    QTimer* endlessTimer = nullptr;
    int endlessLogAnnounced = 0;
    QString endlessLogType; // the log queried last while the endless log is on, "7" or "8"
    int logLinesWithheld = 0;
    bool endlessText = false;
    int endlessLines = 0;
};
