#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDataStream>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

#include "decoders/GpsData.h"
#include "model/AtoN.h"
#include "model/AtoNDef.h"
#include "model/GeoPosition.h"
#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "support/SavedBytes.h"
#include "support/WidgetTestTools.h"
#include "ui/RealAtoNTab.h"
#include "ui/cDirectionOfImpactInput.h"

#include "ui_RealAtoNTab.h"

static void InitImages()
{
    Q_INIT_RESOURCE(kelvane);
}

namespace
{

using KelvaneTest::Saved;

using KelvaneTest::Child;
using KelvaneTest::Type;

bool ItemEnabled(QComboBox* combo, int data)
{
    const int row = combo->findData(data);
    return row >= 0 && combo->model()->flags(combo->model()->index(row, 0)).testFlag(Qt::ItemIsEnabled);
}

// Types the text into a line edit as a user would, after selecting what it held.

void Choose(QComboBox* combo, int data)
{
    combo->setCurrentIndex(combo->findData(data));
}

// Answers the next direction-of-impact dialog with OK and the given degrees, or with Cancel.
void AnswerDirectionDialog(int degrees, bool accept)
{
    QTimer::singleShot(0,
                       [degrees, accept]()
                       {
                           auto* dialog = qobject_cast<cDirectionOfImpactInput*>(QApplication::activeModalWidget());
                           QVERIFY(dialog != nullptr);
                           dialog->findChild<QSpinBox*>(QStringLiteral("spinBoxDirectionOfImpact"))->setValue(degrees);
                           const char* button = accept ? "pushButton_OK" : "pushButton_cancel";
                           dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
                       });
}

} // namespace

class TestRealAtoNTab : public QObject
{
    Q_OBJECT

    struct Gnss
    {
        GpsData data;
        void Sample(double latitude, double longitude, int mode = GpsData::ModeAutonomous)
        {
            data.SetPosition(latitude, longitude);
            data.SetMode(mode);
        }
    };

private Q_SLOTS:
    void initTestCase()
    {
        InitImages();
        AtoNDef::RegisterMetaTypes();
    }

    // ---- The form alone -----------------------------------------------------------------------

