// One virtual AtoN page, offscreen and never shown: its form, load and store, and each edit rule
// through the widgets as a user works them.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest/QtTest>
#include <memory>

#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "support/SavedBytes.h"
#include "ui/Prompts.h"
#include "ui/VirtualAtoNWidget.h"
#include "ui/cDirectionOfImpactInput.h"

namespace
{

// Answers the direction-of-impact question: the next direction and OK, or Cancel when none is queued.
class DirectionAnswers : public Prompts
{
public:
    QList<int> directions;
    int asked = 0;
    int Run(QDialog* dialog) override
    {
        ++asked;
        if (directions.isEmpty())
        {
            dialog->findChild<QPushButton*>(QStringLiteral("pushButton_cancel"))->click();
            return dialog->result();
        }
        dialog->findChild<QSpinBox*>(QStringLiteral("spinBoxDirectionOfImpact"))->setValue(directions.takeFirst());
        dialog->findChild<QPushButton*>(QStringLiteral("pushButton_OK"))->click();
        return dialog->result();
    }
};

using KelvaneTest::Saved;

const QStringList EnabledByEnable = {"virtualRadioButton",
                                     "syntheticRadioButton",
                                     "dimensionsGroupBox",
                                     "nameTypeGroupBox",
                                     "tableGroupBox",
                                     "nameLineEdit",
                                     "AtoNTypeComboBox",
                                     "latitudeLineEdit",
                                     "longitudeLineEdit",
                                     "positionAccuracyComboBox",
                                     "groupBox",
                                     "comboVPowerLevel",
                                     "groupBox_mode",
                                     "radioButton_modeSea",
                                     "radioButton_modeInland"};

} // namespace

class TestVirtualAtoNWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void freshFormAndEnable();
    void loadThenStoreKeepsEveryField_data();
    void loadThenStoreKeepsEveryField();
    void mmsiRule();
    void validators();
    void dimensionRules_data();
    void dimensionRules();
    void directionOfImpact();
    void positionRuleAndIsValidOnAHiddenPage();
    void modeChangeIsAnEdit();
    void kindChoiceAfterALoad_data();
    void kindChoiceAfterALoad();

private:
    template <class W> W* Find(const char* name) const { return page->GetForm()->findChild<W*>(QLatin1String(name)); }
    void Load(VirtualAtoNModel& source) { page->SetModel(&source); }

    std::unique_ptr<Model> model;
    std::unique_ptr<QWidget> host;
    VirtualAtoNWidget* page = nullptr;
    DirectionAnswers* answers = nullptr;
};

void TestVirtualAtoNWidget::init()
{
    Q_INIT_RESOURCE(kelvane);
    auto installed = std::make_unique<DirectionAnswers>();
    answers = installed.get();
    Prompts::Install(std::move(installed));
    model = std::make_unique<Model>();
    host = std::make_unique<QWidget>();
    auto* placeholder = new QVBoxLayout(host.get());
    page = new VirtualAtoNWidget(model.get(), model->GetVirtualAtoN(3), placeholder, host.get());
}

void TestVirtualAtoNWidget::cleanup()
{
    host.reset();
    model.reset();
    Prompts::Install(nullptr);
}

