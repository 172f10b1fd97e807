// The VDL Control page through its widgets: which requests each target allows, what every request
// button emits and paints, the progress colours, VDL mode, loading, and the replies (message 6 built
// here field by field) applied to the model, with their multi-part sequences and time-outs.

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

#include "MainWindowTestPrompts.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/GuiTestMain.h"
#include "support/SavedBytes.h"
#include "support/SimRemoteAtoN.h"
#include "support/WidgetTestTools.h"
#include "ui/vdl/VdlControlTab.h"

namespace
{
const QString OwnMmsi = QStringLiteral("992351000");
const QString VirtualMmsi = QStringLiteral("002351001"); // leading zeros: a reply names it "2351001"
constexpr quint32 Remote = 992359999;
const QString RemoteMmsi = QString::number(Remote);

using KelvaneTest::Saved;

QString Style(QWidget* w)
{
    return w->styleSheet();
}

// A page over a model whose real AtoN and first virtual AtoN have MMSIs, with "Use VDL connection"
// clicked and a response timeout of one hour (so only the time-out tests see a time-out).
struct Page
{
    Model model;
    VdlControlTab page{&model};
    QSignalSpy requests{&page, &VdlControlTab::SendVDLMessage};
    QSignalSpy reloads{&page, &VdlControlTab::UpdateTabFromVDL};

    explicit Page(const QString& own = OwnMmsi)
    {
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(own);
        model.GetRealAtoN()->GetAtoNMMSI()->SetEnabled(true);
        model.GetVirtualAtoN01()->SetEnabled(true);
        model.GetVirtualAtoN01()->GetAtoNMmsi()->SetMMSI(VirtualMmsi);
        page.UpdateTabFromModel();
        Get<QSpinBox>("spinBoxResponseTimeout")->setValue(3600);
        Get<QCheckBox>("checkBoxUseVdl")->click();
        requests.clear();
    }
    template <typename T> T* Get(const QString& name) const { return KelvaneTest::Child<T>(page, name); }
    QWidget* W(const QString& name) const { return Get<QWidget>(name); }
    QPushButton* B(const QString& name) const { return Get<QPushButton>(name); }
    void Target(const QString& text) { Get<QComboBox>("comboBoxTargetMMSI")->setEditText(text); }
    // Clicks a request button, enabled first when the page would not yet offer it.
    void Ask(const QString& button)
    {
        B(button)->setEnabled(true);
        B(button)->click();
    }
    void Feed(const QBitArray& payload)
    {
        QBitArray message = SimVdl::Message6(Remote, OwnMmsi.toUInt(), payload);
        page.On_Message6Received_Received(&message);
    }
    QList<int> Reloaded() const
    {
        QList<int> tabs;
        for (const QList<QVariant>& call : reloads)
            tabs << call.at(0).toInt();
        return tabs;
    }
    QList<int> Requested() const
    {
        QList<int> ids;
        for (const QList<QVariant>& call : requests)
            ids << int(call.at(0).value<VDL::VdlApplicationID>());
        return ids;
    }
};

// Start slots of the message 6 entries in the real AtoN's schedule, in schedule order.
QList<int> Message6StartSlots(Model& model)
{
    QList<int> found;
    for (int i = 0; i < model.GetMessageSchedule()->Count(); ++i)
    {
        const ScheduleEntry e = model.GetMessageSchedule()->GetEntry(i);
        if (e.messageId == 6 && e.blockA.startSlot > 0)
            found << e.blockA.startSlot;
    }
    return found;
}
} // namespace

class TestVdlControlTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formStartsDisabled();
    void targetRules_data();
    void targetRules();
    void requests_data();
    void requests();
    void aceAcfQueryGoesOutOnlyThroughContinue();
    void progressColoursAndCounts();
    void leavingVdlModeResetsThePage();
    void loadKeepsTheValuesItLoads();
    void replies_data();
    void replies();
    void aidSequence_data();
    void aidSequence();
    void aarSequenceCollectsEverySchedulePart();
    void unrequestedSequenceEndsAtOnce_data();
    void unrequestedSequenceEndsAtOnce();
    void aceAcfPartsInEitherOrder();
    void timeouts_data();
    void timeouts();
    void unreadableMessagesChangeNothing_data();
    void unreadableMessagesChangeNothing();
    void sequenceTheUserDidNotStartSendsNothing();
};

void TestVdlControlTab::initTestCase()
{
    Q_INIT_RESOURCE(kelvane);
    qRegisterMetaType<VDL::VdlApplicationID>();
}

