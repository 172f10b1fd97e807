// The Serial Data tab on its own: which received lines the filters hide, the pause buffer and its
// flush, the bound of the display, transmitted lines (the "ShowTransmit" setting is on here), the
// log button, and the terminal send rule that the Live Data tab shares.

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include "MainWindowTestPrompts.h"
#include "support/AppTestFixture.h"
#include "support/WidgetTestTools.h"
#include "ui/monitor/SerialTab.h"
#include "ui/monitor/TerminalCommandLine.h"
#include "ui/monitor/TrafficDisplay.h"

namespace
{

using KelvaneTest::Child;
using KelvaneTest::Type;

// The display once the lines gathered for it are in.
QString Shown(SerialTab& tab)
{
    if (!QTest::qWaitFor([&tab] { return tab.PendingCharacters() == 0; }))
        return QStringLiteral("(lines never shown)");
    return Child<QTextEdit>(tab, "textEditReceived")->toPlainText();
}

// Filters by the letters of their check boxes' texts.
enum Filter
{
    Vdo = 1,
    Vdm = 2,
    Gnss = 4,
    Txt = 8
};

void CheckFilters(SerialTab& tab, int filters)
{
    Child<QCheckBox>(tab, "filterXXVDOCheckBox")->setChecked(filters & Vdo);
    Child<QCheckBox>(tab, "filterXXVDMCheckBox")->setChecked(filters & Vdm);
    Child<QCheckBox>(tab, "filterGXXXXCheckBox")->setChecked(filters & Gnss);
    Child<QCheckBox>(tab, "filterXXTXTCheckBox")->setChecked(filters & Txt);
}

} // namespace

class TestSerialTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void filters_data();
    void filters();
    void pauseCollectsUnfilteredAndFlushesEverything();
    void linesAreShownTogetherInOrder();
    void pauseBufferStopsAtItsBound();
    void displayDropsTheOldestWhenFull();
    void everyInsertionKeepsTheBound();
    void displayTextAsPlainTextGivesIt_data();
    void displayTextAsPlainTextGivesIt();
    void longLinesBreakBetweenPieces_data();
    void longLinesBreakBetweenPieces();
    void controlsFollowThePort();
    void logButtonShowsOnlyTheReportedState();
    void sendRule_data();
    void sendRule();
    void shellEscapeIsRefused();
    void aSentTextIsNotSentTwice();
    void closingWithTheCommandLineFocused();

private:
    TestPrompts* prompts = nullptr;
};

void TestSerialTab::init()
{
    prompts = InstallTestPrompts();
}

void TestSerialTab::cleanup()
{
    Prompts::Install(nullptr);
}

void TestSerialTab::filters_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("filters");
    QTest::addColumn<bool>("hidden");

    const QString txt = QStringLiteral("$AITXT,01,01,91,FREQ,2087,2088*57\n");
    const QString vdo = QStringLiteral("!AIVDO,1,1,,,B3P<iS000?tsKD7IQ9SQ3wUUoP06,0*4E\n");
    const QString vdm = QStringLiteral("!AIVDM,1,1,,B,15M67FC000G?ufbE`FepT@3n00Sa,0*5C\n");
    const QString gga = QStringLiteral("$GNGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76\n");
    QTest::newRow("nothing checked shows all") << txt << 0 << false;
    QTest::newRow("TXT hides TXT") << txt << int(Txt) << true;
    QTest::newRow("VDO hides only VDO") << vdm << int(Vdo) << false;
    QTest::newRow("VDO hides VDO") << vdo << int(Vdo) << true;
    QTest::newRow("VDM hides VDM") << vdm << int(Vdm) << true;
    QTest::newRow("Gxxxx hides GN") << gga << int(Gnss) << true;
    QTest::newRow("Gxxxx hides GL") << QStringLiteral(
                                           "$GLGSV,2,1,07,65,40,039,27,66,62,320,30,72,09,158,,73,11,031,*6A\n")
                                    << int(Gnss) << true;
    QTest::newRow("Gxxxx hides GA") << QStringLiteral("$GAGSV,1,1,03,02,39,287,32,07,50,066,25,30,22,310,19*7F\n")
                                    << int(Gnss) << true;
    QTest::newRow("Gxxxx hides GB") << QStringLiteral("$GBGSV,1,1,02,06,46,209,29,09,31,217,24*60\n") << int(Gnss)
                                    << true;
    QTest::newRow("Gxxxx leaves AI") << txt << int(Gnss) << false;
    // The Gnss pattern takes any three-letter formatter of the GNSS talkers.
    QTest::newRow("Gxxxx hides a GP TXT") << QStringLiteral("$GPTXT,01,01,02,ANTSTATUS=OK*3B\n") << int(Gnss) << true;
    QTest::newRow("match after other text") << QStringLiteral("noise >") + txt << int(Txt) << true;
    QTest::newRow("no checksum is never hidden")
        << QStringLiteral("$AITXT,01,01,91,FREQ\n") << int(Vdo | Vdm | Gnss | Txt) << false;
    QTest::newRow("lower-case checksum is no match") << QStringLiteral("$AITXT,01,01,91,X*5a\n") << int(Txt) << false;
    QTest::newRow("shell text passes") << QStringLiteral("ADC 3: 2048\n") << int(Vdo | Vdm | Gnss | Txt) << false;
}

