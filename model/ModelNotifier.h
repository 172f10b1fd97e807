#pragma once

#include <QString>
#include <functional>

// How a record tells the user something while it reads a configuration file ("VDL info not found in
// file", ...). The model library has no widgets: the application installs a handler that shows a message
// box; without a handler the notice is dropped, so tests and the worker thread never block on a box.
class ModelNotifier
{
public:
    using Handler = std::function<void(const QString& text)>;

    // Installs the handler (an empty one removes it) and returns the one it replaces.
    static Handler SetHandler(Handler handler);
    // Hands the text to the installed handler, if any; the handler runs in the caller's thread.
    static void Notify(const QString& text);
};