void TestVirtualAtoNWidget::freshFormAndEnable()
{
    QCOMPARE(page->GetForm()->objectName(), QStringLiteral("VirtualAtoNWidget"));
    QVERIFY(!Find<QCheckBox>("enableCheckBox")->isChecked());
    QVERIFY(Find<QRadioButton>("virtualRadioButton")->isChecked());
    QVERIFY(Find<QRadioButton>("radioButton_modeSea")->isChecked());
    QVERIFY(!Find<QLabel>("labelDimensionsDrawing")->pixmap().isNull());
    for (const char* spin : {"spinBoxDimensionA", "spinBoxDimensionB", "spinBoxDimensionC", "spinBoxDimensionD"})
        QCOMPARE(Find<QSpinBox>(spin)->value(), 1);
    QCOMPARE(Find<QTableView>("tableSchedules")->model()->rowCount(), 1);
    QCOMPARE(Find<QComboBox>("comboVPowerLevel")->itemText(1), QStringLiteral(" 5.0 W"));

    QSignalSpy edited(page, &AtoNConfiguration::Edited);
    for (bool on : {true, false})
    {
        Find<QCheckBox>("enableCheckBox")->setChecked(on);
        for (const QString& name : EnabledByEnable)
            QVERIFY2(page->GetForm()->findChild<QWidget*>(name)->isEnabled() == on, qPrintable(name));
        QCOMPARE(page->GetRecord()->IsEnabled(), on);
        QCOMPARE(page->GetRecord()->GetAtoNMmsi()->IsEnabled(), on);
        // Beside Enable, the unset MMSI stays open either way.
        QVERIFY(Find<QLineEdit>("MMSILineEdit")->isEnabled());
    }
    QCOMPARE(edited.size(), 2);
    QVERIFY(page->IsEdited());
}

void TestVirtualAtoNWidget::loadThenStoreKeepsEveryField_data()
{
    QTest::addColumn<bool>("synthetic");
    QTest::addColumn<bool>("inland");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dimensionA");
    QTest::addColumn<QString>("mmsi");

    const QString mmsi = QStringLiteral("993510007");
    QTest::newRow("virtual, sea, fixed") << false << false << 9 << "BEACON" << 300 << mmsi;
    QTest::newRow("synthetic, sea, floating") << true << false << 25 << "WRECK BUOY" << 40 << mmsi;
    QTest::newRow("synthetic, inland, fixed, direction") << true << true << 16 << "LOCK 3%%270" << 511 << mmsi;
    QTest::newRow("virtual, inland, floating") << false << true << 4 << "RIVER BUOY" << 63 << mmsi;
    // A VDL reply's 30-bit field: kept whole and not valid, never cut to nine digits.
    QTest::newRow("ten-digit MMSI of a reply") << false << false << 9 << "BEACON" << 300 << "1073741823";
}

void TestVirtualAtoNWidget::loadThenStoreKeepsEveryField()
{
    QFETCH(bool, inland);
    QFETCH(int, dimensionA);
    QFETCH(bool, synthetic);
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(QString, mmsi);
    // The page shows a floating AtoN first, so dimension A holds the floating range when the load begins.
    VirtualAtoNModel floating;
    floating.SetTypeOfAtoN(25);
    Load(floating);

    VirtualAtoNModel source;
    source.SetEnabled(true);
    source.SetSynthetic(synthetic);
    source.SetInland(inland);
    source.SetTypeOfAtoN(type);
    source.GetAtoNMmsi()->SetMMSI(mmsi);
    source.SetAtoNName(name);
    source.GetPosition()->SetLatitude(-33.8568123);
    source.GetPosition()->SetLongitude(151.2152967);
    source.SetPositionAccuracy(AtoNDef::HIGH);
    source.SetPowerLevel(AtoNDef::W_2);
    source.SetDimensionA(dimensionA);
    source.SetDimensionB(12);
    source.SetDimensionC(7);
    source.SetDimensionD(3);
    ScheduleEntry entry = source.GetMessageSchedule()->GetEntry(0);
    entry.mode = ScheduleEntry::RATDMA;
    entry.blockA.increment = 3000; // no whole number of minutes
    entry.blockB.startTime = QTime(13, 37);
    QVERIFY(source.GetMessageSchedule()->SetEntry(0, entry));

    QSignalSpy edited(page, &AtoNConfiguration::Edited);
    Load(source);
    QVERIFY(edited.isEmpty());
    QVERIFY(!page->IsEdited());
    QVERIFY(page->UpdateModelFromTab());
    QCOMPARE(Saved(*page->GetRecord()), Saved(source));
    QCOMPARE(page->GetRecord()->GetDimensionA(), dimensionA);
    QCOMPARE(page->GetRecord()->GetInlandTypeCode(), source.GetInlandTypeCode());
    QCOMPARE(Find<QLineEdit>("MMSILineEdit")->text(), mmsi);
    QCOMPARE(page->IsValid(), mmsi.size() == 9);
    QVERIFY(edited.isEmpty());
}

