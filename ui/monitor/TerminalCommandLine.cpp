#include "ui/monitor/TerminalCommandLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "comms/NmeaSentence.h"
#include "ui/Prompts.h"

namespace
{
const QString ShellEscape = QStringLiteral("+++");
const QString LineEnd = QStringLiteral("\r\n");
} // namespace

TerminalCommandLine::TerminalCommandLine(QWidget* tab, QLineEdit* line, QLabel* errorLabel)
    : QObject(tab), tab(tab), line(line), errorLabel(errorLabel)
{
}

QString TerminalCommandLine::Complete(const QString& text)
{
    if (NmeaSentence(text).IsValid())
        return text + LineEnd;
    const QString completed = text + QLatin1Char('*') + NmeaSentence::Checksum(text);
    if (NmeaSentence(completed).IsValid())
        return completed + LineEnd;
    return QString();
}

void TerminalCommandLine::Run()
{
    const QString text = line->text();
    if (text.isEmpty())
        return;
    if (sentSinceEdit && text == lastSent)
        return;
    shellRefused = false;
    if (text == ShellEscape)
    {
        line->clear();
        shellRefused = true;
        if (tab->isVisible())
        {
            Prompts::Message message;
            message.text = tr("The Command Shell is not\n accessible from Kelvane. \n");
            Prompts::Current().Ask(nullptr, message);
        }
        line->setFocus();
        return;
    }
    const QString sentence = Complete(text);
    if (sentence.isEmpty())
    {
        errorLabel->setText(tr("The NMEA Sentence is invalid. It has not been sent."));
        errorLabel->show();
        line->setFocus();
        return;
    }
    // The line is emptied before the sentence leaves, so that nothing the send sets off can find
    // the text still there and send it again.
    sentSinceEdit = true;
    lastSent = text;
    line->clear();
    Q_EMIT Send(sentence);
}

void TerminalCommandLine::OnEdited()
{
    errorLabel->hide();
    sentSinceEdit = false;
}