    void formWidgets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        auto row = [](const char* name, const char* kind, const QString& text, const QString& tip)
        { QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << text << tip; };
        const QString none;
        row("groupBox_Mode_controls", "QGroupBox", "Mode", none);
        row("radioButtonMode_sea", "QRadioButton", "Standard",
            "Use this mode for AtoNs used at sea.  The related virtual AtoNs will share this mode.");
        row("radioButtonMode_inland", "QRadioButton", "Inland",
            "Use this mode for AtoNs in inland locations.  The related virtual AtoNs will share this mode.");
        row("groupBox", "QGroupBox", "Real AtoN", none);
        row("labelMMSI", "QLabel", "MMSI:", none);
        row("lineMMSI", "QLineEdit", none, "Enter the AtoN MMSI, 9 digits in length");
        row("MMSIValidationWarningLabel", "QLabel",
            "<html><head/><body><p><span style=\" color:#ff0000;\">MMSI is not valid</span></p></body></html>", none);
        row("labelName", "QLabel", "Name:", none);
        row("lineName", "QLineEdit", none, "Enter the AtoN name, up to 34 characters in length");
        row("labelTypeOfAtoN", "QLabel", "Type of AtoN:", none);
        row("comboTypeOfAtoN", "QComboBox", none,
            "Select the type of the AtoN.  The options change depending on the mode (sea or inland).");
        row("labelTypeOfEPFS", "QLabel", "GNSS system:", none);
        row("comboTypeOfGnss", "QComboBox", none,
            "<html><head/><body><p>A GNSS system must be selected.  This will automatically set the correct EPFS "
            "type in AIS messages to Surveyed or Internal.</p></body></html>");
        row("groupBoxAtoNDimensions", "QGroupBox", "AtoN Dimensions", none);
        row("groupBox_dim_spin_boxes", "QGroupBox", "", none);
        row("label_dimA", "QLabel", "A", none);
        row("spinBoxDimensionA", "QSpinBox", none, "Enter the AtoN Dimension in metres (0-511)");
        row("label_dimB", "QLabel", "B", none);
        row("spinBoxDimensionB", "QSpinBox", none, "Enter the AtoN Dimension in metres (1-511)");
        row("label_dimC", "QLabel", "C", none);
        row("spinBoxDimensionC", "QSpinBox", none, "Enter the AtoN Dimension in metres (0-63)");
        row("label_dimD", "QLabel", "D", none);
        row("spinBoxDimensionD", "QSpinBox", none, "Enter the AtoN Dimension in metres (1-63)");
        row("labelDimensionsDrawing", "QLabel", "", none);
        row("groupBox_2", "QGroupBox", "Nominal Position", "A valid nominal position must be entered.");
        row("labelLatitude", "QLabel", "Nominal Latitude:", none);
        row("lineLatitude", "QLineEdit", none, "A valid nominal latitude must be entered. ");
        row("labelLongitude", "QLabel", "Nominal Longitude:", none);
        row("lineLongitude", "QLineEdit", none, "A valid nominal longitude must be entered");
        row("pushButtonGetGPSPosition", "QPushButton", "Get GNSS\nPosition",
            "Get the Nominal Position from the AtoN's current GNSS position");
        row("labelPositionAccuracy", "QLabel", "Position Accuracy:", none);
        row("comboPositionAccuracy", "QComboBox", none, "Select the accuracy for the Nominal position");
        row("labelOffPositionCheck", "QLabel", "Off Position Alternate\nMessage Enable:", none);
        row("checkBoxOffPositionCheck", "QCheckBox", "",
            "Send Message 21 Index 2 when off position by more than the threshold distance");
        row("labelOffPositionThreshold", "QLabel", "Off Position Threshold:", none);
        row("spinBoxOffPositionThreshold", "QSpinBox", none,
            "Enter the off position threshold in metres (valid range: 10m - 4095m)");
        row("labelOffPositionFeedback", "QLabel", "",
            "Warning: An off position threshold of <20m could result in spurious off position reports due to GPS "
            "position accuracy");
        row("groupBox_messages", "QGroupBox", "Messages", none);
        row("labelAddressMMSI", "QLabel", "MMSI for addressed messages:", none);
        row("lineAddressMMSI", "QLineEdit", none, "Enter the AtoN MMSI, 9 digits in length");
        row("checkBoxDeleteAddressedMMSI", "QCheckBox", "Delete?",
            "<html><head/><body><p>The current Addressed MMSI must <br/>be specified in order for it to be "
            "<br/>deleted.</p></body></html>");
        row("checkBoxAckProcedure", "QCheckBox",
            "Acknowledge Message 7 and 13:", "Enable message acknowledge if a Type 3");
        row("groupBox_radio", "QGroupBox", "Radio", none);
        row("labelChannel1", "QLabel", "Channel 1:", none);
        row("comboChannel1", "QComboBox", none, "Select the VHF Channel for Channel 1");
        row("labelChannel2", "QLabel", "Channel 2:", none);
        row("comboChannel2", "QComboBox", none, "Select the VHF Channel for Channel 2");
        row("labelPowerLevel", "QLabel", "Power Level:", none);
        row("comboPowerLevel", "QComboBox", none, "Select the VHF Channel transmission Power Level");
    }

    void formWidgets()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);

        QWidget form;
        Ui::RealAtoNTab ui;
        ui.setupUi(&form);

        QWidget* widget = form.findChild<QWidget*>(name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        QVERIFY(widget->inherits(qPrintable(kind)));
        QCOMPARE(widget->toolTip(), toolTip);
        QVERIFY(!widget->isHidden());
        if (auto* box = qobject_cast<QGroupBox*>(widget))
        {
            QCOMPARE(box->title(), text);
        }
        else if (auto* label = qobject_cast<QLabel*>(widget))
        {
            QCOMPARE(label->text(), text);
        }
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        {
            QCOMPARE(button->text(), text);
            QVERIFY(!button->isChecked());
        }
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
        {
            QCOMPARE(combo->count(), 0);
        }
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        {
            QVERIFY(edit->text().isEmpty());
            QVERIFY(edit->inputMask().isEmpty());
        }
        // Exactly one widget starts disabled.
        QCOMPARE(widget->isEnabled(), name != QLatin1String("pushButtonGetGPSPosition"));
    }

    void formRangesAndSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::newRow("A") << "spinBoxDimensionA" << 0 << 511 << 1;
        QTest::newRow("B") << "spinBoxDimensionB" << 1 << 511 << 1;
        QTest::newRow("C") << "spinBoxDimensionC" << 0 << 63 << 1;
        QTest::newRow("D") << "spinBoxDimensionD" << 1 << 63 << 1;
        QTest::newRow("threshold") << "spinBoxOffPositionThreshold" << 10 << 4095 << 50;
        // Line edits: maximum length in the maximum column.
        QTest::newRow("lineMMSI") << "lineMMSI" << 0 << 9 << 0;
        QTest::newRow("lineAddressMMSI") << "lineAddressMMSI" << 0 << 9 << 0;
        QTest::newRow("lineName") << "lineName" << 0 << 34 << 0;
        QTest::newRow("lineLatitude") << "lineLatitude" << 0 << 20 << 0;
        QTest::newRow("lineLongitude") << "lineLongitude" << 0 << 20 << 0;
    }

    void formRangesAndSize()
    {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);

        QWidget form;
        Ui::RealAtoNTab ui;
        ui.setupUi(&form);
        QCOMPARE(form.objectName(), QStringLiteral("RealAtoNTab"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Real AtoN"));
        QCOMPARE(form.size(), QSize(800, 550));
        QCOMPARE(form.minimumSize(), QSize(800, 550));
        QVERIFY(ui.pushButtonGetGPSPosition->isCheckable());
        QCOMPARE(ui.labelDimensionsDrawing->size(), QSize(130, 130));
        QVERIFY(ui.labelDimensionsDrawing->hasScaledContents());
        QVERIFY(ui.MMSIValidationWarningLabel->wordWrap());

        if (auto* spin = form.findChild<QSpinBox*>(name))
        {
            QCOMPARE(spin->minimum(), minimum);
            QCOMPARE(spin->maximum(), maximum);
            QCOMPARE(spin->value(), value);
            QCOMPARE(spin->singleStep(), 1);
            QVERIFY(spin->suffix().isEmpty());
            QVERIFY(spin->alignment() & Qt::AlignRight);
        }
        else
        {
            auto* edit = form.findChild<QLineEdit*>(name);
            QVERIFY(edit != nullptr);
            QCOMPARE(edit->maxLength(), maximum);
            // One character more than the field holds is refused.
            QTest::keyClicks(edit, QString(maximum + 1, QLatin1Char('1')));
            QCOMPARE(edit->text().size(), maximum);
        }
    }

    // ---- The tab on a fresh model ---------------------------------------------------------------

    void freshTab()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("connectSlotsByName")));
        Model model;
        RealAtoNTab tab(&model);

        QCOMPARE(Child<QLineEdit>(tab, "lineMMSI")->text(), QStringLiteral("000000000"));
        QVERIFY(!Child<QLabel>(tab, "MMSIValidationWarningLabel")->isHidden());
        QVERIFY(Child<QRadioButton>(tab, "radioButtonMode_sea")->isChecked());
        QVERIFY(Child<QLabel>(tab, "labelOffPositionFeedback")->isHidden());
        QVERIFY(!Child<QComboBox>(tab, "comboPositionAccuracy")->isEnabled());
        QVERIFY(!Child<QPushButton>(tab, "pushButtonGetGPSPosition")->isEnabled());

        auto* types = Child<QComboBox>(tab, "comboTypeOfAtoN");
        QCOMPARE(types->count(), 32);
        QCOMPARE(types->itemText(1), QStringLiteral(" (1)  Reference Point"));
        auto* gnss = Child<QComboBox>(tab, "comboTypeOfGnss");
        QCOMPARE(gnss->count(), 14);
        QVERIFY(tab.HasExtendedGnssList());
        QCOMPARE(gnss->currentText(), QStringLiteral("GPS"));

        auto* power = Child<QComboBox>(tab, "comboPowerLevel");
        QCOMPARE(power->count(), 4);
        QCOMPARE(power->itemText(1), QStringLiteral(" 5.0 W"));
        QCOMPARE(power->itemData(1).toInt(), 5);

        for (const char* name : {"comboChannel1", "comboChannel2"})
        {
            auto* channels = Child<QComboBox>(tab, name);
            QCOMPARE(channels->count(), 114);
            QCOMPARE(channels->itemText(0), QStringLiteral("CH1001 ( 156.050MHz )"));
            QCOMPARE(channels->itemText(channels->findData(2006)), QStringLiteral("CH2006 ( 156.300MHz )"));
            QCOMPARE(channels->itemText(channels->findData(2074)), QStringLiteral("CH2074 ( 156.725MHz )"));
            QCOMPARE(channels->itemText(channels->findData(2060)), QStringLiteral("CH2060 ( 160.625MHz )"));
            QCOMPARE(channels->itemText(113), QStringLiteral("CH2088 AIS2 ( 162.025MHz )"));
            QCOMPARE(channels->itemText(112), QStringLiteral("CH2087 AIS1 ( 161.975MHz )"));
            // The ends of each block, and both sides of every edge of the simplex ranges (06, 08 to
            // 17, 67 to 77), where a channel off by one would sit on the wrong frequency.
            const QList<QPair<int, const char*>> list = {{27, "CH1028 ( 157.400MHz )"}, {28, "CH1060 ( 156.025MHz )"},
                                                         {56, "CH1088 ( 157.425MHz )"}, {57, "CH2001 ( 160.650MHz )"},
                                                         {84, "CH2028 ( 162.000MHz )"}, {85, "CH2060 ( 160.625MHz )"}};
            for (const auto& [position, text] : list)
                QCOMPARE(channels->itemText(position), QLatin1String(text));
            const QList<QPair<int, const char*>> edges = {
                {2005, "CH2005 ( 160.850MHz )"}, {2007, "CH2007 ( 160.950MHz )"}, {2008, "CH2008 ( 156.400MHz )"},
                {2017, "CH2017 ( 156.850MHz )"}, {2018, "CH2018 ( 161.500MHz )"}, {2066, "CH2066 ( 160.925MHz )"},
                {2067, "CH2067 ( 156.375MHz )"}, {2077, "CH2077 ( 156.875MHz )"}, {2078, "CH2078 ( 161.525MHz )"},
                {1017, "CH1017 ( 156.850MHz )"}};
            for (const auto& [channel, text] : edges)
                QCOMPARE(channels->itemText(channels->findData(channel)), QLatin1String(text));
        }
        QCOMPARE(Child<QComboBox>(tab, "comboChannel1")->currentData().toInt(), 2087);
        QCOMPARE(Child<QLineEdit>(tab, "lineLatitude")->text(), QStringLiteral("__\u00b0 __' __.___\" N"));
        QVERIFY(!tab.IsConfigurationComplete());
        QVERIFY(!tab.IsEdited());
    }

    void designSizeShowsEveryWidget()
    {
        Model model;
        RealAtoNTab tab(&model);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QCOMPARE(tab.size(), QSize(800, 550));
        // Every visible field lies whole inside the tab: nothing is cut off at the design size.
        const QRect area = tab.rect();
        for (QWidget* widget : tab.findChildren<QWidget*>())
        {
            if (!widget->isVisible() || widget->objectName().startsWith(QLatin1String("qt_")) ||
                widget->parentWidget()->inherits("QComboBox") || widget->parentWidget()->inherits("QAbstractSpinBox"))
            {
                continue;
            }
            const QRect place(widget->mapTo(&tab, QPoint(0, 0)), widget->size());
            QVERIFY2(area.contains(place) && !widget->size().isEmpty(), qPrintable(widget->objectName()));
        }
        tab.grab().save(KelvaneTest::ArtefactDir() + QStringLiteral("/RealAtoNTab.png"));
    }

    // ---- Load and store -------------------------------------------------------------------------

    void loadThenStore_data()
    {
        QTest::addColumn<bool>("inland");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("gnss");
        QTest::addColumn<int>("dimensionA");
        QTest::addColumn<QString>("mmsi");
        const QString mmsi = QStringLiteral("992351234");
        QTest::newRow("sea fixed") << false << 5 << 13 << 300 << mmsi;
        QTest::newRow("sea floating") << false << 25 << 5 << 40 << mmsi;
        QTest::newRow("inland fixed") << true << 18 << 1 << 200 << mmsi;
        QTest::newRow("inland floating") << true << 19 << 12 << 63 << mmsi;
        // A VDL reply's 30-bit field: shown and kept whole, and not valid, never cut to nine digits
        // that would read as another station's MMSI.
        QTest::newRow("ten-digit MMSI of a reply") << false << 5 << 13 << 300 << "1073741823";
    }

    void loadThenStore()
    {
        QFETCH(bool, inland);
        QFETCH(int, type);
        QFETCH(int, gnss);
        QFETCH(int, dimensionA);
        QFETCH(QString, mmsi);
        const bool valid = mmsi.size() == 9;

        Model source;
        AtoN* a = source.GetRealAtoN();
        a->GetAtoNMMSI()->SetMMSI(mmsi);
        a->GetAtoNMMSI()->SetAddressMMSI(valid ? QStringLiteral("235000111") : mmsi);
        a->SetName(QStringLiteral("NORTH PIER HEAD"));
        a->SetInland(inland);
        a->SetTypeOfAtoN(type);
        a->SetGnssType(gnss);
        a->GetPosition()->SetLatitude(51.123456789);
        a->GetPosition()->SetLongitude(-1.987654321);
        a->SetPositionAccuracy(AtoNDef::HIGH);
        a->SetChannel1(AtoNDef::CH_1060);
        a->SetChannel2(AtoNDef::CH_2028);
        a->SetPowerLevel(AtoNDef::W_2);
        a->SetOffPositionCheck(1);
        a->SetOffPositionThreshold(120);
        a->SetAckProcedure(0);
        a->SetDimensionA(dimensionA);
        a->SetDimensionB(400);
        a->SetDimensionC(60);
        a->SetDimensionD(2);
        a->GetAtoNMMSI()->SetAuxFlag(true);

        Model model;
        RealAtoNTab tab(&model);
        QSignalSpy inlandSpy(&tab, &RealAtoNTab::UpdateInlandMode);
        QSignalSpy gnssSpy(&tab, &RealAtoNTab::sendGnssType);
        QVERIFY(tab.UpdateTabFromModel(&source));
        // A delete request is for one send only: every load drops it.
        QVERIFY(!model.GetRealAtoN()->GetAtoNMMSI()->GetAuxFlag());
        QCOMPARE(inlandSpy.size(), 1);
        QCOMPARE(inlandSpy.at(0).at(0).toBool(), inland);
        QCOMPARE(gnssSpy.size(), 1);
        QCOMPARE(gnssSpy.at(0).at(0).value<AtoNDef::eGnssSystem>(), AtoNDef::eGnssSystem(gnss));
        // The focus passing through a coordinate field neither rounds the position nor counts as an edit.
        Q_EMIT Child<QLineEdit>(tab, "lineLatitude")->editingFinished();
        Q_EMIT Child<QLineEdit>(tab, "lineLongitude")->editingFinished();
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLatitude(), 51.123456789);
        QVERIFY(!tab.IsEdited());

        // A target that differs in every field the tab edits.
        Model target;
        AtoN* t = target.GetRealAtoN();
        t->GetAtoNMMSI()->SetMMSI(QStringLiteral("111111111"));
        t->GetAtoNMMSI()->SetAddressMMSI(QStringLiteral("222222222"));
        t->GetAtoNMMSI()->SetAuxFlag(true);
        t->SetName(QStringLiteral("OTHER"));
        t->SetInland(!inland);
        t->SetTypeOfAtoN(3);
        t->SetGnssType(0);
        t->GetPosition()->SetLatitude(10.0);
        t->GetPosition()->SetLongitude(10.0);
        t->SetChannel1(AtoNDef::CH_1001);
        t->SetPowerLevel(AtoNDef::W_1);
        t->SetOffPositionThreshold(4000);
        t->SetDimensionA(7);
        t->SetDimensionB(7);
        t->SetDimensionC(7);
        t->SetDimensionD(7);

        QVERIFY(tab.UpdateModelFromTab(&target));
        QCOMPARE(Saved(*t), Saved(*a));
        QCOMPARE(t->IsInland(), inland);
        QCOMPARE(t->GetInlandTypeCode(), inland ? type + 32 : 0);
        QVERIFY(!t->GetAtoNMMSI()->GetAuxFlag());
        QVERIFY(t->GetAtoNMMSI()->IsEnabled());
        QCOMPARE(Child<QLineEdit>(tab, "lineMMSI")->text(), mmsi);
        QCOMPARE(Child<QLabel>(tab, "MMSIValidationWarningLabel")->isHidden(), valid);
        QCOMPARE(tab.IsConfigurationComplete(), valid);
    }

    void loadLimitsDimensionsByPanel()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* a = Child<QSpinBox>(tab, "spinBoxDimensionA");
        auto* group = Child<QGroupBox>(tab, "groupBoxAtoNDimensions");

        Model floating;
        floating.GetRealAtoN()->SetTypeOfAtoN(25);
        floating.GetRealAtoN()->SetDimensionA(300);
        tab.UpdateTabFromModel(&floating);
        QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Floating)"));
        QCOMPARE(a->value(), 63);
        QCOMPARE(a->toolTip(), QStringLiteral("Enter the AtoN Dimension in metres (1-63)"));
        QVERIFY(Child<QSpinBox>(tab, "spinBoxDimensionB")->isHidden());
        QVERIFY(Child<QLabel>(tab, "label_dimD")->isHidden());
        QVERIFY(!ItemEnabled(Child<QComboBox>(tab, "comboTypeOfGnss"), 13));
        tab.UpdateModelFromTab();
        QCOMPARE(model.GetRealAtoN()->GetDimensionA(), 63);

        Model fixed;
        fixed.GetRealAtoN()->SetTypeOfAtoN(3);
        fixed.GetRealAtoN()->SetDimensionA(300);
        tab.UpdateTabFromModel(&fixed);
        QCOMPARE(group->title(), QStringLiteral("AtoN Dimensions (Fixed)"));
        QCOMPARE(a->value(), 300);
        QVERIFY(!Child<QSpinBox>(tab, "spinBoxDimensionB")->isHidden());
        QVERIFY(ItemEnabled(Child<QComboBox>(tab, "comboTypeOfGnss"), 13));
    }

    void loadSelectsGnssList()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* gnss = Child<QComboBox>(tab, "comboTypeOfGnss");
        tab.onUbloxM8(0);
        QCOMPARE(gnss->count(), 3);

        Model source;
        source.GetRealAtoN()->SetGnssType(AtoNDef::GNSS_GPS_GALILEO);
        tab.UpdateTabFromModel(&source);
        QVERIFY(tab.HasExtendedGnssList());
        QCOMPARE(gnss->currentText(), QStringLiteral("GPS/Galileo"));

        // A system the list does not hold leaves no selection; the next store writes Undefined.
        source.GetRealAtoN()->SetGnssType(42);
        tab.UpdateTabFromModel(&source);
        QCOMPARE(gnss->currentIndex(), -1);
        tab.UpdateModelFromTab();
        QCOMPARE(model.GetRealAtoN()->GetGnssType(), 0);
    }

    // ---- Editing rules --------------------------------------------------------------------------

    void mmsiWarning_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("warning");
        QTest::newRow("nine digits") << "235012345" << false;
        QTest::newRow("eight digits") << "23501234" << true;
        QTest::newRow("all zero") << "000000000" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("letters refused") << "23501234x" << true;
    }

    void mmsiWarning()
    {
        QFETCH(QString, typed);
        QFETCH(bool, warning);
        Model model;
        model.GetRealAtoN()->GetPosition()->SetLatitude(50.0);
        model.GetRealAtoN()->GetPosition()->SetLongitude(1.0);
        RealAtoNTab tab(&model);
        QSignalSpy edits(&tab, &RealAtoNTab::Edited);

        auto* line = Child<QLineEdit>(tab, "lineMMSI");
        Type(line, typed);
        QCOMPARE(Child<QLabel>(tab, "MMSIValidationWarningLabel")->isHidden(), !warning);
        QCOMPARE(model.GetRealAtoN()->GetAtoNMMSI()->GetMMSI(), line->text());
        QVERIFY(tab.IsEdited());
        // The tab is not on screen here: the check must still judge the MMSI itself.
        QCOMPARE(tab.IsConfigurationComplete(), !warning);
    }

    void typeRules()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* types = Child<QComboBox>(tab, "comboTypeOfAtoN");
        auto* gnss = Child<QComboBox>(tab, "comboTypeOfGnss");
        auto* accuracy = Child<QComboBox>(tab, "comboPositionAccuracy");
        auto* a = Child<QSpinBox>(tab, "spinBoxDimensionA");
        QSignalSpy edits(&tab, &RealAtoNTab::Edited);

        // A floating type rules out "Surveyed" and shows the floating panel.
        Choose(types, 25);
        QCOMPARE(model.GetRealAtoN()->GetTypeOfAtoN(), 25);
        QCOMPARE(edits.size(), 1);
        QVERIFY(!ItemEnabled(gnss, 13));
        QCOMPARE(a->maximum(), 63);

        // A fixed type and "Surveyed": every floating sea type is ruled out, the accuracy is chosen by hand.
        Choose(types, 5);
        QVERIFY(ItemEnabled(gnss, 13));
        Choose(gnss, 13);
        QCOMPARE(model.GetRealAtoN()->GetGnssType(), 13);
        QVERIFY(accuracy->isEnabled());
        for (int type = 0; type < 32; ++type)
        {
            QCOMPARE(ItemEnabled(types, type), type < 20);
        }
        Choose(gnss, 1);
        QVERIFY(!accuracy->isEnabled());
        QVERIFY(ItemEnabled(types, 25));

        // A reference point at sea has no dimensions; inland the same type has.
        Choose(types, 1);
        QVERIFY(!a->isEnabled());
        QVERIFY(!Child<QSpinBox>(tab, "spinBoxDimensionD")->isEnabled());
        Child<QRadioButton>(tab, "radioButtonMode_inland")->click();
        Choose(types, 1);
        QVERIFY(a->isEnabled());
    }

    void modeSwitch()
    {
        Model model;
        RealAtoNTab tab(&model);
        QSignalSpy inlandSpy(&tab, &RealAtoNTab::UpdateInlandMode);
        auto* types = Child<QComboBox>(tab, "comboTypeOfAtoN");

        // Type 0: the mode alone changes, and that is an edit to keep.
        Child<QRadioButton>(tab, "radioButtonMode_inland")->click();
        QVERIFY(model.GetRealAtoN()->IsInland());
        QCOMPARE(inlandSpy.size(), 1);
        QCOMPARE(inlandSpy.at(0).at(0).toBool(), true);
        QCOMPARE(types->itemText(1), QStringLiteral(" (1)  Channel near right bank"));
        QVERIFY(tab.IsEdited());

        Choose(types, 19);
        QCOMPARE(model.GetRealAtoN()->GetInlandTypeCode(), 51);
        // A click on the mode already shown keeps the type.
        Child<QRadioButton>(tab, "radioButtonMode_inland")->click();
        QCOMPARE(model.GetRealAtoN()->GetTypeOfAtoN(), 19);

        Child<QRadioButton>(tab, "radioButtonMode_sea")->click();
        QVERIFY(!model.GetRealAtoN()->IsInland());
        QCOMPARE(model.GetRealAtoN()->GetTypeOfAtoN(), 0);
        QCOMPARE(model.GetRealAtoN()->GetInlandTypeCode(), 0);
        QCOMPARE(inlandSpy.last().at(0).toBool(), false);
    }

    void directionOfImpact()
    {
        Model model;
        model.GetRealAtoN()->SetName(QStringLiteral("LOCK GATE"));
        model.GetRealAtoN()->SetInland(true);
        RealAtoNTab tab(&model);
        auto* types = Child<QComboBox>(tab, "comboTypeOfAtoN");
        auto* name = Child<QLineEdit>(tab, "lineName");

        AnswerDirectionDialog(90, true);
        Choose(types, 16);
        QCOMPARE(name->text(), QStringLiteral("LOCK GATE%%90"));
        QCOMPARE(model.GetRealAtoN()->GetName(), QStringLiteral("LOCK GATE%%90"));
        QCOMPARE(model.GetRealAtoN()->GetTypeOfAtoN(), 16);

        // Removing the marker by hand is undone.
        name->setCursorPosition(10);
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(name->text(), QStringLiteral("LOCK GATE%%90"));

        // Another inland type drops the suffix.
        Choose(types, 5);
        QCOMPARE(model.GetRealAtoN()->GetName(), QStringLiteral("LOCK GATE"));

        // Cancelled: back to the first type, the name as it was.
        AnswerDirectionDialog(0, false);
        Choose(types, 17);
        QCOMPARE(types->currentIndex(), 0);
        QCOMPARE(model.GetRealAtoN()->GetTypeOfAtoN(), 0);
        QCOMPARE(name->text(), QStringLiteral("LOCK GATE"));
    }

    void nameLimits()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* name = Child<QLineEdit>(tab, "lineName");
        QSignalSpy edits(&tab, &RealAtoNTab::Edited);

        Type(name, QStringLiteral("pier head"));
        QCOMPARE(model.GetRealAtoN()->GetName(), QStringLiteral("PIER HEAD"));
        QVERIFY(!edits.isEmpty());

        Type(name, QString(40, QLatin1Char('X')));
        QCOMPARE(model.GetRealAtoN()->GetName(), QString(34, QLatin1Char('X')));

        // Characters outside the AIS set are refused; reserved ones count three each.
        Type(name, QStringLiteral("A{B~C"));
        QCOMPARE(name->text(), QStringLiteral("ABC"));
        Type(name, QString(20, QLatin1Char(',')));
        QCOMPARE(name->text(), QString(17, QLatin1Char(',')));
    }

    void offPositionRules()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* threshold = Child<QSpinBox>(tab, "spinBoxOffPositionThreshold");
        auto* warning = Child<QLabel>(tab, "labelOffPositionFeedback");
        auto* check = Child<QCheckBox>(tab, "checkBoxOffPositionCheck");
        QSignalSpy selections(&tab, &RealAtoNTab::offPositionSelection);

        threshold->setValue(19);
        QVERIFY(!warning->isHidden());
        QCOMPARE(model.GetRealAtoN()->GetOffPositionThreshold(), 19);
        threshold->setValue(20);
        QVERIFY(warning->isHidden());
        threshold->setValue(5);
        QCOMPARE(threshold->value(), 10);
        threshold->setValue(5000);
        QCOMPARE(threshold->value(), 4095);

        // Off screen the Message 21 reminder is not shown, so nothing blocks here.
        check->click();
        QCOMPARE(model.GetRealAtoN()->GetOffPositionCheck(), 1);
        QCOMPARE(selections.size(), 1);
        QCOMPARE(selections.at(0).at(0).toBool(), true);

        // From the schedule tab: the same rule, no echo when nothing changes.
        tab.OnCheckBoxOffPositionCheckTicked(true);
        QCOMPARE(selections.size(), 1);
        tab.OnCheckBoxOffPositionCheckTicked(false);
        QCOMPARE(model.GetRealAtoN()->GetOffPositionCheck(), 0);
        QCOMPARE(selections.size(), 2);
        QCOMPARE(selections.at(1).at(0).toBool(), false);

        auto* ack = Child<QCheckBox>(tab, "checkBoxAckProcedure");
        ack->click();
        QCOMPARE(model.GetRealAtoN()->GetAckProcedure(), 0);

        // On screen, ticking the box reminds the user of the schedule's Message 21 entry.
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QString reminder;
        QTimer::singleShot(0,
                           [&reminder]()
                           {
                               auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                               QVERIFY(box != nullptr);
                               reminder = box->text();
                               box->accept();
                           });
        check->click();
        QCOMPARE(reminder, QStringLiteral("Please ensure that Message 21 (Index 2) \nis configured correctly on the "
                                          "Message \nSchedule Tab"));
        QCOMPARE(model.GetRealAtoN()->GetOffPositionCheck(), 1);
    }

    void positionTyping()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* latitude = Child<QLineEdit>(tab, "lineLatitude");
        auto* longitude = Child<QLineEdit>(tab, "lineLongitude");

        Type(latitude, QStringLiteral("12 30 00 S"));
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLatitude(), -12.5);
        Q_EMIT latitude->editingFinished();
        QCOMPARE(latitude->text(), QStringLiteral("12\u00b0 30' 0.000\" S"));
        QVERIFY(latitude->toolTip().startsWith(QStringLiteral("-12.500000\n")));

        // The same value typed again is still an edit.
        tab.ClearEdited();
        Type(latitude, QStringLiteral("-12.5"));
        QVERIFY(tab.IsEdited());

        // Empty or out of range: no position, and the check fails.
        Type(longitude, QStringLiteral("200"));
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLongitude(), 181.0);
        Type(longitude, QStringLiteral("5 30 W"));
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLongitude(), -5.5);
        latitude->clear();
        Q_EMIT latitude->textEdited(QString());
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLatitude(), 91.0);
        QVERIFY(!tab.IsConfigurationComplete());
    }

    void hostileCoordinates_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"nan", "-inf", "1e400", "\xc2\xb0\xc2\xb0\xc2\xb0", "''''\"\"", "--", "-", "91",
                                 "12:::", "d m s", "89 59 60.5 N", "1e-400", "  ;  "})
        {
            QTest::newRow(text) << QString::fromUtf8(text);
        }
    }

    void hostileCoordinates()
    {
        // Whatever is typed, the record holds a position in range or "not available".
        QFETCH(QString, text);
        Model model;
        RealAtoNTab tab(&model);
        Type(Child<QLineEdit>(tab, "lineLatitude"), text);
        Type(Child<QLineEdit>(tab, "lineLongitude"), text);
        Q_EMIT Child<QLineEdit>(tab, "lineLatitude")->editingFinished();
        const GeoPosition* position = model.GetRealAtoN()->GetPosition();
        QVERIFY(qAbs(position->GetLatitude()) <= 90.0 || position->GetLatitude() == 91.0);
        QVERIFY(qAbs(position->GetLongitude()) <= 180.0 || position->GetLongitude() == 181.0);
    }

    void addressedMmsiReset()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetAddressMMSI(QStringLiteral("235000111"));
        RealAtoNTab tab(&model);
        Child<QCheckBox>(tab, "checkBoxDeleteAddressedMMSI")->setChecked(true);
        tab.ClearEdited();

        tab.ResetAddressedMMSI();
        QCOMPARE(Child<QLineEdit>(tab, "lineAddressMMSI")->text(), QStringLiteral("000000000"));
        QCOMPARE(model.GetRealAtoN()->GetAtoNMMSI()->GetAddressMMSI(), QStringLiteral("000000000"));
        QVERIFY(!model.GetRealAtoN()->GetAtoNMMSI()->GetAuxFlag());
        QVERIFY(!Child<QCheckBox>(tab, "checkBoxDeleteAddressedMMSI")->isChecked());
        QVERIFY(tab.IsEdited());
    }

    void completeness_data()
    {
        QTest::addColumn<QString>("mmsi");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("gnss");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<bool>("complete");
        QTest::newRow("complete") << "235012345"
                                  << "BUOY" << 1 << 50.0 << -1.0 << true;
        QTest::newRow("bad MMSI") << "23501234"
                                  << "BUOY" << 1 << 50.0 << -1.0 << false;
        QTest::newRow("no name") << "235012345"
                                 << "" << 1 << 50.0 << -1.0 << false;
        QTest::newRow("undefined GNSS") << "235012345"
                                        << "BUOY" << 0 << 50.0 << -1.0 << false;
        QTest::newRow("no latitude") << "235012345"
                                     << "BUOY" << 1 << 91.0 << -1.0 << false;
        QTest::newRow("no longitude") << "235012345"
                                      << "BUOY" << 1 << 50.0 << 181.0 << false;
    }

    void completeness()
    {
        QFETCH(QString, mmsi);
        QFETCH(QString, name);
        QFETCH(int, gnss);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(bool, complete);
        Model model;
        AtoN* a = model.GetRealAtoN();
        a->GetAtoNMMSI()->SetMMSI(mmsi);
        a->SetName(name);
        a->SetGnssType(gnss);
        a->GetPosition()->SetLatitude(latitude);
        a->GetPosition()->SetLongitude(longitude);
        RealAtoNTab tab(&model);
        QCOMPARE(tab.IsConfigurationComplete(), complete);
    }

    // ---- GNSS selection -------------------------------------------------------------------------

    void receiverKind()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* gnss = Child<QComboBox>(tab, "comboTypeOfGnss");

        tab.onUbloxM8(1);
        QCOMPARE(gnss->count(), 14);
        QVERIFY(!tab.IsEdited());

        // GPS is in both lists: kept, and nothing to save.
        tab.onUbloxM8(0);
        QCOMPARE(gnss->count(), 3);
        QCOMPARE(gnss->currentText(), QStringLiteral("GPS"));
        QVERIFY(!tab.IsEdited());
        QCOMPARE(model.GetRealAtoN()->GetGnssType(), 1);

        tab.onUbloxM8(1);
        Choose(gnss, AtoNDef::GNSS_GALILEO);
        tab.ClearEdited();
        tab.onUbloxM8(0);
        QCOMPARE(gnss->currentText(), QStringLiteral("GPS"));
        QCOMPARE(model.GetRealAtoN()->GetGnssType(), 1);
        QVERIFY(tab.IsEdited());

        tab.onReceivedGnssMode(13);
        QCOMPARE(gnss->currentText(), QStringLiteral("Surveyed"));
        QVERIFY(Child<QComboBox>(tab, "comboPositionAccuracy")->isEnabled());
        QVERIFY(!ItemEnabled(Child<QComboBox>(tab, "comboTypeOfAtoN"), 25));

        // A system the basic list does not offer: no selection, stored as Undefined.
        tab.onReceivedGnssMode(AtoNDef::GNSS_BEIDOU);
        QCOMPARE(gnss->currentIndex(), -1);
        QCOMPARE(model.GetRealAtoN()->GetGnssType(), 0);
        QVERIFY(!tab.IsConfigurationComplete());
    }

    // ---- Position averaging ---------------------------------------------------------------------

    void averagingRun()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* button = Child<QPushButton>(tab, "pushButtonGetGPSPosition");
        auto* accuracy = Child<QComboBox>(tab, "comboPositionAccuracy");
        auto* latitude = Child<QLineEdit>(tab, "lineLatitude");
        Gnss gnss;

        // Before a click a fix only enables the button.
        gnss.Sample(50.0, -1.0);
        tab.OnGpsDataReceived(&gnss.data);
        QVERIFY(button->isEnabled());
        QVERIFY(!tab.IsAveraging());
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLatitude(), 91.0);

        button->click();
        QVERIFY(tab.IsAveraging());
        QVERIFY(button->isChecked());
        QVERIFY(!latitude->isEnabled());
        QCOMPARE(button->text(), QStringLiteral("Get GNSS\nPosition"));

        QSignalSpy edits(&tab, &RealAtoNTab::Edited);
        gnss.Sample(50.0, -1.0, GpsData::ModeDifferential);
        tab.OnGpsDataReceived(&gnss.data);
        QCOMPARE(button->text(), QStringLiteral("Averaging\n position...\n 299 secs"));
        QCOMPARE(accuracy->currentData().toInt(), int(AtoNDef::HIGH));
        QCOMPARE(model.GetRealAtoN()->GetPositionAccuracy(), int(AtoNDef::HIGH));
        QVERIFY(!accuracy->isEnabled());
        QVERIFY(tab.IsEdited());
        QVERIFY(!edits.isEmpty());

        // A fix without a position is skipped; the mean is of the positions alone.
        gnss.Sample(91.0, 181.0);
        tab.OnGpsDataReceived(&gnss.data);
        gnss.Sample(50.2, -1.2, GpsData::ModeAutonomous);
        tab.OnGpsDataReceived(&gnss.data);
        QCOMPARE(button->text(), QStringLiteral("Averaging\n position...\n 298 secs"));
        QCOMPARE(accuracy->currentData().toInt(), int(AtoNDef::LOW));
        QVERIFY(qAbs(model.GetRealAtoN()->GetPosition()->GetLatitude() - 50.1) < 1e-9);
        QVERIFY(qAbs(model.GetRealAtoN()->GetPosition()->GetLongitude() + 1.1) < 1e-9);
        QCOMPARE(latitude->text(), model.GetRealAtoN()->GetPosition()->LatitudeToDMS());

        // No fix: the run ends and the mean so far stays.
        gnss.Sample(0.0, 0.0, GpsData::ModeNoFix);
        tab.OnGpsDataReceived(&gnss.data);
        QVERIFY(!tab.IsAveraging());
        QVERIFY(!button->isChecked());
        QVERIFY(button->isEnabled());
        QVERIFY(latitude->isEnabled());
        QVERIFY(!accuracy->isEnabled()); // GPS, not surveyed
        QCOMPARE(button->text(), QStringLiteral("Get GNSS\nPosition"));
        QVERIFY(qAbs(model.GetRealAtoN()->GetPosition()->GetLatitude() - 50.1) < 1e-9);

        // A second click stops a run; a lost fix (null) also does.
        button->click();
        QVERIFY(tab.IsAveraging());
        button->click();
        QVERIFY(!tab.IsAveraging());
        button->click();
        tab.OnGpsDataReceived(nullptr);
        QVERIFY(!tab.IsAveraging());
    }

    void averagingEndsAfterFullRun()
    {
        Model model;
        model.GetRealAtoN()->SetGnssType(AtoNDef::GNSS_SURVEYED);
        RealAtoNTab tab(&model);
        auto* button = Child<QPushButton>(tab, "pushButtonGetGPSPosition");
        Gnss gnss;
        gnss.Sample(10.0, 20.0);
        tab.OnGpsDataReceived(&gnss.data);
        button->click();
        double sum = 0.0;
        for (int i = 0; i < RealAtoNTab::AveragingSampleCount; ++i)
        {
            const double latitude = 10.0 + (i % 7) * 0.001;
            sum += latitude;
            gnss.Sample(latitude, 20.0, GpsData::ModePrecise);
            tab.OnGpsDataReceived(&gnss.data);
            if (i == RealAtoNTab::AveragingSampleCount - 2)
            {
                QCOMPARE(button->text(), QStringLiteral("Averaging\n position...\n 1 secs"));
            }
        }
        QVERIFY(!tab.IsAveraging());
        QVERIFY(!button->isChecked());
        QCOMPARE(button->text(), QStringLiteral("Get GNSS\nPosition"));
        QVERIFY(qAbs(model.GetRealAtoN()->GetPosition()->GetLatitude() - sum / 300) < 1e-9);
        // Surveyed: the accuracy is the user's again once the run ends.
        QVERIFY(Child<QComboBox>(tab, "comboPositionAccuracy")->isEnabled());

        // Further fixes change nothing.
        gnss.Sample(11.0, 21.0);
        tab.OnGpsDataReceived(&gnss.data);
        QVERIFY(qAbs(model.GetRealAtoN()->GetPosition()->GetLatitude() - sum / 300) < 1e-9);
    }

    void averagingAcrossAntimeridian_data()
    {
        QTest::addColumn<QList<double>>("longitudes");
        QTest::addColumn<double>("mean");
        QTest::newRow("east first") << QList<double>{179.8, -179.9} << 179.95;
        QTest::newRow("west first") << QList<double>{-179.8, 179.9} << -179.95;
        QTest::newRow("straddling evenly") << QList<double>{179.5, -179.5} << 180.0;
        QTest::newRow("greenwich") << QList<double>{-0.5, 0.3} << -0.1;
    }

    void averagingAcrossAntimeridian()
    {
        QFETCH(QList<double>, longitudes);
        QFETCH(double, mean);
        Model model;
        RealAtoNTab tab(&model);
        Gnss gnss;
        gnss.Sample(0.0, 0.0);
        tab.OnGpsDataReceived(&gnss.data);
        Child<QPushButton>(tab, "pushButtonGetGPSPosition")->click();
        for (double longitude : longitudes)
        {
            gnss.Sample(-17.0, longitude);
            tab.OnGpsDataReceived(&gnss.data);
        }
        const double stored = model.GetRealAtoN()->GetPosition()->GetLongitude();
        QVERIFY2(qAbs(stored - mean) < 1e-9 || qAbs(qAbs(stored) - 180.0) + qAbs(qAbs(mean) - 180.0) < 1e-9,
                 qPrintable(QString::number(stored, 'f', 9)));
    }

    void loadStopsAveraging()
    {
        Model model;
        RealAtoNTab tab(&model);
        auto* button = Child<QPushButton>(tab, "pushButtonGetGPSPosition");
        Gnss gnss;
        gnss.Sample(10.0, 20.0);
        tab.OnGpsDataReceived(&gnss.data);
        button->click();
        tab.OnGpsDataReceived(&gnss.data);

        Model source;
        source.GetRealAtoN()->SetGnssType(AtoNDef::GNSS_SURVEYED);
        source.GetRealAtoN()->GetPosition()->SetLatitude(-33.0);
        tab.UpdateTabFromModel(&source);
        QVERIFY(!tab.IsAveraging());
        QVERIFY(!button->isChecked());
        QCOMPARE(button->text(), QStringLiteral("Get GNSS\nPosition"));
        QVERIFY(Child<QLineEdit>(tab, "lineLatitude")->isEnabled());
        QVERIFY(Child<QComboBox>(tab, "comboPositionAccuracy")->isEnabled());

        // A late fix no longer writes over the loaded position.
        tab.OnGpsDataReceived(&gnss.data);
        QCOMPARE(model.GetRealAtoN()->GetPosition()->GetLatitude(), -33.0);

        tab.DisableGetGnssPositionButton();
        QVERIFY(!button->isEnabled());
    }
};

KELVANE_TEST_GUI_MAIN(TestRealAtoNTab)
#include "tst_RealAtoNTab.moc"