void TestSerialTab::filters()
{
    QFETCH(QString, line);
    QFETCH(int, filters);
    QFETCH(bool, hidden);
    SerialTab tab;
    CheckFilters(tab, filters);
    tab.OnReceived(line);
    QCOMPARE(Shown(tab), hidden ? QString() : line);
}

void TestSerialTab::pauseCollectsUnfilteredAndFlushesEverything()
{
    SerialTab tab;
    tab.OnOpened();
    CheckFilters(tab, Txt);
    auto* pause = Child<QToolButton>(tab, "toolButtonPause");
    const QString before = QStringLiteral("$GPGSA,A,3,,,,,,,,,,,,,1.0,1.0,1.0*33\n");
    const QString txt = QStringLiteral("$AITXT,01,01,91,FREQ,2087,2088*57\n");
    const QString sent = QStringLiteral("$UPANQ,ACF*33\r\n");
    tab.OnReceived(before);
    pause->click();
    QVERIFY(tab.IsPaused());
    tab.OnReceived(txt);
    tab.OnSent(sent);
    tab.OnReceived(before);
    QCOMPARE(Shown(tab), before);
    pause->click();
    // The paused lines come at once, in order, unfiltered and without the transmit prefix.
    QCOMPARE(Shown(tab), before + txt + sent.chopped(2) + QLatin1Char('\n') + before);
    QCOMPARE(tab.PausedCharacters(), 0);
    // Once resumed, the filters and the prefix apply again.
    tab.OnReceived(txt);
    tab.OnSent(sent);
    QVERIFY(Shown(tab).endsWith(QStringLiteral("\nOUT > $UPANQ,ACF*33\n")));
}

void TestSerialTab::linesAreShownTogetherInOrder()
{
    SerialTab tab;
    tab.OnOpened();
    CheckFilters(tab, Gnss);
    auto* view = Child<QTextEdit>(tab, "textEditReceived");
    QSignalSpy changes(view->document(), &QTextDocument::contentsChanged);
    QString expected;
    for (int i = 0; i < 100; ++i)
    {
        const QString line = QStringLiteral("$AITXT,01,01,91,LINE %1*00\n").arg(i);
        tab.OnReceived(line);
        tab.OnReceived(QStringLiteral("$GPGSA,A,3,,,,,,,,,,,,,1.0,1.0,1.0*33\n"));
        expected += line;
        if (i % 10 == 0)
        {
            tab.OnSent(QStringLiteral("$UPANQ,ACF*33\r\n"));
            expected += QStringLiteral("OUT > $UPANQ,ACF*33\n");
        }
    }
    // Not laid out line by line, but all at once, as they came and filtered as they came.
    QCOMPARE(changes.size(), 0);
    QTRY_COMPARE(view->toPlainText(), expected);
    QCOMPARE(changes.size(), 1);
    // The pause shows at once what came before it, and the resume what came during it.
    const QString before = QStringLiteral("BEFORE\n");
    const QString during = QStringLiteral("$GPGSA,DURING*00\n");
    tab.OnReceived(before);
    auto* pause = Child<QToolButton>(tab, "toolButtonPause");
    pause->click();
    QCOMPARE(view->toPlainText(), expected + before);
    tab.OnReceived(during);
    pause->click();
    QCOMPARE(view->toPlainText(), expected + before + during);
    // Lines that keep coming less than the interval apart are shown every interval all the same, not
    // only once the traffic stops or a great deal has gathered.
    const int shown = view->document()->characterCount();
    QElapsedTimer traffic;
    traffic.start();
    while (view->document()->characterCount() == shown && traffic.elapsed() < 20 * SerialTab::ShowIntervalMs)
    {
        tab.OnReceived(QStringLiteral("$AITXT,01,01,91,STEADY*00\n"));
        QTest::qWait(5);
    }
    QVERIFY2(view->document()->characterCount() > shown, "nothing shown while the lines came");
}

