#include "comms/NmeaShellCommand.h"

#include "comms/CoreSettings.h"
#include "model/AtoN.h"

#include <QCoreApplication>

namespace
{
// Access codes of the unit's shell, one per access level.
const char* const AccessCodes[] = {"0x5E1D0A47", "0x7A41C09E", "0x1F9B3D62", "0x6C28E5B0"};

const QString ShellAddress = QStringLiteral("$PKVX");
constexpr int ShellReplyMarker = 255;

int ReplyNumber(const QString& text)
{
    int value = 0;
    NmeaSentence::ToInt(text, value);
    return value;
}
} // namespace

NmeaShellCommand::NmeaShellCommand(const QString& command, int accessLevel, int commandType, int id, QObject* parent)
    : QObject(parent)
{
    SetCommand(command, accessLevel, commandType, id);
}

NmeaShellCommand::NmeaShellCommand(const QString& command, int accessLevel, int commandType, int id, AtoN* aton,
                                   QObject* parent)
    : QObject(parent), aton(aton)
{
    SetCommand(command, accessLevel, commandType, id);
}

void NmeaShellCommand::SetCommand(const QString& newCommand, int newAccessLevel, int newCommandType, int newId)
{
    command = NmeaSentence::Escaped(newCommand);
    accessLevel = newAccessLevel;
    commandType = newCommandType;
    id = newId;
    response.clear();
    lastError.clear();
}

QString NmeaShellCommand::AccessCode(int level)
{
    if (level < 0 || level > 3)
        return QString();
    return QLatin1String(AccessCodes[level]);
}

bool NmeaShellCommand::IsSendable() const
{
    return command.size() <= MaxCommandLength;
}

QString NmeaShellCommand::BuildSentence()
{
    // "setgnss" always carries the AtoN's current GNSS system.
    if (aton && command.contains(QLatin1String("setgnss")))
        command = QStringLiteral("setgnss ") + QString::number(aton->GetGnssType());

    if (!IsSendable())
    {
        lastError =
            QCoreApplication::translate("NmeaShellCommand", "Command too long to send (%1 characters, at most %2): %3")
                .arg(command.size())
                .arg(MaxCommandLength)
                .arg(command);
        return QString();
    }
    lastError.clear();

    return NmeaSentence::Build(ShellAddress,
                               {QStringLiteral("0"), QString::number(accessLevel), AccessCode(accessLevel),
                                QString::number(commandType), command, QString::number(id)});
}

int NmeaShellCommand::CheckResponse(const NmeaSentence& sentence)
{
    if (!sentence.IsValid())
        return -6;
    if (sentence.Talker() != QLatin1String("P"))
        return -5;
    const QString maker = sentence.Formatter();
    if (maker.compare(QLatin1String("KVX"), Qt::CaseInsensitive) != 0 &&
        maker.compare(CoreSettings::VendorID(), Qt::CaseInsensitive) != 0)
        return -4;

    int marker = 0;
    if (!sentence.GetInt(1, marker) || marker != ShellReplyMarker)
        return 0;

    if (!sentence.HasField(2))
        return 0;
    if (sentence.FieldView(2) != command)
        return -1;

    // The unit's identifier replaces ours without comparison; a reply without one is no reply.
    int replyId = 0;
    const bool hasId = sentence.GetInt(3, replyId);
    id = replyId;
    if (!hasId)
        return 0;

    // The stored command stays escaped, as it is sent; only copies are unescaped.
    QString text;
    if (sentence.GetString(4, text))
        NmeaSentence::Unescape(text);
    response = text;

    ParseResponse(NmeaSentence::Unescaped(command), response);
    return 1;
}

void NmeaShellCommand::ParseResponse(const QString& cmd, const QString& text)
{
    auto startsWith = [&cmd](const char* prefix) { return cmd.startsWith(QLatin1String(prefix)); };

    if (startsWith("vswr"))
        Q_EMIT VSWR(ReplyNumber(text) / 10.0);
    if (startsWith("vin"))
        Q_EMIT VIN(ReplyNumber(text));
    if (startsWith("appver"))
    {
        Q_EMIT Version(text);
        Q_EMIT Variant(text.mid(4, 2));
    }
    if (startsWith("bootver"))
        Q_EMIT BootloaderVersion(text);
    if (startsWith("getserno"))
        Q_EMIT PCASerialNumber(text);
    if (startsWith("getpserno"))
        Q_EMIT ProductSerialNumber(text);
    if (startsWith("getatontype"))
        Q_EMIT AtoNType(ReplyNumber(text));
    if (startsWith("getubtypem8"))
        Q_EMIT ubloxM8Signal(ReplyNumber(text));
    if (startsWith("getgnss"))
        Q_EMIT getGnssModeSignal(ReplyNumber(text));
    if (startsWith("setgnss"))
        Q_EMIT gnssSetSignal(ReplyNumber(text));
}
