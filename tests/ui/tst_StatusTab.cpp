// The Diagnostics tab: its value labels, alarm and message tables, and its two XML reports compared
// element by element with documents built here from the report format; reports that cannot be written,
// unit text that XML cannot hold, and log requests that never completed; reports that fail part-way
// say truthfully what became of the old file, with the system's reason.

#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest/QtTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "MainWindowTestPrompts.h"
#include "app/KelvaneApplication.h"
#include "decoders/AlarmData.h"
#include "support/AppTestFixture.h"
#include "support/FileSizeLimit.h"
#include "ui/Prompts.h"
#include "ui/monitor/StatusTab.h"

using KelvaneTest::App;

namespace
{

// One element of a parsed report: its name, its attributes in document order and its children.
struct Node
{
    QString name;
    QList<QPair<QString, QString>> attributes;
    QList<Node> children;
};

Node Element(const QString& name, const QList<QPair<QString, QString>>& attributes = {},
             const QList<Node>& children = {})
{
    return Node{name, attributes, children};
}

// The report as an element tree; a document that does not parse is one element naming the error.
Node Parse(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    QList<Node> stack;
    Node root;
    while (!xml.atEnd())
    {
        xml.readNext();
        if (xml.isStartElement())
        {
            Node node{xml.name().toString(), {}, {}};
            for (const QXmlStreamAttribute& a : xml.attributes())
                node.attributes.append({a.name().toString(), a.value().toString()});
            stack.append(node);
        }
        else if (xml.isEndElement())
        {
            Node done = stack.takeLast();
            if (stack.isEmpty())
                root = done;
            else
                stack.last().children.append(done);
        }
    }
    return xml.hasError() ? Element(QStringLiteral("not XML: ") + xml.errorString()) : root;
}

// Compares two element trees, naming the first difference.
QString Difference(const Node& actual, const Node& expected, const QString& path = QString())
{
    const QString here = path + QLatin1Char('/') + expected.name;
    if (actual.name != expected.name)
        return here + QStringLiteral(": element ") + actual.name;
    if (actual.attributes != expected.attributes)
    {
        QStringList a;
        QStringList e;
        for (const auto& p : actual.attributes)
            a << p.first + QLatin1Char('=') + p.second;
        for (const auto& p : expected.attributes)
            e << p.first + QLatin1Char('=') + p.second;
        return here + QStringLiteral(": attributes [") + a.join(QLatin1Char(' ')) + QStringLiteral("] expected [") +
               e.join(QLatin1Char(' ')) + QLatin1Char(']');
    }
    if (actual.children.size() != expected.children.size())
        return here +
               QStringLiteral(": %1 children, expected %2").arg(actual.children.size()).arg(expected.children.size());
    for (int i = 0; i < expected.children.size(); ++i)
    {
        const QString d = Difference(actual.children.at(i), expected.children.at(i), here);
        if (!d.isEmpty())
            return d;
    }
    return QString();
}

using Attributes = QList<QPair<QString, QString>>;

Node Header(const QString& date, const QString& time, const Attributes& identification)
{
    return Element(
        QStringLiteral("HEADER"), {},
        {Element(QStringLiteral("summary"), {{QStringLiteral("dateUTC"), date}, {QStringLiteral("timeUTC"), time}}),
         Element(QStringLiteral("atonIdentification"), identification),
         Element(QStringLiteral("kelvaneInformation"),
                 {{QStringLiteral("kelvaneApplicationSoftwareVersion"), QCoreApplication::applicationVersion()}})});
}

Node Section(const QString& name, const QString& word, const QList<Node>& entries)
{
    QList<Node> children{Element(QStringLiteral("SubHeader"), {{word, QStringLiteral("Start")}})};
    children += entries;
    return Element(name, {}, children);
}

Node LogLine(int row, const QString& date, const QString& time, const QString& text)
{
    return Element(QStringLiteral("fault_message"), {{QStringLiteral("row"), QString::number(row)},
                                                     {QStringLiteral("date"), date},
                                                     {QStringLiteral("time"), time},
                                                     {QStringLiteral("description"), text}});
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Permissions bind the superuser only through another identity: it is taken while this lives.
class Unprivileged
{
public:
    Unprivileged() : superuser(geteuid() == 0), ok(!superuser || seteuid(65534) == 0) {}
    ~Unprivileged()
    {
        if (superuser && ok)
            (void)seteuid(0);
    }
    const bool superuser;
    const bool ok;
};

} // namespace

class TestStatusTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void valueLabels_data();
    void valueLabels();
    void alarmTableShowsActiveAlarms_data();
    void alarmTableShowsActiveAlarms();
    void messagesGoToTheirSortedPlace();
    void reportListsTheMessagesKept_data();
    void reportListsTheMessagesKept();
    void clearStatusKeepsWhatReportsNeed();
    void diagnosticsReport();
    void proximityReport();
    void reportRoadAsksForTheFile();
    void unitTextThatXmlCannotHold();
    void abandonedRequestsNeverReachTheNextReport();
    void reportFailures_data();
    void reportFailures();

private:
    QLabel* Label(const char* name) const { return tab->findChild<QLabel*>(QLatin1String(name)); }
    QTableWidget* Table(const char* name) const { return tab->findChild<QTableWidget*>(QLatin1String(name)); }
    QString Path(const QString& name) const { return dir->filePath(name); }
    // Runs the diagnostics road: file chosen, the unit's log lines, completion.
    void Report(const QString& path, const QList<StatusTab::LogEntry>& log);