void TestSerialTab::pauseBufferStopsAtItsBound()
{
    SerialTab tab;
    tab.OnOpened();
    Child<QToolButton>(tab, "toolButtonPause")->click();
    const QString line = QString(99, QLatin1Char('x')) + QLatin1Char('\n');
    // The line that crosses the bound is still taken whole; nothing after it.
    const int taken = (SerialTab::PausedBufferLimit + line.size() - 1) / line.size();
    for (int i = 0; i < taken + 50; ++i)
        tab.OnReceived(line);
    QCOMPARE(tab.PausedCharacters(), taken * int(line.size()));
    Child<QToolButton>(tab, "toolButtonPause")->click();
    QCOMPARE(Shown(tab).size(), taken * line.size());
}

void TestSerialTab::displayDropsTheOldestWhenFull()
{
    SerialTab tab;
    // Lines of differing lengths, so that the cuts fall inside lines.
    QString expected;
    int n = 0;
    for (int rounds = 0; rounds < 2; ++rounds)
    {
        while (expected.size() <= TrafficDisplay::MaxCharacters)
        {
            const QString line =
                QStringLiteral("$GPTXT,%1,").arg(n) + QString(n % 70, QLatin1Char('a' + n % 26)) + QStringLiteral("\n");
            ++n;
            tab.OnReceived(line);
            expected += line;
        }
        expected.remove(0, TrafficDisplay::TrimCharacters);
        QCOMPARE(Shown(tab).size(), expected.size());
        QVERIFY(Shown(tab) == expected);
    }
    auto* view = Child<QTextEdit>(tab, "textEditReceived");
    QVERIFY(!view->document()->isUndoAvailable());
    QVERIFY(view->textCursor().atEnd());
}

void TestSerialTab::everyInsertionKeepsTheBound()
{
    SerialTab tab;
    tab.OnOpened();
    const QString line = QString(999, QLatin1Char('r')) + QLatin1Char('\n');
    for (int i = 0; i < 999; ++i)
        tab.OnReceived(line);
    QCOMPARE(Shown(tab).size(), 999000);
    // Transmitted lines count as well.
    for (int i = 0; i < 10; ++i)
        tab.OnSent(QStringLiteral("$UPANQ,ACF*33\r\n"));
    QVERIFY(Shown(tab).size() <= TrafficDisplay::MaxCharacters);
    // A full paused buffer flushed onto a full display.
    auto* pause = Child<QToolButton>(tab, "toolButtonPause");
    pause->click();
    while (tab.PausedCharacters() < SerialTab::PausedBufferLimit)
        tab.OnReceived(line);
    const QString tail = Shown(tab) + QString(line).repeated(tab.PausedCharacters() / line.size());
    pause->click();
    const QString shown = Shown(tab);
    QVERIFY(shown.size() <= TrafficDisplay::MaxCharacters);
    QVERIFY(shown.size() > TrafficDisplay::MaxCharacters - TrafficDisplay::TrimCharacters);
    // Whole steps of the oldest text went, nothing else.
    QCOMPARE((tail.size() - shown.size()) % TrafficDisplay::TrimCharacters, 0);
    QVERIFY(tail.endsWith(shown));
}