void TestVdlControlTab::formStartsDisabled()
{
    Model model;
    model.GetVdlModel()->useVdl = true;
    VdlControlTab page(&model);
    page.UpdateTabFromModel();
    // Only a click opens the three areas, whatever the model holds.
    for (const char* name : {"groupBox", "groupBox_3", "groupBox_4"})
        QVERIFY(!page.findChild<QGroupBox*>(QLatin1String(name))->isEnabled());
    QCOMPARE(page.findChild<QSpinBox*>(QStringLiteral("spinBoxSendDelay"))->minimum(), 3);
    QCOMPARE(page.findChild<QSpinBox*>(QStringLiteral("spinBoxResponseTimeout"))->minimum(), 0);
}

void TestVdlControlTab::targetRules_data()
{
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("unitItself");
    QTest::addColumn<int>("items");

    // The list starts with the enabled MMSIs: the real AtoN's, then the virtual AtoN's.
    QTest::newRow("own MMSI") << OwnMmsi << OwnMmsi << true << true << 2;
    QTest::newRow("virtual AtoN") << OwnMmsi << VirtualMmsi << true << false << 2;
    QTest::newRow("typed remote is added") << OwnMmsi << RemoteMmsi << true << false << 3;
    QTest::newRow("0 is any other station") << OwnMmsi << QStringLiteral("0") << true << false << 3;
    QTest::newRow("no MMSI") << OwnMmsi << QStringLiteral("000000000") << false << false << 2;
    QTest::newRow("too short") << OwnMmsi << QStringLiteral("99235") << false << false << 2;
    QTest::newRow("unit without MMSI: any target is itself")
        << QStringLiteral("000000000") << RemoteMmsi << true << true << 3;
}

void TestVdlControlTab::targetRules()
{
    QFETCH(QString, own);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(bool, unitItself);
    QFETCH(int, items);

    Page p(own);
    auto* combo = p.Get<QComboBox>("comboBoxTargetMMSI");
    p.Target(typed);
    p.Target(typed); // typing the same text again selects, never adds
    QCOMPARE(combo->count(), items);
    QCOMPARE(!p.W("labelTargetMMSIInvalidMessage")->isHidden(), !accepted);
    QCOMPARE(p.model.GetVdlModel()->targetMMSI, typed);
    QVERIFY(p.page.IsEdited());
    if (accepted)
        QCOMPARE(combo->currentText(), typed);

    const bool own4 = accepted && unitItself;
    const bool groups = accepted && !unitItself;
    for (const char* name :
         {"pushButtonRetryAid", "pushButtonRetryAidQuery", "pushButtonRetryCop", "pushButtonRetryCopQuery"})
        QVERIFY2(p.W(QLatin1String(name))->isEnabledTo(p.W(QLatin1String(name))->parentWidget()) == own4, name);
    if (!unitItself || !accepted)
    {
        for (const char* name :
             {"groupBox_ACE_ACF_Query", "groupBox_ARW_AAR_Query", "groupBox_ACE_ACF", "groupBox_ARW_AAR"})
            QVERIFY2(p.W(QLatin1String(name))->isEnabled() == groups, name);
    }
}

void TestVdlControlTab::requests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("id");
    QTest::addColumn<QStringList>("amber");
    QTest::addColumn<QString>("countText");

    QTest::newRow("AID configuration") << "pushButtonRetryAid" << 0 << QStringList{"widgetAidSent"} << "0";
    QTest::newRow("AID query") << "pushButtonRetryAidQuery" << 1 << QStringList{"widgetAidQuery", "widgetAidResponse"}
                               << "";
    QTest::newRow("ACE/ACF part 1") << "pushButtonRetryAcPt1" << 3 << QStringList{"widgetAc1Sent"} << "";
    QTest::newRow("ACE/ACF part 2") << "pushButtonRetryAcPt2" << 4 << QStringList{"widgetAc2Sent"} << "";
    QTest::newRow("ACE/ACF part 3") << "pushButtonRetryAcPt3" << 5 << QStringList{"widgetAc3Sent"} << "";
    QTest::newRow("ACE/ACF parts 4-6") << "pushButtonRetryAcPt456" << 6
                                       << QStringList{"widgetAc4Sent", "widgetAc5Sent", "widgetAc6Sent"} << "";
    QTest::newRow("AAR configuration") << "pushButtonRetryAar" << 13 << QStringList{"widgetAarSent"} << "0";
    QTest::newRow("AAR query") << "pushButtonRetryAarQuery" << 15 << QStringList{"widgetAarQuery", "widgetAarResponse"}
                               << "";
    QTest::newRow("COP query") << "pushButtonRetryCopQuery" << 19 << QStringList{"widgetCopQuery", "widgetCopResponse"}
                               << "";
    QTest::newRow("COP configuration") << "pushButtonRetryCop" << 35 << QStringList{"widgetCopSent"} << "";
}