    StatusTab* tab = nullptr;
    TestPrompts* prompts = nullptr;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestStatusTab::init()
{
    prompts = InstallTestPrompts();
    tab = new StatusTab();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
}

void TestStatusTab::cleanup()
{
    delete tab;
    tab = nullptr;
    Prompts::Install(nullptr);
    dir.reset();
}

void TestStatusTab::Report(const QString& path, const QList<StatusTab::LogEntry>& log)
{
    prompts->saveNames << path;
    QSignalSpy request(tab, &StatusTab::FaultLogRequest);
    tab->findChild<QPushButton*>(QStringLiteral("fileNameButton"))->click();
    QCOMPARE(request.size(), 1);
    for (const StatusTab::LogEntry& e : log)
        tab->OnFaultMessageReceived(e.date, e.time, e.description);
    tab->OnFaultMessageLogComplete();
}

void TestStatusTab::valueLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QVariant>("argument");
    QTest::addColumn<QString>("expected");

    QTest::newRow("VSWR 1.5") << "labelVSWR" << QByteArray("OnVSWR") << QVariant(1.5) << "1.5:1";
    QTest::newRow("VSWR 2") << "labelVSWR" << QByteArray("OnVSWR") << QVariant(2.0) << "2.0:1";
    QTest::newRow("VSWR 0") << "labelVSWR" << QByteArray("OnVSWR") << QVariant(0.0) << "0.0:1";
    QTest::newRow("VIN 12500 mV") << "labelPowerSupply" << QByteArray("OnVIN") << QVariant(12500.0) << "12.50 V";
    QTest::newRow("VIN 0") << "labelPowerSupply" << QByteArray("OnVIN") << QVariant(0.0) << "0.00 V";
    QTest::newRow("version") << "labelVersion" << QByteArray("OnVersion") << QVariant(QStringLiteral("KVX-A3 V3.01.07"))
                             << "KVX-A3 V3.01.07";
    QTest::newRow("bootloader") << "labelBootLoader" << QByteArray("OnBootloaderVersion")
                                << QVariant(QStringLiteral("BL 1.04")) << "BL 1.04";
    QTest::newRow("product serial") << "labelProductSerialNumber" << QByteArray("OnProductSerialNumber")
                                    << QVariant(QStringLiteral("P2351001")) << "P2351001";
    QTest::newRow("type 1") << "labelAtoNType" << QByteArray("OnAtoNType") << QVariant(1) << "Type 1";
    QTest::newRow("type 3") << "labelAtoNType" << QByteArray("OnAtoNType") << QVariant(3) << "Type 3";
    QTest::newRow("type 2") << "labelAtoNType" << QByteArray("OnAtoNType") << QVariant(2) << "Unknown";
    QTest::newRow("type 0") << "labelAtoNType" << QByteArray("OnAtoNType") << QVariant(0) << "Unknown";
    QTest::newRow("type -1") << "labelAtoNType" << QByteArray("OnAtoNType") << QVariant(-1) << "Unknown";
    // Neither the variant nor the board serial number is shown.
    QTest::newRow("variant") << "labelVersion" << QByteArray("OnVariant") << QVariant(QStringLiteral("A3"))
                             << "Unknown";
    QTest::newRow("board serial") << "labelProductSerialNumber" << QByteArray("OnPCASerialNumber")
                                  << QVariant(QStringLiteral("PCA-1")) << "Unknown";
}

void TestStatusTab::valueLabels()
{
    QFETCH(QString, label);
    QFETCH(QByteArray, slot);
    QFETCH(QVariant, argument);
    QFETCH(QString, expected);
    // Until the unit reports, every value says so (the form's own placeholders are never seen).
    for (const char* name :
         {"labelVSWR", "labelPowerSupply", "labelVersion", "labelBootLoader", "labelProductSerialNumber"})
        QCOMPARE(Label(name)->text(), QStringLiteral("Unknown"));
    bool ok = false;
    if (argument.typeId() == QMetaType::Double)
        ok = QMetaObject::invokeMethod(tab, slot.constData(), Q_ARG(double, argument.toDouble()));
    else if (argument.typeId() == QMetaType::Int)
        ok = QMetaObject::invokeMethod(tab, slot.constData(), Q_ARG(int, argument.toInt()));
    else
        ok = QMetaObject::invokeMethod(tab, slot.constData(), Q_ARG(QString, argument.toString()));
    QVERIFY(ok);
    QCOMPARE(tab->findChild<QLabel*>(label)->text(), expected);
}

