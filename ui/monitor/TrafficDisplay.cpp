#include "ui/monitor/TrafficDisplay.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace
{
// The characters that end a paragraph when plain text is inserted into a document.
bool EndsParagraph(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) ||
           c == QChar(0xfdd1);
}
} // namespace

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
        end.insertText(Grouped(text));
        Trim();
    }
    view->moveCursor(QTextCursor::End);
}

QString TrafficDisplay::Grouped(const QString& text) const
{
    QString grouped;
    grouped.reserve(text.size() + 1);
    // The insertion lays the last paragraph out again anyway, so reading it costs no more.
    const QString last = view->document()->lastBlock().text();
    int paragraph = int(last.size());
    const int line = paragraph - int(last.lastIndexOf(QChar(QChar::LineSeparator))) - 1;
    if (line >= MaxLineCharacters && !EndsParagraph(text.front()))
    {
        grouped += QChar(QChar::ParagraphSeparator);
        paragraph = 0;
    }
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        const QChar c = text.at(i);
        if (!EndsParagraph(c))
        {
            grouped += c;
            ++paragraph;
            continue;
        }
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        if (paragraph >= GroupCharacters)
        {
            grouped += QChar(QChar::ParagraphSeparator);
            paragraph = 0;
        }
        else
        {
            grouped += QChar(QChar::LineSeparator);
            ++paragraph;
        }
    }
    return grouped;
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
