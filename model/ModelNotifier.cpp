#include "model/ModelNotifier.h"

#include <QMutex>
#include <QMutexLocker>
#include <utility>

namespace
{
QMutex& HandlerMutex()
{
    static QMutex mutex;
    return mutex;
}

ModelNotifier::Handler& InstalledHandler()
{
    static ModelNotifier::Handler handler;
    return handler;
}
} // namespace

ModelNotifier::Handler ModelNotifier::SetHandler(Handler handler)
{
    QMutexLocker lock(&HandlerMutex());
    return std::exchange(InstalledHandler(), std::move(handler));
}

void ModelNotifier::Notify(const QString& text)
{
    Handler handler;
    {
        QMutexLocker lock(&HandlerMutex());
        handler = InstalledHandler();
    }
    // Called outside the lock: a modal box may run an event loop that notifies again.
    if (handler)
        handler(text);
}
