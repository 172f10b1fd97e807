#include "model/ModelNotifier.h"
#include "model/VdlModel.h"
#include "support/SavedBytes.h"
#include "support/TestMain.h"

#include <QAbstractItemModelTester>

namespace
{

using KelvaneTest::Saved;

// "VDL" as stored: byte count 6, then three UTF-16 code units.
const QByteArray Tag = QByteArray::fromHex("00000006"
                                           "0056"
                                           "0044"
                                           "004c");

class NoticeRecorder
{
public:
    NoticeRecorder()
    {
        previous = ModelNotifier::SetHandler([this](const QString& text) { notices.append(text); });
    }
    ~NoticeRecorder() { ModelNotifier::SetHandler(previous); }
    QStringList notices;

private:
    ModelNotifier::Handler previous;
};

} // namespace

class TestVdlModel : public QObject
{
    Q_OBJECT

private slots:
    void defaults()
    {
        VdlModel record(nullptr);
        QVERIFY(!record.useVdl);
        QCOMPARE(record.sendDelay, 5);
        QCOMPARE(record.responseTimeout, 10);
        QVERIFY(record.targetMMSI.isEmpty());
        QCOMPARE(record.GetFirstMmsi()->GetIndex(), 2);
        QVERIFY(!record.GetFirstMmsi()->IsEnabled());
        QCOMPARE(record.GetSecondMmsi()->GetIndex(), 3);
        QVERIFY(record.GetSecondMmsi()->IsEnabled());
        QCOMPARE(record.GetScheduleTable()->ColumnCount(), 6);
        QCOMPARE(record.GetScheduleTable()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Slot"));
        QVERIFY(record.GetMessageSchedule()->IsReceiver());
        QCOMPARE(record.GetMessageSchedule()->GetEntry(0).messageId, 0);
    }

    void sectionBytes()
    {
        VdlModel record(nullptr);
        record.receiverMode = 1;
        record.receiverHour = 6;
        record.receiverMinute = 30;
        record.receiverInterval = 3600;
        record.receiverDuration = 600;
        const QByteArray expected = Tag + QByteArray::fromHex("00000002"
                                                              "00000001"
                                                              "0000001e"
                                                              "00000006"
                                                              "00000e10"
                                                              "00000258");
        QCOMPARE(Saved(record), expected);

        NoticeRecorder recorder;
        VdlModel back(nullptr);
        QDataStream in(expected);
        back.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(recorder.notices.isEmpty());
        QCOMPARE(back.receiverMode, 1);
        QCOMPARE(back.receiverHour, 6);
        QCOMPARE(back.receiverMinute, 30);
        QCOMPARE(back.receiverInterval, 3600);
        QCOMPARE(back.receiverDuration, 600);
    }

    void sectionVersions_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<int>("mode");
        QTest::newRow("old") << QByteArray::fromHex("00000001") << "VDL info is from an old version" << 2;
        QTest::newRow("zero") << QByteArray::fromHex("00000000") << "VDL info is from an old version" << 2;
        QTest::newRow("newer") << QByteArray::fromHex("00000003")
                               << "VDL info is from a newer version - it will be ignored" << 0;
        QTest::newRow("negative") << QByteArray::fromHex("ffffffff") << "VDL info is from an old version" << 2;
    }

    // Whatever version was read, the record saves the one layout it writes, so the tool can read back
    // every file it wrote.
    void sectionVersions()
    {
        QFETCH(QByteArray, version);
        QFETCH(QString, notice);
        QFETCH(int, mode);
        NoticeRecorder recorder;
        VdlModel record(nullptr);
        record.receiverMode = 1;
        const QByteArray bytes = Tag + version +
                                 QByteArray::fromHex("00000002"
                                                     "0000000f"
                                                     "0000000c"
                                                     "0000003c"
                                                     "0000001e");
        QDataStream in(bytes);
        record.Load(in);
        QCOMPARE(in.status(), QDataStream::Ok);
        QCOMPARE(recorder.notices, QStringList{notice});
        QCOMPARE(record.receiverMode, mode);
        if (mode == 0)
        {
            QCOMPARE(record.receiverHour, 0);
            QCOMPARE(record.receiverInterval, 0);
        }
        else
        {
            QCOMPARE(record.receiverMinute, 15);
            QCOMPARE(record.receiverHour, 12);
        }
        QCOMPARE(Saved(record).mid(10, 4), QByteArray::fromHex("00000002"));
        QCOMPARE(record.GetVersion(), 2);
    }

