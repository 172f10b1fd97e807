#pragma once

#include <QString>
#include <QStringView>
#include <initializer_list>

class NmeaSentence;

// Small pieces shared by the GNSS and AIS decoders.
namespace DecoderText
{

// True when any of the words occurs in the line (case-sensitive).
bool ContainsAny(QStringView line, std::initializer_list<QStringView> words);

// The formatter of a valid sentence as a view into it, without copying; the talker too when asked.
QStringView FormatterOf(const NmeaSentence& sentence, QStringView* talker = nullptr);

// One sentence of a multi-sentence text (TXT): field 1 the number of sentences, field 2 this
// sentence's number, field 4 the text. Sentence 1 starts the buffer, any other appends to it.
// Returns true when this sentence completes the text, which is then the buffer. A buffer that would
// grow beyond maxLength (its last sentence never came) is emptied and the sentence dropped.
bool AddTextPart(const NmeaSentence& sentence, QString& buffer, int maxLength);

// A text field as Latin-1 with its "^hh" escapes resolved.
QString DecodeTextField(QStringView field);

} // namespace DecoderText
