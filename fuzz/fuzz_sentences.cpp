// Every line of outside bytes goes through the sentence record and every sentence decoder: no
// crash, no hang, no runaway memory. The record is also checked against the regular expression
// that defines it, and the escapes against their own inverse.
#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "comms/AarSentence.h"
#include "comms/AceSentence.h"
#include "comms/AcfSentence.h"
#include "comms/AfbSentence.h"
#include "comms/AidSentence.h"
#include "comms/CopSentence.h"
#include "comms/McrSentence.h"
#include "comms/NmeaShellCommand.h"
#include "comms/ProprietarySentence.h"
#include "model/Model.h"

namespace
{
void Fail(const char* what, const QString& line)
{
    std::fprintf(stderr, "fuzz_sentences: %s for line \"%s\"\n", what, line.toUtf8().toHex().constData());
    std::abort();
}

// The record as the regular expression defines it (only checked for lines of sensible length,
// where the expression's backtracking stays cheap).
void CheckAgainstDefinition(const QString& input, const NmeaSentence& parsed)
{
    QString line = input;
    if (line.contains(QLatin1String("\\$")) || line.contains(QLatin1String("\\!")))
        for (const QString& piece : input.split(QLatin1Char('\\')))
            if (piece.startsWith(QLatin1Char('$')) || piece.startsWith(QLatin1Char('!')))
                line = piece;
    static const QRegularExpression sentence(QStringLiteral("[!\\$][0-9A-Z]{4,5}.+\\*[0-9A-F]{2}"));
    static const QRegularExpression separators(QStringLiteral("[\\*,]"));
    QString matched;
    bool found = false;
    auto it = sentence.globalMatch(line);
    while (it.hasNext())
    {
        matched = it.next().captured(0);
        found = true;
    }
    if (!found)
    {
        if (parsed.IsValid() || parsed.FieldCount() != 0)
            Fail("sentence found where the definition finds none", input);
        return;
    }
    QStringList fields = matched.split(separators);
    fields.removeLast();
    if (parsed.Fields() != fields)
        Fail("fields differ from the definition", input);
    QString covered = matched.left(matched.lastIndexOf(QLatin1Char('*')));
    covered.replace(QLatin1Char('*'), QLatin1Char(','));
    const bool valid =
        line.size() <= NmeaSentence::MaxLineLength && NmeaSentence::Checksum(covered) == matched.right(2);
    if (parsed.IsValid() != valid)
        Fail("validity differs from the definition", input);
}

void DecodeEverywhere(const NmeaSentence& s)
{
    Model model;
    model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("235000001"));
    model.GetVirtualAtoN03()->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351003"));
    AtoNMMSI* real = model.GetRealAtoN()->GetAtoNMMSI();

    std::vector<std::unique_ptr<AtoNSentence>> decoders;
    decoders.emplace_back(new AtoNSentenceAID(real, &model));
    decoders.emplace_back(new AtoNSentenceAIDaddress(real, &model));
    decoders.emplace_back(new AtoNSentenceACE(model.GetRealAtoN(), &model));
    decoders.emplace_back(new AtoNSentenceACF(model.GetVirtualAtoN03()->GetAtoN(), &model));
    decoders.emplace_back(new AtoNSentenceAAR(model.GetMessageSchedule(), &model));
    decoders.emplace_back(new AtoNSentenceAAR(model.GetMessageSchedule(), nullptr));
    decoders.emplace_back(new AtoNSentenceAAR(model.GetVirtualAtoN03()->GetMessageSchedule(), &model));
    for (int type = -1; type <= 12; ++type)
        decoders.emplace_back(new AtoNSentenceMCR(model.GetRealAtoN(), &model, type));
    decoders.emplace_back(new AtoNSentenceCOP(model.GetVdlModel(), &model));
    decoders.emplace_back(new AtoNSentenceAFB(model.GetVdlModel(), &model));
    for (int type : {1, 7, 8})
        decoders.emplace_back(new AtoNSentencePKVX(model.GetRealAtoN(), &model, type));

    for (auto& decoder : decoders)
    {
        const int status = decoder->Decode(s);
        if (status < -6 || status > 0)
            Fail("status outside its set", s.Fields().join(QLatin1Char(',')));
        decoder->setParent(nullptr);
    }
    // Whatever was written must still encode into sentences that parse.
    for (auto& decoder : decoders)
    {
        int count = 0;
        const QString out = decoder->Encode(0, &count);
        if (!out.isEmpty() && out.size() <= NmeaSentence::MaxLineLength && !NmeaSentence(out).IsValid())
            Fail("an encoded sentence does not parse", out);
    }