    void missingSection_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("streamGood");
        QTest::newRow("end of file") << QByteArray() << true;
        QTest::newRow("another text") << QByteArray::fromHex("00000006"
                                                             "0041"
                                                             "0042"
                                                             "0043"
                                                             "00000002")
                                      << true;
        QTest::newRow("null text") << QByteArray::fromHex("ffffffff") << true;
        QTest::newRow("cut tag") << QByteArray::fromHex("00000006"
                                                        "0056")
                                 << false;
    }

    void missingSection()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, streamGood);
        NoticeRecorder recorder;
        VdlModel record(nullptr);
        record.receiverMode = 2;
        record.useVdl = true;
        record.sendDelay = 8;
        QDataStream in(bytes);
        record.Load(in);
        QCOMPARE(in.status() == QDataStream::Ok, streamGood);
        QCOMPARE(recorder.notices, QStringList{QStringLiteral("VDL info not found in file")});
        QCOMPARE(record.receiverMode, 0);
        QVERIFY(!record.useVdl);
        QCOMPARE(record.sendDelay, 8);
    }

    void clearKeepsPageSettings()
    {
        VdlModel record(nullptr);
        record.useVdl = true;
        record.sendDelay = 7;
        record.responseTimeout = 20;
        record.targetMMSI = QStringLiteral("992350001");
        record.afbValues = {1, 2, 3, 4, 5, 6};
        record.AddMmsi(QStringLiteral("992350002"));
        record.AddTableRow(21, 1, 6, 30, 100, 1);
        record.GetFirstMmsi()->SetMMSI(QStringLiteral("992350003"));
        record.receiverDuration = 9;
        record.Clear();
        QVERIFY(!record.useVdl);
        QCOMPARE(record.sendDelay, 7);
        QCOMPARE(record.responseTimeout, 20);
        QCOMPARE(record.targetMMSI, QStringLiteral("992350001"));
        QCOMPARE(record.afbValues, (std::array<int, 6>{}));
        QCOMPARE(record.GetChainingMmsiCount(), 0);
        QCOMPARE(record.GetScheduleTable()->RowCount(), 0);
        QCOMPARE(record.GetScheduleTable()->ColumnCount(), 0); // headers go too
        QCOMPARE(record.GetFirstMmsi()->GetMMSI(), QStringLiteral("000000000"));
        QCOMPARE(record.GetFirstMmsi()->GetIndex(), 2);
        QCOMPARE(record.GetSecondMmsi()->GetIndex(), 3);
        QCOMPARE(record.receiverDuration, 0);
    }

    void chainingList()
    {
        VdlModel record(nullptr);
        record.AddMmsi(QStringLiteral("992350001"));
        record.AddMmsi(QStringLiteral("992350001"));
        record.AddMmsi(QStringLiteral(" 992350001"));
        AtoNMMSI other;
        other.SetMMSI(QStringLiteral("992350002"));
        record.AddMmsiOf(&other);
        record.AddMmsiOf(nullptr);
        QCOMPARE(record.GetChainingMmsiCount(), 3);
        QVERIFY(record.ContainsMmsi(QStringLiteral(" 992350001")));
        QVERIFY(!record.ContainsMmsi(QStringLiteral("99235000")));
        QVERIFY(!(record.GetChainingMmsis()->flags(record.GetChainingMmsis()->index(0, 0)) & Qt::ItemIsEditable));

        std::unique_ptr<AtoNMMSI> row = record.GetMmsiAt(2);
        QCOMPARE(row->GetMMSI(), QStringLiteral("992350002"));
        QCOMPARE(row->GetIndex(), 3);
        QVERIFY(row->IsEnabled());

        QVERIFY(record.AppendMmsiFromRow(0));
        QCOMPARE(record.GetChainingMmsiCount(), 2);
        QCOMPARE(record.GetMmsiCount(), 1);
        std::unique_ptr<AtoNMMSI> removed = record.TakeMmsiAt(0);
        QCOMPARE(removed->GetMMSI(), QStringLiteral("992350001"));
        QCOMPARE(removed->GetIndex(), 3);
        QVERIFY(!removed->IsEnabled());
        QCOMPARE(record.GetMmsiCount(), 0);
    }

    // Rows and entries outside their lists give a default record instead of reading past the end.
    void indexesOutsideTheLists()
    {
        VdlModel record(nullptr);
        record.AddMmsi(QStringLiteral("992350001"));
        for (int i : {-1, 1, 1000})
        {
            std::unique_ptr<AtoNMMSI> row = record.GetMmsiAt(i);
            QVERIFY(row);
            QCOMPARE(row->GetMMSI(), QStringLiteral("000000000"));
            QVERIFY(!row->IsEnabled());
            std::unique_ptr<AtoNMMSI> taken = record.TakeMmsiAt(i);
            QVERIFY(taken);
            QCOMPARE(taken->GetMMSI(), QStringLiteral("000000000"));
            QVERIFY(!record.AppendMmsiFromRow(i));
        }
        QCOMPARE(record.GetChainingMmsiCount(), 1);
        QCOMPARE(record.GetMmsiCount(), 0);
    }

    void assignment()
    {
        VdlModel source(nullptr);
        source.useVdl = true;
        source.sendDelay = 3;
        source.responseTimeout = 30;
        source.furtherText1 = QStringLiteral("a");
        source.furtherText2 = QStringLiteral("b");
        source.targetMMSI = QStringLiteral("992350009");
        source.GetFirstMmsi()->SetMMSI(QStringLiteral("992350010"));
        source.GetSecondMmsi()->SetMMSI(QStringLiteral("992350011"));
        source.afbValues = {21, 1, 6, 30, 100, 2};
        source.AddMmsi(QStringLiteral("992350012"));
        source.AddMmsi(QStringLiteral("992350013"));
        source.AppendMmsiFromRow(1);
        source.GetScheduleTable()->Clear(); // headers lost
        source.AddTableRow(8, 2, 1, 2, 3, 4);
        source.GetMessageSchedule()->DisableEntry(0);
        source.receiverMode = 2;
        source.receiverHour = 23;
        source.receiverMinute = 59;
        source.receiverInterval = 60;
        source.receiverDuration = 30;

        VdlModel target(nullptr);
        target.AddMmsi(QStringLiteral("111111111"));
        target = source;
        QVERIFY(target.useVdl);
        QCOMPARE(target.sendDelay, 3);
        QCOMPARE(target.responseTimeout, 30);
        QCOMPARE(target.furtherText2, QStringLiteral("b"));
        QCOMPARE(target.targetMMSI, QStringLiteral("992350009"));
        QCOMPARE(target.GetFirstMmsi()->GetMMSI(), QStringLiteral("992350010"));
        QCOMPARE(target.GetSecondMmsi()->GetMMSI(), QStringLiteral("992350011"));
        QCOMPARE(target.afbValues, source.afbValues);
        QCOMPARE(target.GetChainingMmsiCount(), 1);
        QCOMPARE(target.GetChainingMmsis()->Text(0, 0), QStringLiteral("992350012"));
        QCOMPARE(target.GetMmsiCount(), 0); // removed MMSIs belong to their job
        QCOMPARE(target.GetScheduleTable()->RowCount(), 1);
        QCOMPARE(target.GetScheduleTable()->Text(0, 5), QStringLiteral("4"));
        QCOMPARE(target.GetScheduleTable()->HorizontalHeaders().size(), 6);
        QVERIFY(!target.GetMessageSchedule()->GetEntry(0).enabled);
        QCOMPARE(target.receiverHour, 23);
        QCOMPARE(target.receiverDuration, 30);

        // Assigned to itself through another name, as a copy loop over a list can do.
        const auto& same = target;
        target = same;
        QCOMPARE(target.GetChainingMmsiCount(), 1);
    }

    void copyItemModelFillsMissingCells()
    {
        VdlItemTable source;
        source.SetHorizontalHeaders({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        source.AppendRow(QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
        source.AppendRow(QList<std::optional<QString>>{QStringLiteral("4"), std::nullopt});
        VdlItemTable destination;
        destination.AppendRow(QStringList{QStringLiteral("old")});
        VdlModel::CopyItemModel(&destination, &source);
        QCOMPARE(destination.RowCount(), 2);
        QCOMPARE(destination.Text(0, 2), QStringLiteral("3"));
        QCOMPARE(destination.Text(1, 0), QStringLiteral("4"));
        QCOMPARE(destination.Text(1, 1), QStringLiteral("oops!"));
        QCOMPARE(destination.Text(1, 2), QStringLiteral("oops!"));
        QVERIFY(destination.HorizontalHeaders().isEmpty());
    }

    // Both tables are item models a view may show: every change keeps Qt's item model rules.
    void tablesKeepItemModelRules()
    {
        VdlModel record(nullptr);
        QAbstractItemModelTester chainingTester(record.GetChainingMmsis(),
                                                QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester scheduleTester(record.GetScheduleTable(),
                                                QAbstractItemModelTester::FailureReportingMode::QtTest);
        record.AddMmsi(QStringLiteral("992350001"));
        record.AddMmsi(QStringLiteral("992350002"));
        record.AddTableRow(21, 1, 6, 30, 100, 1);
        QVERIFY(record.AppendMmsiFromRow(0));
        VdlModel source(nullptr);
        source.AddMmsi(QStringLiteral("992350003"));
        source.GetScheduleTable()->AppendRow(QList<std::optional<QString>>{QStringLiteral("8")});
        source.AddTableRow(8, 2, 0, 0, 0, 2);
        record = source;
        QCOMPARE(record.GetScheduleTable()->RowCount(), 2);
        QCOMPARE(record.GetScheduleTable()->Text(0, 3), QStringLiteral("oops!"));
        record.Clear();
        record.AddTableRow(1, 2, 3, 4, 5, 6);
        VdlModel::SetupTableHeaders(record.GetScheduleTable());
        QCOMPARE(record.GetScheduleTable()->columnCount(), 6);
    }
};

KELVANE_TEST_MAIN(TestVdlModel)
#include "tst_VdlModel.moc"