void TestVdlControlTab::requests()
{
    QFETCH(QString, button);
    QFETCH(int, id);
    QFETCH(QStringList, amber);
    QFETCH(QString, countText);

    Page p;
    p.Get<QSpinBox>("spinBoxSendDelay")->setValue(4);
    p.Target(RemoteMmsi); // opens the send and query groups
    p.Ask(button);
    QCOMPARE(p.requests.count(), 1);
    QCOMPARE(int(p.requests.at(0).at(0).value<VDL::VdlApplicationID>()), id);
    QCOMPARE(p.requests.at(0).at(1).toInt(), 4);
    for (const QString& name : amber)
        QCOMPARE(Style(p.W(name)), Names::StyleAmber);
    QCOMPARE(p.B(button)->text(), countText);
    if (button.endsWith(QLatin1String("Query")))
    {
        // A query never disables its own button; the other queries wait for its reply.
        QVERIFY(p.B(button)->isEnabled());
        for (const char* other : {"pushButtonRetryAidQuery", "pushButtonRetryCopQuery", "pushButtonRetryAarQuery",
                                  "pushButtonRetryAceAcfQuery"})
        {
            if (button != QLatin1String(other))
                QVERIFY2(!p.B(QLatin1String(other))->isEnabled(), other);
        }
    }
}

void TestVdlControlTab::aceAcfQueryGoesOutOnlyThroughContinue()
{
    TestPrompts* answers = InstallTestPrompts();
    Page p;
    p.Target(RemoteMmsi);

    answers->dialogAnswer = TestPrompts::DialogAnswer::Cancel;
    p.B("pushButtonRetryAceAcfQuery")->click();
    QCOMPARE(answers->dialogs, QStringList{QStringLiteral("cVdlAceAcfRequestWarning")});
    QCOMPARE(p.requests.count(), 0);
    QCOMPARE(Style(p.W("widgetAceAcfQuery")), Names::StyleBlue);

    answers->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    p.B("pushButtonRetryAceAcfQuery")->click();
    QCOMPARE(p.Requested(), QList<int>{9});
    for (const char* name : {"widgetAceAcfQuery", "widgetAceAcfResponsePt1", "widgetAceAcfResponsePt2"})
        QCOMPARE(Style(p.W(QLatin1String(name))), Names::StyleAmber);
    Prompts::Install(nullptr);
}

void TestVdlControlTab::progressColoursAndCounts()
{
    Page p;
    p.Target(RemoteMmsi);
    // Parts 4 to 6 go out as one step of three frames, each reported under its own identifier.
    p.B("pushButtonRetryAcPt456")->click();
    p.page.OnVDLMessageSent(6, 1);
    QCOMPARE(Style(p.W("widgetAc4Sent")), Names::StyleGreen);
    QCOMPARE(Style(p.W("widgetAc5Sent")), Names::StyleAmber);
    p.page.OnVDLMessageSent(7, 1);
    p.page.OnVDLMessageSent(8, 1);
    QCOMPARE(Style(p.W("widgetAc6Sent")), Names::StyleGreen);

    // The AID configuration counts its frames and, once sent, opens every query.
    p.Ask("pushButtonRetryAid");
    QVERIFY(!p.B("pushButtonRetryCopQuery")->isEnabled());
    p.page.OnVDLMessageSending(0, 1);
    QCOMPARE(p.B("pushButtonRetryAid")->text(), QStringLiteral("1"));
    QCOMPARE(Style(p.W("widgetAidSent")), Names::StyleAmber);
    p.page.OnVDLMessageSent(0, 2);
    QCOMPARE(p.B("pushButtonRetryAid")->text(), QStringLiteral("2"));
    QCOMPARE(Style(p.W("widgetAidSent")), Names::StyleGreen);
    QVERIFY(p.B("pushButtonRetryCopQuery")->isEnabled());
    QVERIFY(p.W("groupBox_ARW_AAR")->isEnabled());

    // The AAR configuration counts every frame from 0.
    p.B("pushButtonRetryAar")->click();
    p.page.OnVDLMessageSending(13, 1);
    p.page.OnVDLMessageSending(13, 2);
    p.page.OnVDLMessageSent(13, 3);
    QCOMPARE(p.B("pushButtonRetryAar")->text(), QStringLiteral("3"));
    QCOMPARE(Style(p.W("widgetAarSent")), Names::StyleGreen);

    // Identifiers the page does not show change nothing.
    const auto shown = [&p]
    {
        QStringList state;
        for (const QWidget* widget : p.page.findChildren<QWidget*>())
        {
            const auto* button = qobject_cast<const QPushButton*>(widget);
            state << widget->objectName() + QLatin1Char(' ') + widget->styleSheet() + QLatin1Char(' ') +
                         (button ? button->text() : QString()) + QLatin1Char(' ') +
                         QString::number(widget->isEnabled());
        }
        return state;
    };
    const QStringList before = shown();
    p.page.OnVDLMessageSending(2, 1);
    p.page.OnVDLMessageSent(2, 1);
    p.page.OnVDLMessageSending(99, 1);
    p.page.OnVDLMessageSent(99, 1);
    QCOMPARE(shown(), before);
}

