#pragma once
// A job of the transport: a named, ordered list of steps. A step is a shell command or an AtoN
// sentence object. Objects may be shared by several steps and jobs ("vswr" serves "Version" and
// "VSWR & Supply Voltage"); each step holds a share of its object, so an object lives as long as
// the last job that uses it, and a job lives as long as the table or a queued run still holds it.

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class NmeaShellCommand;
class AtoNSentence;

struct TransportStep
{
    // Exactly one of command and sentence is set.
    NmeaShellCommand* command = nullptr;
    AtoNSentence* sentence = nullptr;
    // Keeps the command or sentence object alive while any job uses it.
    std::shared_ptr<QObject> object;
    // How many times the step is sent in a send run (encode indexes 0 to count - 1); raised by an
    // encoder that needs several sentences. Query runs send every step once.
    int count = 1;
    // The count the job table gave the step; every send run starts from it again, so a run with
    // fewer entries than the last never encodes past its data.
    int builtCount = 1;
    // Query runs of sentence steps: 1 = the first accepted reply ends the step; 0 = open-ended,
    // every accepted reply re-arms the timer and the step ends when it expires.
    int expectedReplies = 0;
    // The VDL application identifier of a step that carries a VDL frame; 37 for every other step.
    int appId = 37;

    static constexpr int NoAppId = 37;
};

struct TransportJob
{
    QString name;
    QList<TransportStep> steps;
    // Seconds per sentence step of a send run; -1 until a send run is queued with a delay.
    int timeout = -1;
    // Records the job's sentences work on that belong to no model (the chaining MMSIs of
    // "VDL Chaining"); they live as long as the job.
    std::vector<std::shared_ptr<QObject>> records;
};
