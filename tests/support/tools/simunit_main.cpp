// kelvane-simunit: a simulated AIS AtoN unit on a pseudo-terminal, to try the tool without
// hardware. It prints the port path and serves until interrupted.
//
//   kelvane-simunit [--sensor] [--gnss-interval ms] [--reply-delay ms]

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

#include "support/SimulatedUnit.h"

namespace
{
void Quit(int)
{
    QCoreApplication::quit();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-simunit"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated AIS AtoN unit on a pseudo-terminal"));
    parser.addHelpOption();
    const QCommandLineOption sensor(QStringLiteral("sensor"),
                                    QStringLiteral("Present the unit as an AIS AtoN Sensor."));
    const QCommandLineOption gnss(QStringLiteral("gnss-interval"), QStringLiteral("GNSS output interval (ms, 0 off)."),
                                  QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption delay(QStringLiteral("reply-delay"), QStringLiteral("Delay of every reply (ms)."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    parser.addOptions({sensor, gnss, delay});
    parser.process(app);

    SimulatedUnit unit;
    unit.SetGnssInterval(parser.value(gnss).toInt());
    unit.SetReplyDelay(parser.value(delay).toInt());
    QTextStream out(stdout);
    if (!unit.Start())
    {
        QTextStream(stderr) << "kelvane-simunit: cannot create a pseudo-terminal: " << unit.ErrorString() << "\n";
        return 1;
    }
    const QString description =
        parser.isSet(sensor) ? QStringLiteral("AIS AtoN Sensor (simulated)") : QStringLiteral("AIS AtoN (simulated)");
    out << "Simulated unit serving " << unit.PortPath() << "\n"
        << "Start the tool with:\n"
        << "  KELVANE_SIMULATED_PORTS='" << unit.PortPath() << "=" << description << "' kelvane\n";
    out.flush();
    QObject::connect(&unit, &SimulatedUnit::LineReceived, &app,
                     [&out](const QString& line)
                     {
                         out << "< " << line << "\n";
                         out.flush();
                     });
    std::signal(SIGINT, Quit);
    std::signal(SIGTERM, Quit);
    return app.exec();
}