void TestVdlControlTab::leavingVdlModeResetsThePage()
{
    Page p;
    QSignalSpy modes(&p.page, &VdlControlTab::ToggleVDLMode);
    p.Target(RemoteMmsi);
    p.B("pushButtonRetryAar")->click();
    p.page.OnVDLMessageSent(13, 1);
    p.Ask("pushButtonRetryCopQuery");

    p.Get<QCheckBox>("checkBoxUseVdl")->click();
    QCOMPARE(modes.count(), 1);
    QCOMPARE(modes.at(0).at(0).toBool(), false);
    QVERIFY(!p.model.GetVdlModel()->useVdl);
    for (const char* name : {"widgetAarSent", "widgetCopQuery", "widgetCopResponse"})
        QCOMPARE(Style(p.W(QLatin1String(name))), Names::StyleBlue);
    QCOMPARE(p.B("pushButtonRetryAar")->text(), QString());
    QCOMPARE(p.Get<QComboBox>("comboBoxTargetMMSI")->count(), 0);
    for (const char* name : {"groupBox_ACE_ACF_Query", "groupBox_ARW_AAR_Query", "groupBox_ACE_ACF", "groupBox_ARW_AAR",
                             "groupBox", "groupBox_3", "groupBox_4"})
        QVERIFY2(!p.W(QLatin1String(name))->isEnabled(), name);
}

void TestVdlControlTab::loadKeepsTheValuesItLoads()
{
    Model model;
    model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(OwnMmsi);
    model.GetRealAtoN()->GetAtoNMMSI()->SetEnabled(true);
    VdlControlTab page(&model);
    QSignalSpy modes(&page, &VdlControlTab::ToggleVDLMode);
    QSignalSpy edits(&page, &AtoNConfiguration::Edited);

    Model source;
    VdlModel* vdl = source.GetVdlModel();
    vdl->useVdl = true;
    vdl->targetMMSI = OwnMmsi;
    vdl->sendDelay = 8;
    vdl->responseTimeout = 20;
    QVERIFY(page.UpdateTabFromModel(&source));

    QCOMPARE(model.GetVdlModel()->useVdl, true);
    QCOMPARE(model.GetVdlModel()->targetMMSI, OwnMmsi);
    QCOMPARE(model.GetVdlModel()->sendDelay, 8);
    QCOMPARE(model.GetVdlModel()->responseTimeout, 20);
    QCOMPARE(page.findChild<QComboBox*>(QStringLiteral("comboBoxTargetMMSI"))->currentText(), OwnMmsi);
    QCOMPARE(page.findChild<QSpinBox*>(QStringLiteral("spinBoxSendDelay"))->value(), 8);
    QCOMPARE(modes.count(), 1); // the window follows the loaded mode
    QCOMPARE(edits.count(), 0);
    QVERIFY(!page.IsEdited());

    // A target the list does not hold selects nothing.
    vdl->targetMMSI = RemoteMmsi;
    page.UpdateTabFromModel(&source);
    QCOMPARE(page.findChild<QComboBox*>(QStringLiteral("comboBoxTargetMMSI"))->currentIndex(), -1);
    QCOMPARE(modes.count(), 1);

    // A load out of VDL mode (New, Open, another port) after a click into it leaves no remote request
    // reachable.
    page.findChild<QCheckBox*>(QStringLiteral("checkBoxUseVdl"))->click();
    page.findChild<QCheckBox*>(QStringLiteral("checkBoxUseVdl"))->click();
    QVERIFY(page.findChild<QWidget*>(QStringLiteral("groupBox_4"))->isEnabled());
    QCOMPARE(modes.count(), 3);
    vdl->useVdl = false;
    page.UpdateTabFromModel(&source);
    QCOMPARE(modes.count(), 4);
    for (const char* name : {"groupBox", "groupBox_3", "groupBox_4"})
        QVERIFY2(!page.findChild<QWidget*>(QLatin1String(name))->isEnabled(), name);
}