void TestVirtualAtoNWidget::mmsiRule()
{
    auto* mmsi = Find<QLineEdit>("MMSILineEdit");
    auto* warning = Find<QLabel>("MMSIValidationWarningLabel");
    const QString open = QStringLiteral("Enter the Virtual AtoN MMSI, 9 digits in length");
    const QString locked =
        QStringLiteral("Once configured the MMSI cannot be edited. Please delete the Virtual AtoN entry");
    QVERIFY(mmsi->isEnabled());
    QCOMPARE(mmsi->toolTip(), open);
    QVERIFY(!warning->isHidden());

    // Typed while the page is off: stored at once, still open; Enable then locks it.
    QSignalSpy edited(page, &AtoNConfiguration::Edited);
    mmsi->selectAll();
    QTest::keyClicks(mmsi, QStringLiteral("99351"));
    QCOMPARE(page->GetRecord()->GetAtoNMmsi()->GetMMSI(), QStringLiteral("99351"));
    QVERIFY(!warning->isHidden());
    QTest::keyClicks(mmsi, QStringLiteral("0042"));
    QVERIFY(warning->isHidden());
    QCOMPARE(edited.size(), 9);
    QVERIFY(mmsi->isEnabled());
    Find<QCheckBox>("enableCheckBox")->setChecked(true);
    QVERIFY(!mmsi->isEnabled());
    QCOMPARE(mmsi->toolTip(), locked);
    Find<QCheckBox>("enableCheckBox")->setChecked(false);
    QVERIFY(!mmsi->isEnabled());

    // A partly typed MMSI, as a file or the unit may hold it, stays open so the page can be completed.
    VirtualAtoNModel partial;
    partial.SetEnabled(true);
    partial.GetAtoNMmsi()->SetMMSI(QStringLiteral("99351"));
    Load(partial);
    QVERIFY(mmsi->isEnabled());
    QCOMPARE(mmsi->toolTip(), open);
    QVERIFY(!page->IsValid());
}

void TestVirtualAtoNWidget::validators()
{
    Find<QCheckBox>("enableCheckBox")->setChecked(true);
    auto* mmsi = Find<QLineEdit>("MMSILineEdit");
    mmsi->selectAll();
    QTest::keyClicks(mmsi, QStringLiteral("12a3-4567890123"));
    QCOMPARE(mmsi->text(), QStringLiteral("123456789"));
    auto* name = Find<QLineEdit>("nameLineEdit");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("north cardinal"));
    QCOMPARE(name->text(), QStringLiteral("NORTH CARDINAL"));
    QCOMPARE(page->GetRecord()->GetAtoNName(), QStringLiteral("NORTH CARDINAL"));
    QTest::keyClicks(name, QString(40, QLatin1Char('X')));
    QCOMPARE(name->text().size(), 34);
}

void TestVirtualAtoNWidget::dimensionRules_data()
{
    QTest::addColumn<bool>("synthetic");
    QTest::addColumn<bool>("inland");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("fixed");

    QTest::newRow("virtual has none") << false << false << 3 << false << true;
    QTest::newRow("synthetic structure") << true << false << 3 << true << true;
    QTest::newRow("reference point at sea") << true << false << 1 << false << true;
    QTest::newRow("type 1 inland") << true << true << 1 << true << true;
    QTest::newRow("floating at sea") << true << false << 25 << true << false;
    QTest::newRow("floating inland") << true << true << 4 << true << false;
}

