#include "ui/monitor/TrafficDisplay.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

TrafficDisplay::TrafficDisplay(QTextEdit* view) : view(view)
{
    view->setUndoRedoEnabled(false);
}

int TrafficDisplay::CharacterCount() const
{
    // The document counts the closing paragraph separator, which the plain text does not hold.
    return view->document()->characterCount() - 1;
}

void TrafficDisplay::Append(const QString& text)
{
    if (!text.isEmpty())
    {
        // At the end of the document, wherever the user may have clicked in the view.
        QTextCursor end(view->document());
        end.movePosition(QTextCursor::End);
        end.insertText(text);
        Trim();
    }
    view->moveCursor(QTextCursor::End);
}

void TrafficDisplay::Trim()
{
    const int count = CharacterCount();
    if (count <= MaxCharacters)
        return;
    // One step is enough for a line; a paused buffer flushed at once may need several, and the view
    // must come back under its bound all the same.
    int cut = TrimCharacters;
    while (count - cut > MaxCharacters)
        cut += TrimCharacters;
    QTextCursor oldest(view->document());
    oldest.setPosition(cut, QTextCursor::KeepAnchor);
    oldest.removeSelectedText();
}