void TestVdlControlTab::replies_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QBitArray>("reply");
    QTest::addColumn<QList<int>>("reloaded");
    QTest::addColumn<QStringList>("green");

    QTest::newRow("AID") << "pushButtonRetryAidQuery" << SimVdl::AidReplyFrame(Remote, 1, 992357777, 1, 0, 0)
                         << QList<int>{0, 2} << QStringList{"widgetAidResponse"};
    QTest::newRow("ACE/ACF part 1") << ""
                                    << SimVdl::AceReplyPart1Frame(Remote, 150, 30 * 600000 + 6000, -(5 * 600000), true,
                                                                  1)
                                    << QList<int>{0, 2} << QStringList{"widgetAceAcfResponsePt1"};
    QTest::newRow("ACE/ACF part 2") << "" << SimVdl::AceReplyPart2Frame(Remote, true, 2087, 2088) << QList<int>{0, 2}
                                    << QStringList{"widgetAceAcfResponsePt2"};
    QTest::newRow("AAR") << "pushButtonRetryAarQuery"
                         << SimVdl::AarReplyFrame(Remote, 0, 6, 1, 1, 0, 0, 300, 2250, true) << QList<int>{1, 2}
                         << QStringList{"widgetAarResponse"};
    QTest::newRow("COP") << "pushButtonRetryCopQuery" << SimVdl::CopReplyFrame(Remote, 1, 7, 45, 60, 10)
                         << QList<int>{6} << QStringList{"widgetCopResponse"};
}

void TestVdlControlTab::replies()
{
    QFETCH(QString, query);
    QFETCH(QBitArray, reply);
    QFETCH(QList<int>, reloaded);
    QFETCH(QStringList, green);

    Page p;
    p.Target(RemoteMmsi);
    if (!query.isEmpty())
        p.Ask(query);
    p.Feed(reply);
    QCOMPARE(p.Reloaded(), reloaded);
    for (const QString& name : green)
        QCOMPARE(Style(p.W(name)), Names::StyleGreen);

    const AtoN* real = p.model.GetRealAtoN();
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    if (tag == QLatin1String("AID"))
    {
        // Kind 1: a virtual AtoN MMSI, taken by the first virtual AtoN not in use.
        QCOMPARE(p.model.GetVirtualAtoN02()->GetAtoNMmsi()->GetMMSI(), QStringLiteral("992357777"));
        QCOMPARE(Style(p.W("widgetAidQuery")), Names::StyleBlue);
        QVERIFY(p.B("pushButtonRetryCopQuery")->isEnabled());
    }
    else if (tag == QLatin1String("ACE/ACF part 1"))
    {
        QCOMPARE(real->GetOffPositionThreshold(), 150);
        QCOMPARE(real->GetPosition()->GetLatitude(), 30.01);
        QCOMPARE(real->GetPosition()->GetLongitude(), -5.0);
        QCOMPARE(real->GetSyncLossBehaviour(), 1);
        QCOMPARE(real->GetPowerLevel(), 1);
    }
    else if (tag == QLatin1String("ACE/ACF part 2"))
    {
        QCOMPARE(real->GetOffPositionCheck(), 1);
        QCOMPARE(real->GetChannel1(), 2087);
        QCOMPARE(real->GetChannel2(), 2088);
    }
    else if (tag == QLatin1String("AAR"))
    {
        // A count of 0 is the whole schedule: it replaces the real AtoN's at once.
        QVERIFY(Message6StartSlots(p.model).contains(300));
        QCOMPARE(p.B("pushButtonRetryAarQuery")->text(), QStringLiteral("0"));
    }
    else if (tag == QLatin1String("COP"))
    {
        const VdlModel* vdl = p.model.GetVdlModel();
        QCOMPARE(vdl->receiverMode, 1);
        QCOMPARE(vdl->receiverHour, 7);
        QCOMPARE(vdl->receiverMinute, 45);
        QCOMPARE(vdl->receiverInterval, 3600);
        QCOMPARE(vdl->receiverDuration, 600);
        QCOMPARE(Style(p.W("widgetCopQuery")), Names::StyleBlue);
    }
    QCOMPARE(p.requests.count(), query.isEmpty() ? 0 : 1); // nothing further was asked
}

void TestVdlControlTab::aidSequence_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("replies");

    QTest::newRow("0 MMSIs") << 0 << 1;
    QTest::newRow("1 MMSI") << 1 << 1;
    QTest::newRow("2 MMSIs") << 2 << 2;
    QTest::newRow("4 MMSIs") << 4 << 3;
    QTest::newRow("5 MMSIs") << 5 << 3;
}

void TestVdlControlTab::aidSequence()
{
    QFETCH(int, count);
    QFETCH(int, replies);

    Page p;
    p.Target(OwnMmsi);
    p.B("pushButtonRetryAidQuery")->click();
    for (int r = 1; r <= replies; ++r)
    {
        QVERIFY(p.Reloaded().isEmpty());
        p.Feed(SimVdl::AidReplyFrame(Remote, count, 992350000 + r, 3, 0, 0));
        // Every part but the last asks for the next one at once.
        QCOMPARE(p.requests.count(), r < replies ? r + 1 : replies);
    }
    QCOMPARE(p.Reloaded(), (QList<int>{0, 2}));
    QCOMPARE(p.B("pushButtonRetryAidQuery")->text(), QStringLiteral("0"));
    QVERIFY(p.B("pushButtonRetryAarQuery")->isEnabled());
    QVERIFY(p.W("groupBox_ARW_AAR_Query")->isEnabled());
    // Kind 3: every reported MMSI joined the chaining list.
    QCOMPARE(p.model.GetVdlModel()->GetChainingMmsiCount(), replies);
}