void TestStatusTab::alarmTableShowsActiveAlarms_data()
{
    // Each list is one alarm list as the decoder lends it after more ALRs: "id time active ack text",
    // "-" for no time; "null" lends no list.
    QTest::addColumn<QList<QStringList>>("lists");
    QTest::addColumn<QList<QStringList>>("rows");
    const QStringList light = {"5", "10:15:00", "Yes", "LIGHT FAIL"};
    // Rows sort by number as text, highest first, as the header shows: "5" above "12".
    QTest::newRow("active alarms only") << QList<QStringList>{{"5 10:15:00 A Y LIGHT FAIL", "7 10:16:00 V N RACON FAIL",
                                                               "12 - A N LOW VOLTAGE"}}
                                        << QList<QStringList>{light, {"12", "", "No", "LOW VOLTAGE"}};
    // An alarm already shown changes in place.
    QTest::newRow("new time") << QList<QStringList>{{"5 10:15:00 A Y LIGHT FAIL"}, {"5 10:20:00 A Y LIGHT FAIL"}}
                              << QList<QStringList>{{"5", "10:20:00", "Yes", "LIGHT FAIL"}};
    QTest::newRow("acknowledged") << QList<QStringList>{{"5 10:15:00 A N LIGHT FAIL"}, {"5 10:15:00 A Y LIGHT FAIL"}}
                                  << QList<QStringList>{light};
    QTest::newRow("new text") << QList<QStringList>{{"5 10:15:00 A Y LIGHT"}, {"5 10:15:00 A Y LIGHT FAIL"}}
                              << QList<QStringList>{light};
    // A new row that sorts above the one shown is filled whole before it moves.
    QTest::newRow("new alarm above") << QList<QStringList>{{"5 10:15:00 A Y LIGHT FAIL"}, {"7 10:16:00 A N RACON"}}
                                     << QList<QStringList>{{"7", "10:16:00", "No", "RACON"}, light};
    QTest::newRow("no active alarm left")
        << QList<QStringList>{{"5 10:15:00 A Y LIGHT FAIL", "12 - A N LOW"}, {"5 10:20:00 V Y X", "12 - V N LOW"}}
        << QList<QStringList>{};
    QTest::newRow("no list") << QList<QStringList>{{"5 10:15:00 A Y LIGHT FAIL"}, {"null"}} << QList<QStringList>{};
}