void TestVirtualAtoNWidget::dimensionRules()
{
    QFETCH(bool, inland);
    QFETCH(int, type);
    QFETCH(bool, editable);
    QFETCH(bool, fixed);
    QFETCH(bool, synthetic);
    Find<QCheckBox>("enableCheckBox")->setChecked(true);
    if (synthetic)
        Find<QRadioButton>("syntheticRadioButton")->click();
    if (inland)
        Find<QRadioButton>("radioButton_modeInland")->click();
    auto* types = Find<QComboBox>("AtoNTypeComboBox");
    types->setCurrentIndex(types->findData(type));
    QCOMPARE(page->GetRecord()->GetTypeOfAtoN(), type);

    auto* a = Find<QSpinBox>("spinBoxDimensionA");
    QCOMPARE(a->isEnabled(), editable);
    QCOMPARE(Find<QSpinBox>("spinBoxDimensionD")->isEnabled(), editable);
    QCOMPARE(Find<QSpinBox>("spinBoxDimensionB")->isHidden(), !fixed);
    QVERIFY(!a->isHidden());
    QCOMPARE(a->minimum(), fixed ? 0 : 1);
    QCOMPARE(a->maximum(), fixed ? 511 : 63);
    QCOMPARE(a->toolTip(), fixed ? QStringLiteral("Enter the AtoN Dimension in metres (0-511)")
                                 : QStringLiteral("Enter the AtoN Dimension in metres (1-63)"));
    QCOMPARE(Find<QGroupBox>("dimensionsGroupBox")->title(),
             fixed ? QStringLiteral("AtoN Dimensions (Fixed)") : QStringLiteral("AtoN Dimensions (Floating)"));
    QCOMPARE(a->pos(), fixed ? QPoint(15, 55) : QPoint(40, 82));
}

void TestVirtualAtoNWidget::directionOfImpact()
{
    Find<QCheckBox>("enableCheckBox")->setChecked(true);
    Find<QRadioButton>("radioButton_modeInland")->click();
    auto* name = Find<QLineEdit>("nameLineEdit");
    QTest::keyClicks(name, QStringLiteral(" LOCK"));
    QCOMPARE(page->GetRecord()->GetAtoNName(), QStringLiteral("ATON LOCK"));
    auto* types = Find<QComboBox>("AtoNTypeComboBox");

    answers->directions = {90};
    types->setCurrentIndex(types->findData(16));
    QCOMPARE(answers->asked, 1);
    QCOMPARE(name->text(), QStringLiteral("ATON LOCK%%90"));
    QCOMPARE(page->GetRecord()->GetAtoNName(), QStringLiteral("ATON LOCK%%90"));
    QCOMPARE(page->GetRecord()->GetInlandTypeCode(), 16 + 32);
    // An edit that removes the marker is refused.
    name->setText(QStringLiteral("ATON LOCK"));
    Q_EMIT name->textEdited(name->text());
    QCOMPARE(name->text(), QStringLiteral("ATON LOCK%%90"));

    // No direction given for 17: the list goes back to its first type, and the suffix leaves the name.
    types->setCurrentIndex(types->findData(17));
    QCOMPARE(answers->asked, 2);
    QCOMPARE(types->currentIndex(), 0);
    QCOMPARE(page->GetRecord()->GetTypeOfAtoN(), 0);
    QCOMPARE(page->GetRecord()->GetAtoNName(), QStringLiteral("ATON LOCK"));
}