void TestVdlControlTab::aarSequenceCollectsEverySchedulePart()
{
    Page p;
    p.Target(RemoteMmsi);
    p.B("pushButtonRetryAarQuery")->click();
    // Three message 6 entries of the real AtoN (the reply's station is no virtual AtoN).
    for (int index = 1; index <= 3; ++index)
    {
        QVERIFY(p.Reloaded().isEmpty());
        p.Feed(SimVdl::AarReplyFrame(Remote, 2, 6, index, 1, 0, 0, 100 * index, 2250, true));
        QCOMPARE(p.B("pushButtonRetryAarQuery")->text(), QString::number(qMax(0, 2 - index)));
    }
    QCOMPARE(p.Requested(), (QList<int>{15, 15, 15}));
    QCOMPARE(p.Reloaded(), (QList<int>{1, 2}));
    QCOMPARE(Message6StartSlots(p.model), (QList<int>{100, 200, 300}));

    // The schedule of a virtual AtoN, whose MMSI the reply gives without leading zeros.
    p.reloads.clear();
    p.B("pushButtonRetryAarQuery")->click();
    p.Feed(SimVdl::AarReplyFrame(VirtualMmsi.toUInt(), 0, 21, 1, 1, 0, 0, 777, 6750, true));
    QCOMPARE(p.Reloaded(), (QList<int>{1, 2}));
    QCOMPARE(p.model.GetVirtualAtoN01()->GetMessageSchedule()->GetEntry(0).blockA.startSlot, 777);
}

// A multi-part reply nobody here asked for: no further part will be asked for, so the sequence ends at
// once, leaving no count of parts still to come. The MMSIs are applied and reloaded; a schedule only
// when the reply is its last part, as an earlier part alone is not the AtoN's whole schedule.
void TestVdlControlTab::unrequestedSequenceEndsAtOnce_data()
{
    QTest::addColumn<QBitArray>("reply");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("reloaded");
    // When not empty: the user's query of that kind, ended by this reply before the one above comes.
    QTest::addColumn<QBitArray>("ended");

    QTest::newRow("AID of 2 MMSIs") << SimVdl::AidReplyFrame(Remote, 2, 992357777, 3, 992357778, 3)
                                    << "pushButtonRetryAidQuery" << QList<int>{0, 2} << QBitArray();
    QTest::newRow("AID of 5 MMSIs") << SimVdl::AidReplyFrame(Remote, 5, 992357777, 3, 992357778, 3)
                                    << "pushButtonRetryAidQuery" << QList<int>{0, 2} << QBitArray();
    const QBitArray aar = SimVdl::AarReplyFrame(Remote, 3, 6, 1, 1, 0, 0, 300, 2250, true);
    QTest::newRow("AAR of 4 parts") << aar << "pushButtonRetryAarQuery" << QList<int>{} << QBitArray();
    QTest::newRow("AAR of 4 parts after a query ended")
        << aar << "pushButtonRetryAarQuery" << QList<int>{}
        << SimVdl::AarReplyFrame(Remote, 0, 21, 1, 1, 0, 0, 0, 2250, true);
    QTest::newRow("AAR of 2 parts") << SimVdl::AarReplyFrame(Remote, 1, 6, 1, 1, 0, 0, 300, 2250, true)
                                    << "pushButtonRetryAarQuery" << QList<int>{} << QBitArray();
    QTest::newRow("AAR, last part") << SimVdl::AarReplyFrame(Remote, 0, 6, 1, 1, 0, 0, 300, 2250, true)
                                    << "pushButtonRetryAarQuery" << QList<int>{1, 2} << QBitArray();
}

