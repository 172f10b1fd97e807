#pragma once

#include <QString>

class QTextEdit;

// Keeps a read-only text edit as a running view of line traffic that may go on for days: text is
// added at the end, the view follows it, and once the text passes MaxCharacters the oldest
// TrimCharacters are dropped (the cut may fall inside a line).
//
// The whole text is never copied: the size is the document's own character count and the trim
// deletes through a cursor, so an append costs the same with a full view as with an empty one. The
// document keeps no undo history, which would otherwise hold every trimmed character.
class TrafficDisplay
{
public:
    static constexpr int MaxCharacters = 1000000;
    static constexpr int TrimCharacters = 100000;

    explicit TrafficDisplay(QTextEdit* view);

    // Inserts the text as it stands (no separator added) at the end, keeps the bound and moves the
    // view's cursor to the end.
    void Append(const QString& text);
    // Characters shown, as the plain text of the view counts them.
    int CharacterCount() const;

private:
    void Trim();

    QTextEdit* view;
};
