#pragma once
// Every line the tool can send from a model, and what those lines may be: shared by the hostile-field
// tests and the configuration-file fuzz target.

#include <QString>
#include <QStringList>

class Model;

namespace SentenceSweep
{

// Every line of every job, in job-table order: each step's shell command or query, then each encode
// index a send may reach. An index that builds nothing gives an empty text, so that the lines of two
// models with the same jobs stay side by side.
QStringList Lines(Model& model);

// The first fault of a built line (no line end, a control character or one beyond ASCII, not one
// start mark, not one checksum), or an empty text.
QString LineFault(const QString& line);

// The first MMSI, name or alert text of the model that none of its sources (an editor, the unit, a VDL
// reply) gives, or an empty text.
QString TextFault(Model& model);

// The first line of the model that is not one line of ASCII of at most 82 characters (CR LF included)
// with as many fields as the same line of the model holding plain texts; or an empty text.
QString LengthFault(Model& model);

} // namespace SentenceSweep