void TestSerialTab::displayTextAsPlainTextGivesIt_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("maxParagraphs");

    // A plain document fed and cut the simple way is the reference for what the display must hold.

    // Streamed readings: a paragraph each would make every trim lay out a quarter of a million.
    QTest::newRow("short readings") << QStringList{QStringLiteral("ADC 3: 2048\n"), QStringLiteral("ADC 3: 2051\n"),
                                                   QStringLiteral("\n")}
                                    << 6000;
    // Line ends as plain text has them: CR LF is one, a lone CR one, the separators one each.
    const QString text = QStringLiteral("$GPTXT,01,01,02,ANTSTATUS=OK*3B");
    QTest::newRow("line ends") << QStringList{QStringLiteral("OUT > $UPANQ,ACF*33\r\n"),
                                              QStringLiteral("\r>"),
                                              text + QStringLiteral("\r"),
                                              QStringLiteral("\n") + text,
                                              QChar(QChar::ParagraphSeparator) + text,
                                              QChar(QChar::LineSeparator) + text,
                                              QString(QChar(0xfdd0)) + QChar(0xfdd1) + text + QStringLiteral("\n")}
                               << 6000;
}

void TestSerialTab::displayTextAsPlainTextGivesIt()
{
    QFETCH(QStringList, lines);
    QFETCH(int, maxParagraphs);
    QTextEdit view;
    TrafficDisplay display(&view);
    QTextDocument reference;
    int trims = 0;
    for (int i = 0; trims < 2; ++i)
    {
        const QString& line = lines.at(i % lines.size());
        display.Append(line);
        QTextCursor end(&reference);
        end.movePosition(QTextCursor::End);
        end.insertText(line);
        if (reference.characterCount() - 1 > TrafficDisplay::MaxCharacters)
        {
            reference.setPlainText(reference.toPlainText().mid(TrafficDisplay::TrimCharacters));
            ++trims;
            QCOMPARE(display.CharacterCount(), reference.characterCount() - 1);
        }
    }
    QVERIFY(view.toPlainText() == reference.toPlainText());
    QVERIFY2(view.document()->blockCount() <= maxParagraphs,
             qPrintable(QString::number(view.document()->blockCount())));
}

void TestSerialTab::longLinesBreakBetweenPieces_data()
{
    QTest::addColumn<QString>("piece");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("longest");

    const int max = TrafficDisplay::MaxLineCharacters;
    // Prompts without line ends: the line breaks once it is long, so that no paragraph grows on.
    QTest::newRow("prompts") << QStringLiteral(">") << 2 * max + 10
                             << QString(max, QLatin1Char('>')) + QLatin1Char('\n') + QString(max, QLatin1Char('>')) +
                                    QLatin1Char('\n') + QString(10, QLatin1Char('>'))
                             << max;
    // A piece is shown as it came, and the next one goes on a line of its own.
    const QString piece(3000, QLatin1Char('x'));
    QTest::newRow("long pieces") << piece << 2 << piece + QLatin1Char('\n') + piece << 3000;
    // Long lines with their line ends need no break.
    const QString line = QString(1500, QLatin1Char('y')) + QLatin1Char('\n');
    QTest::newRow("long lines") << line << 2 << line + line << 1500;
}

void TestSerialTab::longLinesBreakBetweenPieces()
{
    QFETCH(QString, piece);
    QFETCH(int, count);
    QFETCH(QString, shown);
    QFETCH(int, longest);
    QTextEdit view;
    TrafficDisplay display(&view);
    for (int i = 0; i < count; ++i)
        display.Append(piece);
    QCOMPARE(view.toPlainText(), shown);
    int paragraph = 0;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next())
        paragraph = qMax(paragraph, block.length() - 1);
    QCOMPARE(paragraph, longest);
}

void TestSerialTab::controlsFollowThePort()
{
    SerialTab tab;
    auto* line = Child<QLineEdit>(tab, "lineSend");
    auto* send = Child<QToolButton>(tab, "toolButtonSend");
    auto* pause = Child<QToolButton>(tab, "toolButtonPause");
    auto* log = Child<QToolButton>(tab, "toolButtonSaveToLog");
    auto enabled = [&] {
        return QList<bool>{line->isEnabled(), send->isEnabled(), pause->isEnabled(), log->isEnabled()};
    };
    QCOMPARE(enabled(), (QList<bool>{false, false, false, false}));
    QVERIFY(Child<QCheckBox>(tab, "filterGXXXXCheckBox")->isEnabled());
    tab.OnOpened();
    QCOMPARE(enabled(), (QList<bool>{true, false, true, true}));
    Type(line, QStringLiteral("$UPANQ,ACF"));
    QCOMPARE(enabled(), (QList<bool>{true, true, true, true}));
    tab.OnClosed();
    QCOMPARE(enabled(), (QList<bool>{false, false, false, false}));
    QCOMPARE(line->text(), QStringLiteral("$UPANQ,ACF"));
}

