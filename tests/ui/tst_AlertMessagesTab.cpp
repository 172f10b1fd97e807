// The Alert Messages tab offscreen, through its widgets: the form, load and store, the actions, the text
// limits of messages 12 and 14 with their warning icons, the radius, and what a load shows.

#include <QBuffer>
#include <QDataStream>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "model/AlertMessagesModel.h"
#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "support/SavedBytes.h"
#include "support/WidgetTestTools.h"
#include "ui/settings/AlertMessagesTab.h"

namespace
{

using KelvaneTest::Saved;

const QString NoEditing = QStringLiteral("Message editing not allowed for the currently selected option");
QString MaxTip(int n)
{
    return QStringLiteral("Maximum number of characters allowed is %1").arg(n);
}

// The widgets of one alert group.
struct Group
{
    const char* edit;
    const char* noData;
    const char* tooLong; // null: the group has none
};
const Group Biit{"BITFailureActionsMessageTextLineEdit", "labelNoBIITData", "labelBITFailureWarning"};
const Group OffPosition{"offPositionTextAlertMessageTextLineEdit", "labelNoOffPositionData", "labelOffPositionWarning"};
const Group Proximity{"vesselProximityAlertMessageTextLineEdit", "labelNoVesselProximityData", nullptr};

Group GroupOf(const QString& radio)
{
    if (radio.contains(QLatin1String("Index1")))
        return Biit;
    if (radio.contains(QLatin1String("Index3")))
        return OffPosition;
    return Proximity;
}

} // namespace

class TestAlertMessagesTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Q_INIT_RESOURCE(kelvane); }
    void init();
    void cleanup();

    void formTexts_data();
    void formTexts();
    void loadShowsTheRecordAndStoreGivesItBack();
    void actionsAndTheirTexts_data();
    void actionsAndTheirTexts();
    void textLimits_data();
    void textLimits();
    void aShorterLimitStoresTheTextItCuts();
    void noActionKeepsTheText();
    void radius();
    void loadEvaluatesTheGroupsAgain();

private:
    template <typename T> T* W(const char* name) const { return KelvaneTest::Child<T>(tab, name); }
    bool Visible(const char* label) const { return label && !W<QLabel>(label)->isHidden(); }
    static void Type(QLineEdit* edit, const QString& text) { KelvaneTest::Type(edit, text); }
    AlertMessagesModel* Record() const { return model->GetAlertMessages(); }

    Model* model = nullptr;
    AlertMessagesTab* tab = nullptr;
};

void TestAlertMessagesTab::init()
{
    model = new Model();
    tab = new AlertMessagesTab(model);
    tab->UpdateTabFromModel();
}

void TestAlertMessagesTab::cleanup()
{
    delete tab;
    delete model;
}

void TestAlertMessagesTab::formTexts_data()
{
    KelvaneTest::FormTextColumns();
    const QString none;
    const QString noData = QStringLiteral("No message content.  Message will not be sent.");
    const QString tooLong = QStringLiteral("Warning: Message text is too long");
    const auto row = &KelvaneTest::FormTextRow;
    row("BITFailureActionsGroupBox", "BIIT Failure Actions", none);
    row("noActionIndex1RadioButton", "No Action", none);
    row("transmitMessage14Index1RadioButton", "Transmit message 14", none);
    row("transmitMessage12Index1RadioButton", "Transmit message 12", none);
    row("BITFailureActionsMessageTextLabel", "Message text:", none);
    row("labelNoBIITData", none, noData);
    row("labelBITFailureWarning", none, tooLong);
    row("offPositionTextAlert", "Off Position Text Alert", none);
    row("disabledIndex3RadioButton", "Disabled", none);
    row("labelNoOffPositionData", none, noData);
    row("labelOffPositionWarning", none, tooLong);
    row("vesselProximityAlertGroupBox", "Vessel Proximity Alert", none);
    row("disableMessage12Index2RadioButton", "Disable Message 12", none);
    row("enableMessage12Index2RadioButton", "Enable Message 12", none);
    row("labelNoVesselProximityData", none, noData);
    row("vesselProximityAlertRadiusLabel", "Radius:", none);
}