void TestStatusTab::alarmTableShowsActiveAlarms()
{
    QFETCH(QList<QStringList>, lists);
    QFETCH(QList<QStringList>, rows);
    QTableWidget* table = Table("tableWidgetAlarms");
    QCOMPARE(table->columnCount(), 4);
    QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("ACK"));
    AlarmData alarms;
    for (const QStringList& list : lists)
    {
        for (const QString& alarm : list)
        {
            const QStringList f = alarm.split(QLatin1Char(' '));
            if (f.size() >= 5)
                alarms.Update(f[0].toInt(), QTime::fromString(f[1], QStringLiteral("hh:mm:ss")), f[2] == "A",
                              f[3] == "Y", f.mid(4).join(QLatin1Char(' ')));
        }
        tab->OnAlarmReceived(list == QStringList{"null"} ? nullptr : &alarms);
    }
    QList<QStringList> shown;
    for (int r = 0; r < table->rowCount(); ++r)
    {
        QStringList row;
        for (int c = 0; c < 4; ++c)
        {
            const QTableWidgetItem* item = table->item(r, c);
            QVERIFY(item);
            QCOMPARE(item->flags(), Qt::NoItemFlags);
            QCOMPARE(Qt::Alignment(item->textAlignment()),
                     (c == 3 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
            row << item->text();
        }
        shown << row;
    }
    QCOMPARE(shown, rows);
}

void TestStatusTab::messagesGoToTheirSortedPlace()
{
    QTableWidget* table = Table("tableWidgetMessages");
    QVERIFY(table->horizontalHeader()->isSortIndicatorShown());
    QCOMPARE(table->horizontalHeader()->sortIndicatorSection(), 0);
    QCOMPARE(table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    const QString before = QDateTime::currentDateTimeUtc().time().toString(QStringLiteral("hh:mm:ss"));
    tab->OnTextMessageReceived(QStringLiteral("BRAVO"));
    tab->OnTextMessageReceived(QStringLiteral("ALPHA"));
    const QString after = QDateTime::currentDateTimeUtc().time().toString(QStringLiteral("hh:mm:ss"));
    QCOMPARE(table->rowCount(), 2);
    for (int r = 0; r < 2; ++r)
    {
        const QString time = table->item(r, 0)->text();
        QVERIFY2(time >= before && time <= after, qPrintable(time));
        QCOMPARE(Qt::Alignment(table->item(r, 0)->textAlignment()), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(table->item(r, 1)->flags(), Qt::NoItemFlags);
        QCOMPARE(table->rowHeight(r), 20);
    }
    // The user sorts by description (one click: ascending); new messages land in place, each row whole.
    tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(tab));
    QHeaderView* header = table->horizontalHeader();
    const auto clickHeader = [header](int column)
    {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    };
    clickHeader(1);
    QCOMPARE(header->sortIndicatorSection(), 1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("ALPHA"));
    for (const char* text : {"DELTA", "AARDVARK", "CHARLIE", "ZULU"})
        tab->OnTextMessageReceived(QString::fromLatin1(text));
    QStringList shown;
    for (int r = 0; r < table->rowCount(); ++r)
    {
        QVERIFY(table->item(r, 0) && !table->item(r, 0)->text().isEmpty());
        shown << table->item(r, 1)->text();
    }
    QCOMPARE(shown, QStringList({"AARDVARK", "ALPHA", "BRAVO", "CHARLIE", "DELTA", "ZULU"}));
    clickHeader(1);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    tab->OnTextMessageReceived(QStringLiteral("ECHO"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("ECHO"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("ZULU"));
    // The report keeps them in order of arrival.
    QStringList kept;
    for (const StatusTab::TextMessageEntry& e : tab->TextMessages())
        kept << e.message;
    QCOMPARE(kept, QStringList({"BRAVO", "ALPHA", "DELTA", "AARDVARK", "CHARLIE", "ZULU", "ECHO"}));
}

void TestStatusTab::reportListsTheMessagesKept_data()
{
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("kept");
    // The table's rows: the messages kept and at most a batch more, for it drops its oldest rows a batch
    // at a time.
    QTest::addColumn<int>("shown");
    // Sorted by text, not by time as the table starts: the oldest rows lie scattered.
    QTest::addColumn<bool>("byText");
    // The latest ten thousand stay, whatever the tab's own constant says.
    constexpr int bound = 10000;
    constexpr int batch = StatusTab::TextMessageRowBatch;
    QTest::newRow("a few") << 3 << 3 << 3 << false;
    QTest::newRow("the bound") << bound << bound << bound << false;
    // The report drops the oldest at once; the table not yet.
    QTest::newRow("one past the bound") << bound + 1 << bound << bound + 1 << false;
    QTest::newRow("a batch past the bound") << bound + batch << bound << bound + batch << false;
    // One more, and the table is back to the messages kept.
    QTest::newRow("a batch and one past the bound") << bound + batch + 1 << bound << bound << false;
    QTest::newRow("a batch and one past the bound, sorted by text") << bound + batch + 1 << bound << bound << true;
    // A unit that never stops: ten thousand at least stay, and the report says how many went. The table
    // has come back to the bound at each batch and one past it.
    QTest::newRow("twenty thousand") << 20000 << bound << bound + (20000 - bound) % (batch + 1) << false;
}

void TestStatusTab::reportListsTheMessagesKept()
{
    QFETCH(int, received);
    QFETCH(int, kept);
    QFETCH(int, shown);
    QFETCH(bool, byText);
    QTableWidget* table = Table("tableWidgetMessages");
    if (byText)
        table->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    for (int i = 0; i < received; ++i)
        tab->OnTextMessageReceived(QStringLiteral("TEXT %1").arg(i));
    // The table shows the latest messages, each once, whatever the order of their rows.
    QCOMPARE(table->rowCount(), shown);
    QList<int> numbers;
    for (int r = 0; r < shown; ++r)
    {
        numbers << table->item(r, 1)->text().mid(5).toInt();
        if (byText && r > 0)
            QVERIFY(table->item(r - 1, 1)->text() <= table->item(r, 1)->text());
    }
    std::sort(numbers.begin(), numbers.end());
    QCOMPARE(numbers.first(), received - shown);
    QCOMPARE(numbers.last(), received - 1);
    QVERIFY(std::adjacent_find(numbers.cbegin(), numbers.cend()) == numbers.cend());
    const QString path = Path(QStringLiteral("texts.xml"));
    Report(path, {});
    const Node report = Parse(ReadAll(path));
    QCOMPARE(report.name, QStringLiteral("REPORT"));
    QList<Node> log = report.children.value(2).children;
    QCOMPARE(log.value(0).name, QStringLiteral("SubHeader"));
    const int dropped = received - kept;
    if (dropped > 0)
    {
        const Node note = log.takeAt(1);
        QCOMPARE(note.name, QStringLiteral("dropped_messages"));
        QCOMPARE(note.attributes.value(0), qMakePair(QStringLiteral("count"), QString::number(dropped)));
        QVERIFY(note.attributes.value(1).second.startsWith(QString::number(dropped) + QLatin1Char(' ')));
    }
    QCOMPARE(log.size(), 1 + kept);
    QCOMPARE(log.value(1).attributes.value(2).second, QStringLiteral("TEXT %1").arg(dropped));
    QCOMPARE(log.last().attributes.value(0).second, QString::number(kept));
    QCOMPARE(log.last().attributes.value(2).second, QStringLiteral("TEXT %1").arg(received - 1));
}

void TestStatusTab::clearStatusKeepsWhatReportsNeed()
{
    tab->OnAtoNType(3);
    tab->OnVersion(QStringLiteral("V3"));
    tab->OnVSWR(1.5);
    tab->OnTextMessageReceived(QStringLiteral("HELLO"));
    AlarmData alarms;
    alarms.Update(9, QTime(1, 2, 3), true, false, QStringLiteral("ALARM"));
    tab->OnAlarmReceived(&alarms);
    tab->ClearStatus();
    for (const char* name :
         {"labelVSWR", "labelPowerSupply", "labelVersion", "labelBootLoader", "labelProductSerialNumber"})
        QCOMPARE(Label(name)->text(), QStringLiteral("Unknown"));
    QCOMPARE(Label("labelAtoNType")->text(), QStringLiteral("Type 3"));
    QCOMPARE(Table("tableWidgetMessages")->rowCount(), 0);
    QCOMPARE(Table("tableWidgetAlarms")->rowCount(), 0);
    QCOMPARE(tab->TextMessages().size(), 1);
    // A report after the disconnect still carries the last unit, its messages and alarms.
    Report(Path(QStringLiteral("after.xml")), {});
    const QByteArray report = ReadAll(Path(QStringLiteral("after.xml")));
    QVERIFY(report.contains("transceiverApplicationSoftwareVersion=\"V3\""));
    QVERIFY(report.contains("message=\"HELLO\""));
    QVERIFY(report.contains("id=\"9\""));
}

void TestStatusTab::diagnosticsReport()
{
    tab->OnAtoNType(1);
    tab->OnVersion(QStringLiteral("KVX-A3 V3.01.07"));
    tab->OnBootloaderVersion(QStringLiteral("BL 1.04"));
    tab->OnProductSerialNumber(QStringLiteral("P2351001"));
    AlarmData alarms;
    alarms.Update(4, QTime(8, 0, 0), false, false, QStringLiteral("OFF POSITION"));
    alarms.Update(9, QTime(8, 30, 5), true, false, QStringLiteral("LIGHT <FAIL> & \"RACON\""));
    alarms.Update(11, QTime(9, 0, 0), true, true, QStringLiteral("LOW VOLTAGE"));
    tab->OnAlarmReceived(&alarms);
    tab->OnTextMessageReceived(QStringLiteral("FIRST"));
    tab->OnTextMessageReceived(QStringLiteral("SECOND"));
    const QList<StatusTab::TextMessageEntry> texts = tab->TextMessages();

    const QString path = Path(QStringLiteral("diagnostics.xml"));
    Report(path, {{"2026/11/30", "10:15:00", "LIGHT FAIL"},
                  {"2026/12/01", "04:02:13", "LOW VOLTAGE"},
                  {"2026/12/02", "23:59:59", "GNSS LOST"}});
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REPORT>\n    <HEADER>\n        <summary "));
    QVERIFY(bytes.contains("\n        <SubHeader Alarm_Messages=\"Start\"/>\n"));
    Node report = Parse(bytes);
    const Node summary = report.children.value(0).children.value(0);
    const QString date = QLocale::c().toString(now.date(), QStringLiteral("ddd MMM d yyyy"));
    QCOMPARE(summary.attributes.value(0).second, date);
    const QString time = summary.attributes.value(1).second;
    QVERIFY2(QTime::fromString(time, QStringLiteral("hh:mm:ss")).secsTo(now.time()) <= 2, qPrintable(time));

    const Attributes identification = {
        {QStringLiteral("atonType"), QStringLiteral("Type 1")},
        {QStringLiteral("transceiverApplicationSoftwareVersion"), QStringLiteral("KVX-A3 V3.01.07")},
        {QStringLiteral("transceiverBootloaderSoftwareVersion"), QStringLiteral("BL 1.04")},
        {QStringLiteral("transceiverProductSerialNumber"), QStringLiteral("P2351001")}};
    const auto text = [](int row, const StatusTab::TextMessageEntry& e)
    {
        return Element(QStringLiteral("textmessage"), {{QStringLiteral("row"), QString::number(row)},
                                                       {QStringLiteral("time"), e.time},
                                                       {QStringLiteral("message"), e.message}});
    };
    const Node alarmLog = Section(QStringLiteral("ALRLog"), QStringLiteral("Alarm_Messages"),
                                  {Element(QStringLiteral("alarm"), {{"row", "1"},
                                                                     {"id", "9"},
                                                                     {"time", "08:30:05"},
                                                                     {"acknowledged", "No"},
                                                                     {"description", "LIGHT <FAIL> & \"RACON\""}}),
                                   Element(QStringLiteral("alarm"), {{"row", "2"},
                                                                     {"id", "11"},
                                                                     {"time", "09:00:00"},
                                                                     {"acknowledged", "Yes"},
                                                                     {"description", "LOW VOLTAGE"}})});
    const Node textLog = Section(QStringLiteral("TXTLog"), QStringLiteral("Text_Messages"),
                                 {text(1, texts.at(0)), text(2, texts.at(1))});
    Node expected = Element(QStringLiteral("REPORT"), {},
                            {Header(date, time, identification), alarmLog, textLog,
                             Section(QStringLiteral("faultLog"), QStringLiteral("Fault_Log"),
                                     {LogLine(1, "2026/11/30", "10:15:00", "LIGHT FAIL"),
                                      LogLine(2, "2026/12/01", "04:02:13", "LOW VOLTAGE"),
                                      LogLine(3, "2026/12/02", "23:59:59", "GNSS LOST")})});
    QCOMPARE(Difference(report, expected), QString());
    QVERIFY(tab->FaultLog().isEmpty());

    // A second report at once: every text message again, an empty fault log.
    Report(path, {});
    report = Parse(ReadAll(path));
    expected.children[0] =
        Header(date, report.children.value(0).children.value(0).attributes.value(1).second, identification);
    expected.children[3] = Section(QStringLiteral("faultLog"), QStringLiteral("Fault_Log"), {});
    QCOMPARE(Difference(report, expected), QString());
}

void TestStatusTab::proximityReport()
{
    // A tab that has heard nothing from a unit: the identification's defaults.
    tab->OnFaultMessageReceived(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"));
    const QString path = Path(QStringLiteral("proximity.xml"));
    prompts->saveNames << path;
    QSignalSpy request(tab, &StatusTab::PrxLogRequest);
    tab->findChild<QPushButton*>(QStringLiteral("pushButtonProximityAlertReport"))->click();
    QCOMPARE(request.size(), 1);
    tab->OnProximityAlertMessageReceived(QStringLiteral("2026/12/02"), QStringLiteral("22:41:09"),
                                         QStringLiteral("VESSEL 235123456"));
    tab->OnProximityAlertLogComplete();
    const Node report = Parse(ReadAll(path));
    const Node summary = report.children.value(0).children.value(0);
    const Node expected = Element(QStringLiteral("REPORT"), {},
                                  {Header(summary.attributes.value(0).second, summary.attributes.value(1).second,
                                          {{"atonType", ""},
                                           {"transceiverApplicationSoftwareVersion", ""},
                                           {"transceiverBootloaderSoftwareVersion", ""},
                                           {"transceiverProductSerialNumber", "Product_Serial_Not_Set"}}),
                                   Section(QStringLiteral("ProximityAlertLog"), QStringLiteral("Proximity_Alert_Log"),
                                           {LogLine(1, "2026/12/02", "22:41:09", "VESSEL 235123456")})});
    QCOMPARE(Difference(report, expected), QString());
    QVERIFY(tab->ProximityLog().isEmpty());
}

void TestStatusTab::reportRoadAsksForTheFile()
{
    App()->SetDiagnosticsFilename(Path(QStringLiteral("last.xml")));
    QSignalSpy request(tab, &StatusTab::FaultLogRequest);
    // Cancelled: no request, the setting stays.
    tab->findChild<QPushButton*>(QStringLiteral("fileNameButton"))->click();
    QCOMPARE(request.size(), 0);
    QCOMPARE(prompts->fileQuestions.size(), 1);
    QCOMPARE(prompts->fileQuestions.at(0).caption, QStringLiteral("Save Diagnostic File"));
    QCOMPARE(prompts->fileQuestions.at(0).dir, Path(QStringLiteral("last.xml")));
    QCOMPARE(prompts->fileQuestions.at(0).filter, QStringLiteral("Report ( *.xml )"));
    QCOMPARE(App()->GetDiagnosticsFilename(), Path(QStringLiteral("last.xml")));

    // A path with "%2" in it is shown as it stands.
    QVERIFY(QDir().mkpath(Path(QStringLiteral("run %2 %1"))));
    const QString path = Path(QStringLiteral("run %2 %1/report.xml"));
    const QString before = QDateTime::currentDateTimeUtc().time().toString(QStringLiteral("hh:mm:ss"));
    Report(path, {});
    const QString after = QDateTime::currentDateTimeUtc().time().toString(QStringLiteral("hh:mm:ss"));
    QCOMPARE(App()->GetDiagnosticsFilename(), path);
    const QStringList lines = Label("reportLabel")->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0) == QStringLiteral("Report generated @") + before + QStringLiteral(" in:") ||
                 lines.at(0) == QStringLiteral("Report generated @") + after + QStringLiteral(" in:"),
             qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), path);
    QCOMPARE(lines.at(2), QStringLiteral("Open with a suitable XML editor"));
    tab->ClearReportLabel();
    QCOMPARE(Label("reportLabel")->text(), QString());

    prompts->fileQuestions.clear();
    tab->findChild<QPushButton*>(QStringLiteral("pushButtonProximityAlertReport"))->click();
    QCOMPARE(prompts->fileQuestions.at(0).caption, QStringLiteral("Save Proximity Alert File"));
    QCOMPARE(prompts->fileQuestions.at(0).filter, QStringLiteral("ProximityAlertReport ( *.xml )"));
}

void TestStatusTab::unitTextThatXmlCannotHold()
{
    // The unit's escapes are resolved before the text reaches the tab: a "^07" arrives as BEL.
    tab->OnVersion(QStringLiteral("V3\x01"));
    tab->OnTextMessageReceived(QStringLiteral("BELL\x07 TAB\t LINE\n END\x1F"));
    const QString path = Path(QStringLiteral("control.xml"));
    Report(path, {{"2026/12/01", "04:02:13", QString::fromLatin1("NUL\0!", 5)}});
    const Node report = Parse(ReadAll(path));
    QCOMPARE(report.name, QStringLiteral("REPORT"));
    QCOMPARE(report.children.value(0).children.value(1).attributes.value(1).second, QStringLiteral("V3^01"));
    QCOMPARE(report.children.value(2).children.value(1).attributes.value(2).second,
             QStringLiteral("BELL^07 TAB\t LINE\n END^1F"));
    QCOMPARE(report.children.value(3).children.value(1).attributes.value(3).second, QStringLiteral("NUL^00!"));
}

void TestStatusTab::abandonedRequestsNeverReachTheNextReport()
{
    const QString path = Path(QStringLiteral("report.xml"));
    // Lines with no request of ours, and a completion with nothing pending, do nothing.
    tab->OnFaultMessageReceived(QStringLiteral("2026/01/01"), QStringLiteral("00:00:00"), QStringLiteral("STRAY"));
    tab->OnFaultMessageLogComplete();
    QVERIFY(tab->FaultLog().isEmpty());
    QVERIFY(prompts->shown.isEmpty());

    // A request whose log never completes (the unit stopped answering)...
    prompts->saveNames << path;
    tab->findChild<QPushButton*>(QStringLiteral("fileNameButton"))->click();
    QVERIFY(tab->IsFaultLogPending());
    tab->OnFaultMessageReceived(QStringLiteral("2026/01/02"), QStringLiteral("00:00:00"), QStringLiteral("TIMED OUT"));
    QVERIFY(!QFile::exists(path));
    // ...leaves nothing in the next one.
    Report(path, {{"2026/01/03", "00:00:00", "FRESH"}});
    QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.contains("FRESH"));
    QVERIFY(!bytes.contains("TIMED OUT"));
    QVERIFY(!bytes.contains("STRAY"));

    // A completion in the middle of a log writes what came so far; the tail and a second completion
    // do not overwrite it.
    Report(path, {{"2026/01/04", "00:00:00", "HEAD"}});
    tab->OnFaultMessageReceived(QStringLiteral("2026/01/05"), QStringLiteral("00:00:00"), QStringLiteral("TAIL"));
    tab->OnFaultMessageLogComplete();
    bytes = ReadAll(path);
    QVERIFY(bytes.contains("HEAD"));
    QVERIFY(!bytes.contains("TAIL"));
}

void TestStatusTab::reportFailures_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("reason");
    // Empty: the report is whole. Else the words the message uses of the old file.
    QTest::addColumn<QString>("oldFile");
    QTest::newRow("disk fills part-way") << "disk fills" << QString::fromLocal8Bit(strerror(EFBIG)) << "unchanged";
    QTest::newRow("disk fills part-way, no file beside it")
        << "disk fills, closed folder" << QString::fromLocal8Bit(strerror(EFBIG)) << "lost";
    QTest::newRow("full disk") << "full disk" << QString::fromLocal8Bit(strerror(ENOSPC)) << "lost";
    QTest::newRow("folder and file not writable") << "closed" << QString() << "read only";
    QTest::newRow("no such folder") << "no folder" << QString() << "read only";
    // The user may replace a file they can write in a folder where they cannot create one.
    QTest::newRow("writable file in a closed folder") << "closed folder" << QString() << QString();
    QTest::newRow("second request while the log comes") << "second request" << QString() << QString();
}

