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

// Characters the unit would not take as text of the sentence: line ends (which would make two
// lines of one) and the other control characters.
bool IsControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar(QChar::LineSeparator) ||
           c == QChar(QChar::ParagraphSeparator);
}
} // namespace

TerminalCommandLine::TerminalCommandLine(QWidget* tab, QLineEdit* line, QLabel* errorLabel)
    : QObject(tab), tab(tab), line(line), errorLabel(errorLabel)
{
}

QString TerminalCommandLine::Complete(const QString& text)
{
    // The sentence record finds a sentence anywhere in a line, so the check alone would let the rest
    // of the text go out unchecked: one start mark and nothing that is not text.
    qsizetype start = -1;
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        const QChar c = text.at(i);
        if (IsControl(c))
            return QString();
        if (c == QLatin1Char('$') || c == QLatin1Char('!'))
        {
            if (start >= 0)
                return QString();
            start = i;
        }
    }
    if (start < 0)
        return QString();
    // "*" is the checksum mark and nothing else. The record counts any other "*" as a field
    // separator while the completed checksum counts it as itself, so two of them cancel out.
    QString sentence;
    switch (text.count(QLatin1Char('*')))
    {
    case 0:
        sentence = text + QLatin1Char('*') + NmeaSentence::Checksum(text);
        break;
    case 1:
        sentence = text;
        break;
    default:
        return QString();
    }
    if (!NmeaSentence(sentence).IsValid())
        return QString();
    // Exactly what was checked goes out: from the start mark to the checksum.
    const qsizetype end = sentence.indexOf(QLatin1Char('*')) + 3;
    return sentence.mid(start, end - start) + LineEnd;
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
