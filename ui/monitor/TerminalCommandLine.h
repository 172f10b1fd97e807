#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// The command line of a terminal tab: one NMEA sentence typed by the user is checked, completed
// with its checksum when that is missing, and sent with CR LF. An invalid text stays in the line
// under a red error label; "+++" (the unit's command shell) is refused with a notice, since the
// shell cannot be driven from here. The Serial Data and Live Data tabs both use it.
class TerminalCommandLine : public QObject
{
    Q_OBJECT

public:
    // The widgets belong to the tab's form; the tab is the parent, and only while it is visible is
    // the shell notice shown.
    TerminalCommandLine(QWidget* tab, QLineEdit* line, QLabel* errorLabel);

    // The line to transmit for a typed text: the sentence plus CR LF when the text holds a valid
    // one, or with "*" and its checksum added first when that makes it one; empty when it is no
    // sentence. Only the sentence goes, from its start mark to its checksum; a text with a control
    // character or line end, more than one start mark or more than one "*" is refused.
    static QString Complete(const QString& text);

    // Runs the send rule on the line's text.
    void Run();
    // A user edit of the line: hides the error label, and the text may be sent (again).
    void OnEdited();

    // The last attempt was "+++".
    bool ShellRefused() const { return shellRefused; }

Q_SIGNALS:
    void Send(QString line);

private:
    QWidget* tab;
    QLineEdit* line;
    QLabel* errorLabel;
    bool shellRefused = false;
    // A sent text is not sent a second time before the user edits the line again: leaving the line
    // also finishes the edit, and that may happen while the first send is still under way.
    bool sentSinceEdit = false;
    QString lastSent;
};
