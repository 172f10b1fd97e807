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
//
// A trim moves every paragraph that stays, and the view lays each one out again, so its cost grows
// with the number of paragraphs, not characters: a million characters of short readings would be a
// quarter of a million paragraphs and a trim that freezes the window. Lines are therefore gathered
// into paragraphs of about GroupCharacters, joined by line separators, which the view shows and the
// plain text gives back exactly as line feeds.
//
// Adding to the last paragraph lays all of it out again, so no paragraph may grow without end
// either: text that comes without line ends (a stream of shell prompts) would otherwise pile into
// one paragraph up to the bound and make every append cost more than the last. Once the last line
// holds MaxLineCharacters, the next text that does not begin with a line end therefore starts a
// paragraph of its own; the break shows, and the plain text gives it back, as a line feed. A text
// is never broken inside: what comes in one piece is shown as it came.
class TrafficDisplay
{
public:
    static constexpr int MaxCharacters = 1000000;
    static constexpr int TrimCharacters = 100000;
    // Long enough to keep a trim cheap, short enough that adding a line to the last paragraph (which
    // lays that paragraph out again) stays cheap as well.
    static constexpr int GroupCharacters = 256;
    // Longer than any sentence or line of the unit's shell, so that only text without line ends is
    // ever broken, and short enough that laying out the last paragraph stays cheap.
    static constexpr int MaxLineCharacters = 1024;

    explicit TrafficDisplay(QTextEdit* view);

    // Inserts the text as it stands (no separator added) at the end, keeps the bound and moves the
    // view's cursor to the end.
    void Append(const QString& text);
    // Characters shown, as the plain text of the view counts them.
    int CharacterCount() const;

private:
    // The text with its line ends as the view would take them from plain text ("\r\n" is one), each
    // one a line separator or, once the last paragraph is long enough, a paragraph separator; with
    // a paragraph separator before it when it would lengthen a line that is long already.
    QString Grouped(const QString& text) const;
    void Trim();

    QTextEdit* view;
};