void TestVdlControlTab::unrequestedSequenceEndsAtOnce()
{
    QFETCH(QBitArray, reply);
    QFETCH(QString, query);
    QFETCH(QList<int>, reloaded);
    QFETCH(QBitArray, ended);

    Page p;
    p.Target(RemoteMmsi);
    if (!ended.isEmpty())
    {
        p.B(query)->click();
        p.Feed(ended);
        p.requests.clear();
        p.reloads.clear();
    }
    p.Feed(reply);
    QCOMPARE(p.Reloaded(), reloaded);
    QCOMPARE(p.B(query)->text(), QStringLiteral("0"));
    QVERIFY(p.requests.isEmpty());
    const QByteArray applied = Saved(p.model);
    if (query == QLatin1String("pushButtonRetryAarQuery"))
    {
        // What was reloaded is what the model holds: the reply's entry is in the real AtoN's schedule
        // exactly when the tabs were reloaded.
        QCOMPARE(Message6StartSlots(p.model).contains(300), !reloaded.isEmpty());
    }
    else
    {
        QCOMPARE(p.model.GetVdlModel()->GetChainingMmsiCount(), 2);
    }

    // The same reply again is applied and reloaded again, on its own.
    p.reloads.clear();
    p.Feed(reply);
    QCOMPARE(p.Reloaded(), reloaded);
    QCOMPARE(Saved(p.model), applied);
    QVERIFY(p.requests.isEmpty());
}

void TestVdlControlTab::aceAcfPartsInEitherOrder()
{
    InstallTestPrompts()->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    Page p;
    p.Target(RemoteMmsi);
    p.B("pushButtonRetryAceAcfQuery")->click();
    Prompts::Install(nullptr);

    p.Feed(SimVdl::AceReplyPart2Frame(Remote, false, 2087, 2088));
    QCOMPARE(Style(p.W("widgetAceAcfResponsePt2")), Names::StyleGreen);
    QCOMPARE(Style(p.W("widgetAceAcfResponsePt1")), Names::StyleAmber);
    QCOMPARE(Style(p.W("widgetAceAcfQuery")), Names::StyleAmber);
    QVERIFY(p.B("pushButtonRetryAarQuery")->isEnabled());
    p.Feed(SimVdl::AceReplyPart1Frame(Remote, 10, 0, 0, false, 0));
    QCOMPARE(Style(p.W("widgetAceAcfResponsePt1")), Names::StyleGreen);
    QCOMPARE(Style(p.W("widgetAceAcfQuery")), Names::StyleBlue);
    QCOMPARE(p.Reloaded(), (QList<int>{0, 2, 0, 2}));
}

void TestVdlControlTab::timeouts_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("red");
    // Every one comes after its time-out; all but the last ask for a further part.
    QTest::addColumn<QList<QBitArray>>("lateReplies");
    // Milliseconds each reply timer of the query runs per second of response time-out.
    QTest::addColumn<int>("msPerSecond");
    // Start slots of the message 6 entries the real AtoN's schedule holds at the end.
    QTest::addColumn<QList<int>>("schedule");

    QTest::newRow("AID") << "pushButtonRetryAidQuery" << QStringList{"widgetAidResponse"}
                         << QList<QBitArray>{SimVdl::AidReplyFrame(Remote, 1, 0, 0, 0, 0)} << 1000 << QList<int>{};
    const auto aid4 = [](quint32 first) { return SimVdl::AidReplyFrame(Remote, 4, first, 3, first + 1, 3); };
    QTest::newRow("AID of 4 MMSIs") << "pushButtonRetryAidQuery" << QStringList{"widgetAidResponse"}
                                    << QList<QBitArray>{aid4(992357771), aid4(992357773), aid4(992357775)} << 1000
                                    << QList<int>{};
    QTest::newRow("AAR") << "pushButtonRetryAarQuery" << QStringList{"widgetAarResponse"}
                         << QList<QBitArray>{SimVdl::AarReplyFrame(Remote, 0, 21, 1, 1, 0, 0, 0, 2250, true)} << 1000
                         << QList<int>{};
    const auto aar3 = [](int index)
    { return SimVdl::AarReplyFrame(Remote, 2, 6, index, 1, 0, 0, 100 * index, 2250, true); };
    QTest::newRow("AAR of 3 entries") << "pushButtonRetryAarQuery" << QStringList{"widgetAarResponse"}
                                      << QList<QBitArray>{aar3(1), aar3(2), aar3(3)} << 1000
                                      << QList<int>{100, 200, 300};
    QTest::newRow("ACE/ACF") << "" << QStringList{"widgetAceAcfResponsePt1", "widgetAceAcfResponsePt2"}
                             << QList<QBitArray>{SimVdl::AceReplyPart1Frame(Remote, 0, 0, 0, false, 0)} << 2000
                             << QList<int>{};
    QTest::newRow("COP") << "pushButtonRetryCopQuery" << QStringList{"widgetCopResponse"}
                         << QList<QBitArray>{SimVdl::CopReplyFrame(Remote, 0, 0, 0, 0, 0)} << 1000 << QList<int>{};
}