void TestSerialTab::logButtonShowsOnlyTheReportedState()
{
    SerialTab tab;
    tab.OnOpened();
    auto* log = Child<QToolButton>(tab, "toolButtonSaveToLog");
    QList<bool> asked;
    bool answer = false; // what the window reports back: no log (cancelled or failed), or the log
    bool answered = false;
    connect(&tab, &SerialTab::Save, &tab,
            [&](bool save)
            {
                asked << save;
                if (answered)
                    tab.SetLogState(answer);
            });
    log->click();
    QVERIFY(!log->isChecked());
    answered = true;
    log->click();
    QVERIFY(!log->isChecked());
    QCOMPARE(log->text(), QStringLiteral("Log To File"));
    answer = true;
    log->click();
    QVERIFY(log->isChecked());
    QCOMPARE(log->text(), QStringLiteral("Stop Log"));
    answer = false;
    log->click();
    QVERIFY(!log->isChecked());
    QCOMPARE(asked, (QList<bool>{false, false, false, true}));
}

void TestSerialTab::sendRule_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<bool>("error");

    QTest::newRow("checksum completed") << QStringLiteral("$UPANQ,ACF") << QStringLiteral("$UPANQ,ACF*33\r\n") << false;
    QTest::newRow("checksum kept") << QStringLiteral("$UPANQ,ACF*33") << QStringLiteral("$UPANQ,ACF*33\r\n") << false;
    QTest::newRow("encapsulated") << QStringLiteral("!AIBBM,1,1,0,0,8,04a9M>1@PU>0U>06185=08,0")
                                  << QStringLiteral("!AIBBM,1,1,0,0,8,04a9M>1@PU>0U>06185=08,0*50\r\n") << false;
    QTest::newRow("wrong checksum") << QStringLiteral("$UPANQ,ACF*34") << QString() << true;
    QTest::newRow("no start character") << QStringLiteral("UPANQ,ACF") << QString() << true;
    QTest::newRow("short address") << QStringLiteral("$UPA,ACF") << QString() << true;
    QTest::newRow("longer than a sentence")
        << QStringLiteral("$UPMCR,") + QString(80, QLatin1Char('1')) << QString() << true;
    QTest::newRow("shell escape with a blank") << QStringLiteral(" +++") << QString() << true;
    // Only the sentence that was checked goes, and nothing the unit could take for more.
    QTest::newRow("text before the sentence")
        << QStringLiteral("> $UPANQ,ACF*33") << QStringLiteral("$UPANQ,ACF*33\r\n") << false;
    QTest::newRow("text after the checksum")
        << QStringLiteral("$UPANQ,ACF*33 x") << QStringLiteral("$UPANQ,ACF*33\r\n") << false;
    QTest::newRow("command and sentence pasted") << QStringLiteral("reset\r\n$UPANQ,ACF*33") << QString() << true;
    QTest::newRow("control character before") << QStringLiteral("\x03$UPANQ,ACF*33") << QString() << true;
    QTest::newRow("control character inside") << QStringLiteral("$UPANQ,A\aCF") << QString() << true;
    QTest::newRow("line separator") << QStringLiteral("$UPANQ,ACF\u2028") << QString() << true;
    QTest::newRow("two start marks") << QStringLiteral("!$UPANQ,ACF*33") << QString() << true;
    // Each inner "*" is counted once by the completed checksum and once as a field separator.
    QTest::newRow("several stars") << QStringLiteral("$UPANQ,ACF*00,X*6B") << QString() << true;
    QTest::newRow("inner stars cancel") << QStringLiteral("$GPTXT,01*00,02,HELLO*00") << QString() << true;
    QTest::newRow("empty") << QString() << QString() << false;
}