    NmeaShellCommand command(QStringLiteral("setrelay 1,5"), 0, 0, 53);
    command.CheckResponse(s);
    if (command.GetCommand() != QLatin1String("setrelay 1^2C5"))
        Fail("the stored command changed", command.GetCommand());
}

void RunLine(const QString& line, NmeaSentence& reused)
{
    reused.Parse(line);
    const NmeaSentence fresh(line);
    if (fresh.IsValid() != reused.IsValid() || fresh.Fields() != reused.Fields() || fresh.Talker() != reused.Talker())
        Fail("a reused record differs from a fresh one", line);
    if (line.size() <= 512)
        CheckAgainstDefinition(line, fresh);
    DecodeEverywhere(fresh);

    // The same fields with a checksum that fits, so the decoders read past the header checks.
    QString body = line.trimmed();
    const qsizetype star = body.lastIndexOf(QLatin1Char('*'));
    if (star > 0)
        body.truncate(star);
    const qsizetype start = std::max(body.indexOf(QLatin1Char('$')), body.indexOf(QLatin1Char('!')));
    if (start > 0)
        body.remove(0, start);
    DecodeEverywhere(NmeaSentence(NmeaSentence::Frame(body)));

    QString escaped = line;
    NmeaSentence::Escape(escaped);
    for (QChar c : escaped)
        if (c == QLatin1Char(',') || c == QLatin1Char('*') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            Fail("an escaped text still holds a framing character", line);
    NmeaSentence::Unescape(escaped);
    if (escaped != line)
        Fail("unescaping does not undo escaping", line);
    QString anything = line;
    NmeaSentence::Unescape(anything);
}
} // namespace

std::vector<QByteArray> KelvaneFuzzSeeds()
{
    std::vector<QByteArray> seeds;
    const char* const bodies[] = {"$ANAID,235000001,1,235000002,R,R",
                                  "$AIAID,235000002,1,992351001,V,R",
                                  "$AIAID,1,1,235000200,C,R",
                                  "$AIACE,235000001,25,0050,1,0,0,LOCK^2C GATE%%90,0120340506,R",
                                  "$AIACE,992351003,,,,,,NAME ONLY,,R",
                                  "$AIACF,992351003,7,5130.0000,S,00445.0000,W,1,2087,2088,2087,2088,0,25,1,R",
                                  "$AIAAR,235000001,21,02,06,30,,0000180,1,07,45,,0000090,R",
                                  "$AIAAR,235000001,06,01,00,00,0500,0006750,0,00,00,0600,0006750,R",
                                  "$AIAAR,235000001,00,01,24,00,0000,0002250,0,05,30,0000,0002250,R",
                                  "$AIAAR,992351003,21,01,00,00,1234,0004500,0,00,00,0042,0004500,R",
                                  "$ANMCR,235000001,RPT,21,1,30,25",
                                  "$ANMCR,235000001,PRX,1,1,12,CLOSE^2C NOW,750,R",
                                  "$ANMCR,235000001,LRC,1,0,1,R",
                                  "$ANMCR,235000001,LIS,7",
                                  "$ANCOP,235000001,1,123000,600,86400,R,00000000",
                                  "$ANAFB,235000001,21,1,12,30,,2,R",
                                  "$PKVX,7,R,0,3,5,010126,120000,LAMP FAIL",
                                  "$PKVX,10,R,3,1,2,3,-40,1,1,1,0",
                                  "$PKVX,13,R,2,3,235,11,125,7,0,1,255",
                                  "$PKVX,11,R,1,250,5,0,5001,4096,1,13,2,43,3,4",
                                  "$PKVX,255,setrelay 1^2C5,53,OK",
                                  "$GPTXT,01,01,02,HELLO"};
    for (const char* body : bodies)
        seeds.push_back(NmeaSentence::Frame(QLatin1String(body)).toLatin1());
    seeds.push_back(QByteArray("\\s:r003669,c:1241544035*4A\\!AIVDM,1,1,,B,13aDp<PP000IwSlN?Wm@0?wN2<1T,0*29\n"));
    seeds.push_back(QByteArray("ais> $GPGSA,A,3,11,32,14,28,22,03,10,08,17,,,,2.02,1.03,1.74*00\r\n"));
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    NmeaSentence reused;
    RunLine(QString::fromLatin1(bytes), reused);
    RunLine(QString::fromUtf8(bytes), reused);
    for (const QByteArray& piece : bytes.split('\n'))
        RunLine(QString::fromLatin1(piece), reused);
    return 0;
}