void TestVdlControlTab::timeouts()
{
    QFETCH(QString, query);
    QFETCH(QStringList, red);
    QFETCH(QList<QBitArray>, lateReplies);
    QFETCH(int, msPerSecond);
    QFETCH(QList<int>, schedule);

    const auto ask = [&query](Page& p, int seconds)
    {
        p.Target(RemoteMmsi);
        p.Get<QSpinBox>("spinBoxResponseTimeout")->setValue(seconds);
        if (query.isEmpty())
            p.page.OnAceAcfQueryRequested();
        else
            p.Ask(query);
    };
    {
        // With a real time-out every indicator's timer runs the whole of it: one that ran short would
        // turn its indicator red while the reply may still be on its way.
        Page timed;
        ask(timed, 3);
        QList<int> running;
        for (const QTimer* timer : timed.page.findChildren<QTimer*>())
            if (timer->isActive())
                running << timer->interval();
        QCOMPARE(running, QList<int>(red.size(), 3 * msPerSecond));
    }

    Page p;
    ask(p, 0);
    for (const QString& name : red)
        QTRY_COMPARE(Style(p.W(name)), Names::StyleRed);
    // The query stays amber; a reply that still comes carries its sequence on as one in time would:
    // each further part is asked for (amber again), and nothing is applied or reloaded before the
    // last, which turns the first part green.
    const int n = int(lateReplies.size());
    for (int r = 0; r < n; ++r)
    {
        QTRY_COMPARE(Style(p.W(red.first())), Names::StyleRed);
        QVERIFY(p.reloads.isEmpty());
        p.Feed(lateReplies.at(r));
        QCOMPARE(Style(p.W(red.first())), r + 1 < n ? Names::StyleAmber : Names::StyleGreen);
        QCOMPARE(p.requests.count(), qMin(r + 2, n));
        if (n > 1)
            QCOMPARE(p.B(query)->text(), QString::number(qMax(0, n - 2 - r)));
    }
    QVERIFY(!p.reloads.isEmpty());
    if (!schedule.isEmpty())
        QCOMPARE(Message6StartSlots(p.model), schedule);
}

void TestVdlControlTab::unreadableMessagesChangeNothing_data()
{
    QTest::addColumn<QBitArray>("payload");

    QTest::newRow("no application data") << QBitArray(0);
    QTest::newRow("one bit") << QBitArray(1);
    QTest::newRow("15 bits") << QBitArray(15);
    QBitArray shortCop = SimVdl::CopReplyFrame(Remote, 1, 7, 45, 60, 10);
    shortCop.resize(100);
    QTest::newRow("COP reply cut short") << shortCop;
    QBitArray shortAid = SimVdl::AidReplyFrame(Remote, 4, 992357777, 0, 0, 0);
    shortAid.resize(127);
    QTest::newRow("AID reply one bit short") << shortAid;
    int at = 0;
    QBitArray otherFi = SimVdl::Frame(12, Remote, at);
    QTest::newRow("FI not a reply") << otherFi;
    QBitArray otherDac = SimVdl::CopReplyFrame(Remote, 1, 7, 45, 60, 10);
    at = 0;
    SimVdl::Put(otherDac, at, 10, 991);
    QTest::newRow("another DAC") << otherDac;
}

void TestVdlControlTab::unreadableMessagesChangeNothing()
{
    QFETCH(QBitArray, payload);

    Page p;
    p.Target(RemoteMmsi);
    for (const char* query : {"pushButtonRetryCopQuery", "pushButtonRetryAidQuery"})
        p.Ask(QLatin1String(query));
    p.requests.clear();
    const QByteArray before = Saved(p.model);
    p.Feed(payload);
    QBitArray tiny(5);
    p.page.On_Message6Received_Received(&tiny);
    p.page.On_Message6Received_Received(nullptr);
    QCOMPARE(Saved(p.model), before);
    QVERIFY(p.reloads.isEmpty());
    QVERIFY(p.requests.isEmpty());
    QCOMPARE(Style(p.W("widgetCopResponse")), Names::StyleAmber);
    QCOMPARE(Style(p.W("widgetAidResponse")), Names::StyleAmber);
    QVERIFY(!p.B("pushButtonRetryAarQuery")->isEnabled());
}

void TestVdlControlTab::sequenceTheUserDidNotStartSendsNothing()
{
    Page p;
    p.Target(RemoteMmsi);
    // Replies that another station asked for: applied, but the tool never transmits on its own.
    p.Feed(SimVdl::AidReplyFrame(Remote, 5, 992357777, 3, 0, 0));
    p.Feed(SimVdl::AarReplyFrame(Remote, 3, 6, 1, 1, 0, 0, 300, 2250, true));
    QVERIFY(p.requests.isEmpty());
    QCOMPARE(p.model.GetVdlModel()->GetChainingMmsiCount(), 1);
    QCOMPARE(p.model.GetReceivedSchedule().size(), 1);
}

KELVANE_TEST_GUI_MAIN(TestVdlControlTab)
#include "tst_VdlControlTab.moc"