void TestAlertMessagesTab::formTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QWidget* w = tab->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(KelvaneTest::ShownText(w), text);
    QCOMPARE(w->toolTip(), toolTip);
    if (!toolTip.isEmpty())
    {
        // The warning icons: hidden until a check raises them.
        QVERIFY(!qobject_cast<QLabel*>(w)->pixmap().isNull());
        QVERIFY(w->isHidden());
    }
}

void TestAlertMessagesTab::loadShowsTheRecordAndStoreGivesItBack()
{
    Model source;
    AlertMessagesModel* r = source.GetAlertMessages();
    r->SetBiitAction(2);
    r->SetProximityAction(1);
    r->SetOffPositionAction(1);
    r->SetBiitText(QStringLiteral("LIGHT FAILURE, CALL 01234"));
    r->SetProximityText(QStringLiteral("KEEP CLEAR"));
    r->SetOffPositionText(QStringLiteral("BUOY ADRIFT"));
    r->SetProximityRadius(1250);
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);
    QVERIFY(tab->UpdateTabFromModel(&source));

    QVERIFY(W<QRadioButton>("transmitMessage14Index1RadioButton")->isChecked());
    QVERIFY(W<QRadioButton>("enableMessage12Index2RadioButton")->isChecked());
    QVERIFY(W<QRadioButton>("transmitMessage12Index3RadioButton")->isChecked());
    QCOMPARE(W<QLineEdit>(Biit.edit)->text(), r->GetBiitText());
    QCOMPARE(W<QLineEdit>(Proximity.edit)->text(), r->GetProximityText());
    QCOMPARE(W<QLineEdit>(OffPosition.edit)->text(), r->GetOffPositionText());
    QCOMPARE(W<QSpinBox>("vesselProximityAlertRadiusSpinBox")->value(), 1250);
    // The form's own connections enable what the chosen actions let the user edit.
    QVERIFY(W<QLineEdit>(Biit.edit)->isEnabled());
    QVERIFY(W<QSpinBox>("vesselProximityAlertRadiusSpinBox")->isEnabled());

    Model target;
    QVERIFY(tab->UpdateModelFromTab(&target));
    QCOMPARE(Saved(*target.GetAlertMessages()), Saved(*r));
    QCOMPARE(Saved(*Record()), Saved(*r));
    QVERIFY(!tab->IsEdited());
    QCOMPARE(edited.size(), 0);

    // An action outside the list leaves the group's choice on screen.
    r->SetBiitAction(7);
    tab->UpdateTabFromModel(&source);
    QVERIFY(W<QRadioButton>("transmitMessage14Index1RadioButton")->isChecked());
    QCOMPARE(Record()->GetBiitAction(), 7);
}

void TestAlertMessagesTab::actionsAndTheirTexts_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<int>("biit");
    QTest::addColumn<int>("proximity");
    QTest::addColumn<int>("offPosition");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<int>("maxLength");

    QTest::newRow("BIIT message 12") << "transmitMessage12Index1RadioButton" << 1 << 0 << 0 << MaxTip(41) << 45;
    QTest::newRow("BIIT message 14") << "transmitMessage14Index1RadioButton" << 2 << 0 << 0 << MaxTip(45) << 45;
    QTest::newRow("proximity message 12") << "enableMessage12Index2RadioButton" << 0 << 1 << 0 << MaxTip(41) << 41;
    QTest::newRow("off position message 12") << "transmitMessage12Index3RadioButton" << 0 << 0 << 1 << MaxTip(41) << 45;
    QTest::newRow("off position message 14") << "transmitMessage14Index3RadioButton" << 0 << 0 << 2 << MaxTip(45) << 45;
}

