#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;
class QSaveFile;

// Writing a file whole, with the system's reason when it cannot be. A disk that fills part-way through
// a write takes only part of the bytes and names no reason for it; the rest is written again, and that
// write, which takes nothing, carries the system's reason ("No space left on device") into the file's
// error text. The file is to be opened unbuffered, so that a short write shows in the count written.
namespace WholeWrite
{

// Writes all the bytes; false, with the reason in the file's error text, when it could not.
bool Write(QFileDevice& file, const QByteArray& bytes);

// Writes all the bytes into a save file that is open, then puts it in place of the target; a failure
// cancels it, leaving the target as it was (unless the save file writes the target directly), and puts
// the reason in `reason`.
bool Save(QSaveFile& file, const QByteArray& bytes, QString& reason);

} // namespace WholeWrite
