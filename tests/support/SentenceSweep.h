#pragma once
// Every line the tool can send from a model, and what the editors allow those lines to be: shared by
// the hostile-field tests and the configuration-file fuzz target.

#include <QString>
#include <QStringList>

class Model;

namespace SentenceSweep
{

// Every line of every job of the model, in job-table order: each step's shell command or query, then
// each encode index a send may reach. An index that builds nothing gives an empty text, so that the
// lines of two models with the same jobs stay side by side.
QStringList Lines(Model& model);

// The first fault of a built line (no line end, a control character or one beyond ASCII, not one
// start mark, not one checksum), or an empty text.
QString LineFault(const QString& line);

// The longest texts the editors or the unit's sentences give, put into the model in place of its own:
// names, alert texts (the MMSIs are left, they choose the stations). A name stays on its side of the
// split between the full name sentence and the name-only one, so that each line of the model has its
// counterpart here.
void FillLongestTexts(Model& model);

// The first way the model's texts go beyond what any of their sources gives (an MMSI that is neither
// an editor's digits nor a reply's number, a name or alert text longer than a sentence carries, a
// character no sentence carries), or an empty text.
QString TextFault(Model& model);

// Compares the lines of a model with those of the same model holding the longest texts: each must be
// one line of ASCII with as many fields as its counterpart and no longer. Returns the first fault or
// an empty text.
QString LengthFault(Model& model);

} // namespace SentenceSweep
