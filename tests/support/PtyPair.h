#pragma once
// A pseudo-terminal pair for tests and the simulated unit: the tool opens the slave end by its
// path as its serial port, the simulated unit serves the master end.
//
// Both ends are put in raw mode (no echo, no line editing, no CR/LF translation). The pair keeps a
// descriptor of the slave open itself, so the master never reads EIO when the tool closes its end
// between connections.

#include <QString>

class PtyPair
{
public:
    PtyPair() = default;
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // Creates the pair; false (and ErrorString says why) when the system refuses.
    bool Open();
    bool IsOpen() const { return master >= 0; }
    int MasterFd() const { return master; }
    // The path of the slave end ("/dev/pts/N"), the port name for the tool.
    QString SlavePath() const { return slavePath; }
    QString ErrorString() const { return error; }

    // Closes the master end (a hang-up: the tool's reads fail) and the kept slave descriptor.
    void Close();

    // Writes all bytes to the master end, waiting briefly while the pty buffer is full; false on
    // error, or when the far end does not read (the rest is dropped).
    bool Write(const QByteArray& bytes);
    // Reads what is available from the master end without blocking (empty when nothing).
    QByteArray ReadAvailable();

private:
    int master = -1;
    int slaveKeep = -1;
    QString slavePath;
    QString error;
};