void TestStatusTab::reportFailures()
{
    QFETCH(QString, failure);
    QFETCH(QString, reason);
    QFETCH(QString, oldFile);
    const QByteArray old = "<REPORT/>\n";
    const QString folder = Path(QStringLiteral("reports"));
    QVERIFY(QDir().mkpath(folder));
    const QString oldPath = folder + QStringLiteral("/report.xml");
    {
        QFile file(oldPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    QVERIFY(chmod(QFile::encodeName(dir->path()).constData(), 0755) == 0);
    QVERIFY(chmod(QFile::encodeName(oldPath).constData(), failure == QLatin1String("closed") ? 0444 : 0666) == 0);
    const bool closed = failure.startsWith(QLatin1String("closed")) || failure.endsWith(QLatin1String("folder"));
    QVERIFY(chmod(QFile::encodeName(folder).constData(), closed ? 0555 : 0777) == 0);
    QString path = oldPath;
    if (failure == QLatin1String("full disk"))
        path = QStringLiteral("/dev/full");
    else if (failure == QLatin1String("no folder"))
        path = folder + QStringLiteral("/missing/report.xml");

    // The request goes out on a link (the spy takes it); the log comes in two halves.
    const QList<StatusTab::LogEntry> log = {{"2026/11/30", "10:15:00", "LIGHT FAIL"},
                                            {"2026/12/01", "04:02:13", "LOW VOLTAGE"}};
    QSignalSpy request(tab, &StatusTab::FaultLogRequest);
    QPushButton* button = tab->findChild<QPushButton*>(QStringLiteral("fileNameButton"));
    prompts->saveNames << path;
    button->click();
    QCOMPARE(request.size(), 1);
    tab->OnFaultMessageReceived(log.at(0).date, log.at(0).time, log.at(0).description);
    if (failure == QLatin1String("second request"))
    {
        // A second request now would start a report of the log's tail.
        QVERIFY(!button->isEnabled());
        prompts->saveNames << path;
        QMetaObject::invokeMethod(tab, "OnSelectFile");
        QCOMPARE(request.size(), 1);
    }
    tab->OnFaultMessageReceived(log.at(1).date, log.at(1).time, log.at(1).description);
    {
        Unprivileged identity;
        QVERIFY(identity.ok);
        // Never as the superuser, who could put a file in the place of the device.
        if (failure == QLatin1String("full disk") && faccessat(AT_FDCWD, "/dev", W_OK, AT_EACCESS) == 0)
            QSKIP("/dev can be written");
        KelvaneTest::FileSizeLimit limit(failure.startsWith(QLatin1String("disk fills")) ? 64 : -1);
        tab->OnFaultMessageLogComplete();
    }
    chmod(QFile::encodeName(folder).constData(), 0755);
    QVERIFY(button->isEnabled());

    if (oldFile.isEmpty())
    {
        QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
        QVERIFY(ReadAll(path).contains("LOW VOLTAGE") && ReadAll(path).contains("LIGHT FAIL"));
        QVERIFY(tab->FaultLog().isEmpty());
        QVERIFY(Label("reportLabel")->text().contains(path));
        return;
    }
    // The unit's log is kept, the label stays empty, the user is told.
    QCOMPARE(tab->FaultLog().size(), 2);
    QCOMPARE(Label("reportLabel")->text(), QString());
    QCOMPARE(prompts->shown.size(), 1);
    QVERIFY(prompts->shown.at(0).parentless);
    const Prompts::Message& message = prompts->shown.at(0).message;
    QCOMPARE(message.icon, QMessageBox::Warning);
    QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY2(message.text.contains(oldFile, Qt::CaseInsensitive), qPrintable(message.text));
    if (oldFile == QLatin1String("read only"))
    {
        QCOMPARE(message.title, QStringLiteral("Read only"));
        QCOMPARE(message.text, QStringLiteral("The file is in read only mode"));
    }
    // What the message says of the old file is true.
    if (path == oldPath)
        QCOMPARE(ReadAll(path) == old, oldFile != QLatin1String("lost"));
    if (reason.isEmpty())
        QVERIFY(!message.informativeText.isEmpty());
    else
        QCOMPARE(message.informativeText, reason);
}

KELVANE_TEST_APP_MAIN(TestStatusTab)
#include "tst_StatusTab.moc"