void TestAlertMessagesTab::actionsAndTheirTexts()
{
    QFETCH(QString, radio);
    QFETCH(int, biit);
    QFETCH(int, proximity);
    QFETCH(int, offPosition);
    QFETCH(QString, toolTip);
    QFETCH(int, maxLength);
    const Group group = GroupOf(radio);
    auto* edit = W<QLineEdit>(group.edit);
    QVERIFY(!edit->isEnabled());
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);

    W<QRadioButton>(qPrintable(radio))->click();
    QCOMPARE(Record()->GetBiitAction(), biit);
    QCOMPARE(Record()->GetProximityAction(), proximity);
    QCOMPARE(Record()->GetOffPositionAction(), offPosition);
    QCOMPARE(edited.size(), 1);
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->toolTip(), toolTip);
    QCOMPARE(edit->maxLength(), maxLength);
    // The text is still empty: the unit would send nothing, and the icon says so.
    QVERIFY(Visible(group.noData));
    QVERIFY(!Visible(group.tooLong));
    if (proximity)
        QCOMPARE(W<QSpinBox>("vesselProximityAlertRadiusSpinBox")->toolTip(),
                 QStringLiteral("Valid range is 0 to 30km in 10m steps"));

    // Typing hides the icon; a checked button clicked again says nothing.
    Type(edit, QStringLiteral("a"));
    QCOMPARE(edit->text(), QStringLiteral("A"));
    QVERIFY(!Visible(group.noData));
    const int edits = int(edited.size());
    W<QRadioButton>(qPrintable(radio))->click();
    QCOMPARE(edited.size(), edits);

    // Back to no message: editing is off, the icons go, the tooltip says why.
    const char* off = group.edit == Biit.edit          ? "noActionIndex1RadioButton"
                      : group.edit == OffPosition.edit ? "disabledIndex3RadioButton"
                                                       : "disableMessage12Index2RadioButton";
    Type(edit, QString());
    QVERIFY(Visible(group.noData));
    W<QRadioButton>(off)->click();
    QVERIFY(!edit->isEnabled());
    QCOMPARE(edit->toolTip(), NoEditing);
    QVERIFY(!Visible(group.noData));
    if (proximity)
        QCOMPARE(W<QSpinBox>("vesselProximityAlertRadiusSpinBox")->toolTip(),
                 QStringLiteral("Radius editing not allowed for currently selected option"));
}

void TestAlertMessagesTab::textLimits_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("tooLong");

    const QString a41(41, QLatin1Char('A'));
    const QString a43(43, QLatin1Char('A'));
    const QString a45(45, QLatin1Char('A'));
    const QString commas15(15, QLatin1Char(','));
    QTest::newRow("message 12, 41 characters") << "transmitMessage12Index1RadioButton" << a41 << a41 << false;
    QTest::newRow("message 12, 43 characters") << "transmitMessage12Index1RadioButton" << a43 << a43 << true;
    QTest::newRow("message 12, 46 characters stop at 45")
        << "transmitMessage12Index3RadioButton" << a45 + "B" << a45 << true;
    QTest::newRow("message 14, 45 characters") << "transmitMessage14Index3RadioButton" << a45 << a45 << false;
    QTest::newRow("message 14, 45 characters, BIIT") << "transmitMessage14Index1RadioButton" << a45 << a45 << false;
    QTest::newRow("proximity stops at 41") << "enableMessage12Index2RadioButton" << a45 << a41 << false;
    // Each comma goes out as a three-character escape: fifteen fill the 45 the sentence has room for.
    QTest::newRow("fifteen commas") << "transmitMessage14Index1RadioButton" << commas15 << commas15 << false;
    QTest::newRow("a sixteenth comma is refused")
        << "transmitMessage14Index1RadioButton" << commas15 + "," << commas15 << false;
    // A quotation mark goes out as "^22" too.
    const QString quotes15(15, QLatin1Char('"'));
    QTest::newRow("fifteen quotation marks") << "transmitMessage14Index3RadioButton" << quotes15 << quotes15 << false;
    QTest::newRow("a sixteenth quotation mark is refused")
        << "transmitMessage14Index3RadioButton" << quotes15 + "\"" << quotes15 << false;
    // The proximity text goes out beside a radius of up to five digits: 41 characters on the wire.
    const QString comma38 = QStringLiteral(",") + QString(38, QLatin1Char('A'));
    QTest::newRow("proximity, 41 on the wire") << "enableMessage12Index2RadioButton" << comma38 << comma38 << false;
    QTest::newRow("proximity, a 42nd on the wire is refused")
        << "enableMessage12Index2RadioButton" << comma38 + "B" << comma38 << false;
    QTest::newRow("commas and letters share the budget")
        << "transmitMessage14Index3RadioButton" << QString(10, QLatin1Char(',')) + QString(20, QLatin1Char('B'))
        << QString(10, QLatin1Char(',')) + QString(15, QLatin1Char('B')) << false;
    QTest::newRow("outside the six-bit set is refused")
        << "transmitMessage12Index1RadioButton" << QStringLiteral("LOW{BAT}") << QStringLiteral("LOWBAT") << false;
}