void TestVirtualAtoNWidget::positionRuleAndIsValidOnAHiddenPage()
{
    QVERIFY(!page->GetForm()->isVisible());
    QVERIFY(page->IsValid()); // off: whatever it holds
    Find<QCheckBox>("enableCheckBox")->setChecked(true);
    QVERIFY(!page->IsValid()); // no MMSI, no position
    Find<QLineEdit>("MMSILineEdit")->selectAll();
    QTest::keyClicks(Find<QLineEdit>("MMSILineEdit"), QStringLiteral("993510042"));
    QVERIFY(!page->IsValid());

    auto* latitude = Find<QLineEdit>("latitudeLineEdit");
    auto* longitude = Find<QLineEdit>("longitudeLineEdit");
    QSignalSpy edited(page, &AtoNConfiguration::Edited);
    latitude->clear();
    QTest::keyClicks(latitude, QStringLiteral("51 30 N"));
    QCOMPARE(edited.size(), 7);
    QCOMPARE(page->GetRecord()->GetPosition()->GetLatitude(), 51.5);
    Q_EMIT latitude->editingFinished();
    QCOMPARE(latitude->text(), page->GetRecord()->GetPosition()->LatitudeToDMS());
    QCOMPARE(latitude->toolTip().section(QLatin1Char('\n'), 0, 0), QStringLiteral("51.5000"));
    QCOMPARE(edited.size(), 7);
    longitude->clear();
    QTest::keyClicks(longitude, QStringLiteral("4 15 W"));
    QCOMPARE(page->GetRecord()->GetPosition()->GetLongitude(), -4.25);
    QVERIFY(page->IsValid());

    // Emptied, unreadable or out of range: no position, never 0 or a clipped value.
    const QStringList noPositions = {QString(), QStringLiteral("north"), QStringLiteral("95 0 N")};
    for (const QString& text : noPositions)
    {
        latitude->setText(text);
        Q_EMIT latitude->textEdited(text);
        QCOMPARE(page->GetRecord()->GetPosition()->GetLatitude(), GeoPosition::NotAvailableLatitude);
        QVERIFY(!page->IsValid());
        QVERIFY(page->UpdateModelFromTab());
        QCOMPARE(page->GetRecord()->GetPosition()->GetLatitude(), GeoPosition::NotAvailableLatitude);
    }
    latitude->setText(QStringLiteral("51 30 N"));
    Q_EMIT latitude->editingFinished();
    QVERIFY(page->IsValid());
    Find<QLineEdit>("nameLineEdit")->clear();
    QVERIFY(!page->IsValid());
}

void TestVirtualAtoNWidget::modeChangeIsAnEdit()
{
    Find<QCheckBox>("enableCheckBox")->setChecked(true);
    page->ClearEdited();
    QSignalSpy edited(page, &AtoNConfiguration::Edited);
    Find<QRadioButton>("radioButton_modeInland")->click();
    QVERIFY(page->GetRecord()->IsInland());
    QCOMPARE(Find<QComboBox>("AtoNTypeComboBox")->itemText(0), QStringLiteral(" (0)  Default"));
    QCOMPARE(edited.size(), 1);
    QVERIFY(page->IsEdited());
}

void TestVirtualAtoNWidget::kindChoiceAfterALoad_data()
{
    QTest::addColumn<bool>("loadedSynthetic");

    QTest::newRow("unit's synthetic made virtual") << true;
    QTest::newRow("unit's virtual made synthetic") << false;
}

void TestVirtualAtoNWidget::kindChoiceAfterALoad()
{
    QFETCH(bool, loadedSynthetic);
    // The page's record last held the other kind; a load brings the unit's station, kind and all.
    page->GetRecord()->SetSynthetic(!loadedSynthetic);
    VirtualAtoNModel unit;
    unit.SetEnabled(true);
    unit.SetSynthetic(loadedSynthetic);
    Load(unit);
    QCOMPARE(Find<QRadioButton>("syntheticRadioButton")->isChecked(), loadedSynthetic);

    QSignalSpy edited(page, &AtoNConfiguration::Edited);
    Find<QRadioButton>(loadedSynthetic ? "virtualRadioButton" : "syntheticRadioButton")->click();
    QVERIFY(!edited.isEmpty());
    QCOMPARE(page->GetRecord()->GetAtoN()->GetStationKind(),
             int(loadedSynthetic ? AtoNDef::VIRTUAL : AtoNDef::SYNTHETIC));
}

KELVANE_TEST_GUI_MAIN(TestVirtualAtoNWidget)
#include "tst_VirtualAtoNWidget.moc"
