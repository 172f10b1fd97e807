#pragma once

#include <QObject>
#include <QString>

#include "comms/NmeaSentence.h"

class AtoN;

// One command line for the unit's shell, wrapped in a "$PKVX" sentence with an access level and
// that level's access code. The job table makes one object per shell step; the job engine asks it
// for its sentence, hands it every valid sentence while its step runs and acts on the code that
// CheckResponse returns. A good reply is turned into typed values, emitted as signals.
class NmeaShellCommand : public QObject
{
    Q_OBJECT

public:
    // Longest command text (escaped) that fits the command field of the sentence.
    static constexpr int MaxCommandLength = 50;

    NmeaShellCommand(const QString& command, int accessLevel, int commandType, int id, QObject* parent = nullptr);
    // For "setgnss": the AtoN's GNSS system is appended to the command on every build.
    NmeaShellCommand(const QString& command, int accessLevel, int commandType, int id, AtoN* aton,
                     QObject* parent = nullptr);

    // Stores the command escaped, and the three numbers; forgets the last response.
    void SetCommand(const QString& command, int accessLevel, int commandType, int id);
    // The stored command, escaped as it is sent.
    QString GetCommand() const { return command; }
    int GetAccessLevel() const { return accessLevel; }
    int GetCommandType() const { return commandType; }
    int GetId() const { return id; }
    // The text of the last good reply, escapes resolved.
    QString GetResponse() const { return response; }

    // The sentence to send. A command that does not fit its field is not sent cut short (the unit
    // would act on another value and its reply could never match): the result is then an empty
    // string and GetLastError() says why.
    QString BuildSentence();
    // False when the stored command is too long to be sent.
    bool IsSendable() const;
    QString GetLastError() const { return lastError; }

    // 1 good reply, 0 no reply to a command, -1 a reply to another command, -4 another
    // manufacturer code, -5 not a proprietary sentence, -6 an invalid sentence.
    int CheckResponse(const NmeaSentence& sentence);
    // Turns a good reply (command and text unescaped) into signals.
    void ParseResponse(const QString& command, const QString& text);

    // The access code of a level ("0x" and eight hexadecimal digits); empty for another level.
    static QString AccessCode(int accessLevel);

Q_SIGNALS:
    void VSWR(double ratio);
    void VIN(double voltage);
    void Version(QString version);
    void Variant(QString variant);
    void BootloaderVersion(QString version);
    void PCASerialNumber(QString version);
    void ProductSerialNumber(QString version);
    void AtoNType(int atonType);
    void ubloxM8Signal(int is_m8);
    void getGnssModeSignal(int mode);
    void gnssSetSignal(int mode);

private:
    QString command; // escaped, as sent
    int accessLevel = 0;
    int commandType = 0;
    int id = 0;
    AtoN* aton = nullptr;
    QString response;
    QString lastError;
};