void TestAlertMessagesTab::textLimits()
{
    QFETCH(QString, radio);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(bool, tooLong);
    const Group group = GroupOf(radio);
    W<QRadioButton>(qPrintable(radio))->click();
    auto* edit = W<QLineEdit>(group.edit);
    Type(edit, typed);
    QCOMPARE(edit->text(), kept);
    const QString stored = group.edit == Biit.edit          ? Record()->GetBiitText()
                           : group.edit == OffPosition.edit ? Record()->GetOffPositionText()
                                                            : Record()->GetProximityText();
    QCOMPARE(stored, kept);
    QCOMPARE(Visible(group.tooLong), tooLong);
    QVERIFY(!Visible(group.noData));
    QVERIFY(tab->IsEdited());
}

void TestAlertMessagesTab::aShorterLimitStoresTheTextItCuts()
{
    // The unit held a 45-character proximity text with the alert off.
    Model source;
    const QString text = QString(40, QLatin1Char('X')) + QStringLiteral("12345");
    source.GetAlertMessages()->SetProximityText(text);
    tab->UpdateTabFromModel(&source);
    QCOMPARE(W<QLineEdit>(Proximity.edit)->text(), text);
    QVERIFY(!tab->IsEdited());

    // Message 12 carries 41 characters: what stays on screen is what will be sent.
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);
    W<QRadioButton>("enableMessage12Index2RadioButton")->click();
    QCOMPARE(W<QLineEdit>(Proximity.edit)->text(), text.left(41));
    QCOMPARE(Record()->GetProximityText(), text.left(41));
    QCOMPARE(Record()->GetProximityAction(), 1);
    QVERIFY(tab->IsEdited());
    QCOMPARE(edited.size(), 1);
}

void TestAlertMessagesTab::noActionKeepsTheText()
{
    W<QRadioButton>("transmitMessage12Index1RadioButton")->click();
    Type(W<QLineEdit>(Biit.edit), QString(43, QLatin1Char('T')));
    QVERIFY(Visible(Biit.tooLong));
    W<QRadioButton>("noActionIndex1RadioButton")->click();
    QCOMPARE(W<QLineEdit>(Biit.edit)->text(), QString(43, QLatin1Char('T')));
    QCOMPARE(Record()->GetBiitText(), QString(43, QLatin1Char('T')));
    QCOMPARE(Record()->GetBiitAction(), 0);
    QVERIFY(!W<QLineEdit>(Biit.edit)->isEnabled());
    QVERIFY(!Visible(Biit.tooLong) && !Visible(Biit.noData));
}