void TestSerialTab::sendRule()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    QFETCH(bool, error);
    QCOMPARE(TerminalCommandLine::Complete(typed), sent);

    SerialTab tab;
    tab.show();
    tab.OnOpened();
    QSignalSpy sends(&tab, &SerialTab::Send);
    auto* line = Child<QLineEdit>(tab, "lineSend");
    auto* label = Child<QLabel>(tab, "labelSendError");
    line->setText(typed);
    tab.OnSend();
    QCOMPARE(sends.size(), sent.isEmpty() ? 0 : 1);
    if (!sent.isEmpty())
        QCOMPARE(sends.at(0).at(0).toString(), sent);
    QCOMPARE(label->isVisible(), error);
    // A refused text stays for the user to mend; a sent one is gone.
    QCOMPARE(line->text(), sent.isEmpty() ? typed : QString());
    QVERIFY(prompts->shown.isEmpty());
    if (error)
    {
        QCOMPARE(label->text(), QStringLiteral("The NMEA Sentence is invalid. It has not been sent."));
        QTest::keyClick(line, Qt::Key_End);
        QTest::keyClicks(line, QStringLiteral("x"));
        QVERIFY(!label->isVisible());
    }
}

void TestSerialTab::shellEscapeIsRefused()
{
    SerialTab tab;
    tab.OnOpened();
    QSignalSpy sends(&tab, &SerialTab::Send);
    auto* line = Child<QLineEdit>(tab, "lineSend");
    // Hidden: the line is cleared without a word.
    line->setText(QStringLiteral("+++"));
    tab.OnSendEditFinished();
    QVERIFY(line->text().isEmpty());
    QVERIFY(prompts->shown.isEmpty());
    tab.show();
    Child<QTextEdit>(tab, "textEditReceived")->setFocus();
    line->setText(QStringLiteral("+++"));
    tab.OnSend();
    QVERIFY(line->text().isEmpty());
    // Back to the line for the next command, as after any refusal.
    QCOMPARE(tab.focusWidget(), line);
    QCOMPARE(prompts->shown.size(), 1);
    QCOMPARE(prompts->shown.at(0).message.text,
             QStringLiteral("The Command Shell is not\n accessible from Kelvane. \n"));
    QVERIFY(prompts->shown.at(0).parentless);
    QVERIFY(!Child<QLabel>(tab, "labelSendError")->isVisible());
    QCOMPARE(sends.size(), 0);
}

void TestSerialTab::aSentTextIsNotSentTwice()
{
    SerialTab tab;
    tab.show();
    tab.OnOpened();
    auto* line = Child<QLineEdit>(tab, "lineSend");
    QStringList sent;
    // Whatever the send sets off (an error box taking the focus, say) finishes the edit once more.
    connect(&tab, &SerialTab::Send, &tab,
            [&](const QString& s)
            {
                sent << s;
                tab.OnSendEditFinished();
            });
    Type(line, QStringLiteral("$UPANQ,ACF"));
    QTest::keyClick(line, Qt::Key_Return);
    tab.OnSend();
    QCOMPARE(sent, QStringList{QStringLiteral("$UPANQ,ACF*33\r\n")});
    // The same text typed again is a new edit, and goes.
    Type(line, QStringLiteral("$UPANQ,ACF"));
    tab.OnSend();
    QCOMPARE(sent.size(), 2);
}

void TestSerialTab::closingWithTheCommandLineFocused()
{
    // Finishing the edit must not call into the half-destroyed tab, nor send anything.
    auto* tab = new SerialTab;
    QObject context;
    QStringList sent;
    connect(tab, &SerialTab::Send, &context, [&sent](const QString& s) { sent << s; });
    QVERIFY(KelvaneTest::DestroyWithCommandLineFocused(tab));
    QCOMPARE(sent, QStringList());
}

static KelvaneTest::AppSettings Settings()
{
    KelvaneTest::AppSettings s;
    s.user.insert(QStringLiteral("ShowTransmit"), true);
    return s;
}

KELVANE_TEST_APP_MAIN_WITH(TestSerialTab, Settings())
#include "tst_SerialTab.moc"
