#include "support/TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>

namespace KelvaneTest
{
namespace
{
QtMessageHandler previousHandler = nullptr;

void FailOnBrokenConnections(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg &&
        (message.contains(QLatin1String("No such signal")) || message.contains(QLatin1String("No such slot"))))
    {
        std::fprintf(stderr, "FATAL: broken connection: %s\n", qPrintable(message));
        std::abort();
    }
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

void PrepareTestEnvironment()
{
    // Settings and standard paths go to the test's own folders, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    previousHandler = qInstallMessageHandler(FailOnBrokenConnections);
}

QString TestDataPath(const QString& relative)
{
    QStringList roots;
    const QByteArray env = qgetenv("KELVANE_TESTDATA");
    if (!env.isEmpty())
        roots << QString::fromLocal8Bit(env);
#ifdef KELVANE_TESTDATA_DIR
    roots << QStringLiteral(KELVANE_TESTDATA_DIR);
#endif
    for (const QString& root : roots)
    {
        const QString path = QDir(root).filePath(relative);
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

QString ArtefactDir()
{
    QByteArray env = qgetenv("KELVANE_ARTEFACTS");
    QString dir = env.isEmpty() ? QDir::current().filePath(QStringLiteral("artefacts")) : QString::fromLocal8Bit(env);
    QDir().mkpath(dir);
    return dir;
}

} // namespace KelvaneTest