void TestAlertMessagesTab::radius()
{
    auto* spin = W<QSpinBox>("vesselProximityAlertRadiusSpinBox");
    QCOMPARE(spin->minimum(), 0);
    QCOMPARE(spin->maximum(), 30000);
    QCOMPARE(spin->singleStep(), 10);
    QCOMPARE(spin->suffix(), QStringLiteral(" m"));
    QVERIFY(!spin->isEnabled());
    W<QRadioButton>("enableMessage12Index2RadioButton")->click();
    QVERIFY(spin->isEnabled());
    QSignalSpy edited(tab, &AtoNConfiguration::Edited);
    spin->setValue(40000);
    QCOMPARE(Record()->GetProximityRadius(), 30000);
    spin->stepBy(-1);
    QCOMPARE(Record()->GetProximityRadius(), 29990);
    QCOMPARE(edited.size(), 2);
    // The text is still empty, and the radius check says so too.
    QVERIFY(Visible(Proximity.noData));
    W<QRadioButton>("disableMessage12Index2RadioButton")->click();
    QVERIFY(!spin->isEnabled());
    QCOMPARE(Record()->GetProximityRadius(), 29990);
}

void TestAlertMessagesTab::loadEvaluatesTheGroupsAgain()
{
    // A first configuration: every alert on, with texts.
    Model first;
    AlertMessagesModel* r = first.GetAlertMessages();
    r->SetBiitAction(1);
    r->SetProximityAction(1);
    r->SetOffPositionAction(2);
    r->SetBiitText(QStringLiteral("BIIT"));
    r->SetProximityText(QString(45, QLatin1Char('P')));
    r->SetOffPositionText(QStringLiteral("OFF"));
    tab->UpdateTabFromModel(&first);
    QCOMPARE(W<QLineEdit>(Biit.edit)->toolTip(), MaxTip(41));
    QCOMPARE(W<QLineEdit>(OffPosition.edit)->toolTip(), MaxTip(45));
    // A text read from the unit is shown whole, even past the limit the choice would set.
    QCOMPARE(W<QLineEdit>(Proximity.edit)->text(), QString(45, QLatin1Char('P')));
    QCOMPARE(Record()->GetProximityText(), QString(45, QLatin1Char('P')));
    for (const Group& g : {Biit, Proximity, OffPosition})
        QVERIFY(!Visible(g.noData));

    // A second one: messages with empty texts, and a BIIT text too long for message 14.
    Model second;
    r = second.GetAlertMessages();
    r->SetBiitAction(2);
    r->SetBiitText(QString(50, QLatin1Char('B')));
    r->SetProximityAction(1);
    r->SetOffPositionAction(1);
    tab->UpdateTabFromModel(&second);
    QCOMPARE(W<QLineEdit>(Biit.edit)->text(), QString(50, QLatin1Char('B')));
    QVERIFY(Visible(Biit.tooLong) && !Visible(Biit.noData));
    QCOMPARE(W<QLineEdit>(Biit.edit)->toolTip(), MaxTip(45));
    QVERIFY(Visible(Proximity.noData));
    QVERIFY(Visible(OffPosition.noData) && !Visible(OffPosition.tooLong));
    QCOMPARE(W<QLineEdit>(OffPosition.edit)->toolTip(), MaxTip(41));

    // A third: everything off.
    Model third;
    tab->UpdateTabFromModel(&third);
    for (const Group& g : {Biit, Proximity, OffPosition})
    {
        QVERIFY(!Visible(g.noData) && !Visible(g.tooLong));
        QCOMPARE(W<QLineEdit>(g.edit)->toolTip(), NoEditing);
        QVERIFY(!W<QLineEdit>(g.edit)->isEnabled());
    }
    QCOMPARE(Saved(*Record()), Saved(*third.GetAlertMessages()));
    QVERIFY(!tab->IsEdited());
}

KELVANE_TEST_GUI_MAIN(TestAlertMessagesTab)
#include "tst_AlertMessagesTab.moc"
