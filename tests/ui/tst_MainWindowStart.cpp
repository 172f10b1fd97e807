// The main window as it starts: tab sets, menus, tool bars, status bar, title and what is enabled; the tab
// set chosen by the port's description; tab icons, the progress bar's hide delay and the edited mark.

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "app/KelvaneApplication.h"
#include "comms/StateMachine.h"
#include "decoders/AlarmData.h"
#include "model/ADCSettingsModel.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/VirtualAtoNModel.h"
#include "support/AppTestFixture.h"
#include "support/WindowTestFixture.h"
#include "ui/AtoNConfiguration.h"
#include "ui/MainWindow.h"
#include "ui/VirtualAtoNTab.h"
#include "ui/VirtualAtoNWidget.h"
#include "ui/monitor/StatusTab.h"
#include "ui/monitor/SystemInformationTab.h"

using KelvaneTest::App;
using KelvaneTest::Child;

namespace
{

// Stand-in ports: plain files, there but no ports that open, so in use to the tool; only their list texts
// matter here. In a directory of their own, so that runs side by side do not share them.
const QTemporaryDir StandIns;
const QString SensorPort = StandIns.filePath(QStringLiteral("sensor"));
const QString AtoNPort = StandIns.filePath(QStringLiteral("aton"));
const QString OtherPort = StandIns.filePath(QStringLiteral("usb"));

bool PlaceStandIn(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

QImage IconImage(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage();
}

// The shown line edits and labels under the widget that cannot show all of their text.
QStringList ClippedTexts(const QWidget* root)
{
    QStringList clipped;
    for (QLineEdit* edit : root->findChildren<QLineEdit*>())
    {
        if (!edit->isVisible() || edit->text().isEmpty() || qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) ||
            qobject_cast<QComboBox*>(edit->parentWidget()))
            continue;
        // The field's own size hint is room for 17 'x' beside its frame and margins.
        const QFontMetrics metrics = edit->fontMetrics();
        const int chrome = edit->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
        if (metrics.horizontalAdvance(edit->text()) + chrome > edit->width())
            clipped << edit->objectName() + QStringLiteral(": ") + edit->text();
    }
    for (QLabel* label : root->findChildren<QLabel*>())
    {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QSize needed = label->wordWrap()
                                 ? QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()))
                                 : label->sizeHint();
        if (needed.width() > label->width() || needed.height() > label->height())
            clipped << label->objectName() + QStringLiteral(": ") + label->text();
    }
    return clipped;
}

// Lets the posted layout requests run, so that sizes are final.
void SettleLayouts()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The VDL Control page's row captions whose row (the widgets in that row of each request group beside them)
// does not stand level with them, each with the offset in pixels.
QStringList UnlevelRows(const QWidget* page)
{
    const std::pair<QList<const char*>, QList<const char*>> areas[] = {
        {{"label", "label_2", "label_4"}, {"groupBox_AID", "groupBox_ARW_AAR", "groupBox_ACE_ACF"}},
        {{"label_25", "label_26", "label_27", "label_28"},
         {"groupBox_AID_Query", "groupBox_ARW_AAR_Query", "groupBox_ACE_ACF_Query"}}};
    QStringList unlevel;
    for (const auto& [captions, groups] : areas)
        for (int row = 0; row < int(captions.size()); ++row)
        {
            const auto* caption = Child<QLabel>(page, QLatin1String(captions.at(row)));
            const int level = caption->mapTo(page, caption->rect().center()).y();
            for (const char* group : groups)
            {
                const auto* grid = static_cast<QGridLayout*>(Child<QGroupBox>(page, QLatin1String(group))->layout());
                for (int column = 0; column < grid->columnCount(); ++column)
                    if (const QLayoutItem* item = grid->itemAtPosition(row, column); item && item->widget())
                    {
                        const QWidget* cell = item->widget();
                        const int offset = cell->mapTo(page, cell->rect().center()).y() - level;
                        if (qAbs(offset) > 1)
                            unlevel
                                << QStringLiteral("%1 %2 %3 px").arg(caption->text(), cell->objectName()).arg(offset);
                    }
            }
        }
    return unlevel;
}

// The contrast ratio (WCAG) between the darkest and the lightest pixel of the part of the widget: its text
// against its background.
double Contrast(QWidget* widget, const QRect& part)
{
    const QImage image = widget->grab(part).toImage();
    const auto luminance = [](QRgb pixel)
    {
        const auto linear = [](int channel)
        {
            const double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) + 0.0722 * linear(qBlue(pixel));
    };
    double darkest = 1.0, lightest = 0.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            darkest = std::min(darkest, luminance(image.pixel(x, y)));
            lightest = std::max(lightest, luminance(image.pixel(x, y)));
        }
    return (lightest + 0.05) / (darkest + 0.05);
}

// The menu's entries, a separator as "-": their object names, or their texts.
QStringList MenuEntries(const QMenu* menu, bool texts = false)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : texts ? action->text() : action->objectName());
    return entries;
}

// A table of one column: each row a tag and its value.
template <typename T> void OneColumn(const char* column, std::initializer_list<std::pair<const char*, T>> rows)
{
    QTest::addColumn<T>(column);
    for (const auto& [tag, value] : rows)
        QTest::newRow(tag) << value;
}

} // namespace

class TestMainWindowStart : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void titleAndStatusAtStart();
    void tabSets_data();
    void tabSets();
    void menusAndActions_data();
    void menusAndActions();
    void toolBars();
    void enabledStatesAtStart();
    void portDescriptionChoosesTabSet_data();
    void portDescriptionChoosesTabSet();
    void portChangeClearsVdlMode();
    void storedPortThatIsGoneSelectsTheFirst();
    void vanishedPortKeepsItsPlace_data();
    void vanishedPortKeepsItsPlace();
    void tabIcons_data();
    void tabIcons();
    void progressBarHideDelay();
    void editMarksTheTabItBelongsTo_data();
    void editMarksTheTabItBelongsTo();
    void offPositionCheckMarksTheSchedule();
    void aarRefusalWarnsOncePerSend();
    void aboutRunsTheDialog();
    void everyTabFitsTheWindow_data();
    void everyTabFitsTheWindow();
    void exitClosesAnUnmodifiedWindow();

private:
    void SelectPort(const QString& path) const;
    QWidget* Tab(const char* name) const { return Widget<QWidget>(name); }
};

void TestMainWindowStart::initTestCase()
{
    KelvaneTestInitResources();
    QVERIFY(QFile::exists(QStringLiteral(":/Images/TabSynced.png")));
    for (const QString& port : {SensorPort, AtoNPort, OtherPort})
        QVERIFY(PlaceStandIn(port));
    qputenv("KELVANE_SIMULATED_PORTS", (SensorPort + QStringLiteral("=AIS AtoN Sensor;") + AtoNPort +
                                        QStringLiteral("=AIS AtoN;") + OtherPort + QStringLiteral("=USB Serial Port"))
                                           .toLocal8Bit());
    App()->SetPortName(AtoNPort);
    QVERIFY(ShowWindow());
}

void TestMainWindowStart::cleanupTestCase()
{
    delete window;
}

void TestMainWindowStart::SelectPort(const QString& path) const
{
    auto* combo = Widget<QComboBox>("comboBoxPort");
    const int index = combo->findData(path);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
}

void TestMainWindowStart::titleAndStatusAtStart()
{
    // No title of its own: the toolkit shows the file's name, with the modified mark when modified.
    QCOMPARE(window->windowFilePath(), QStringLiteral("untitled.kln"));
    QCOMPARE(window->windowTitle(), QStringLiteral("untitled.kln[*]"));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->size(), QSize(842, 483).expandedTo(window->minimumSizeHint()));
    QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Ready"));
    QVERIFY(!Widget<QProgressBar>("progressBar")->isVisible());
    auto* utc = Widget<QLabel>("labelUtc");
    QCOMPARE(utc->text(), QStringLiteral(" No GNSS "));
    QVERIFY(!utc->isEnabled());
    QCOMPARE(utc->toolTip(), QStringLiteral("Displays the current UTC time as supplied by the GPS"));
}

void TestMainWindowStart::tabSets_data()
{
    QTest::addColumn<bool>("sensorSet");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("className");

    // The AtoN set's ten tabs, then the sensor set's five: object name, label, class.
    const char* const tabs[][3] = {
        {"tabRealAtoN", "Real\nAtoN", "RealAtoNTab"},
        {"tabMessageSchedule", "Message\nSchedule", "MessageScheduleTab"},
        {"tabVirtualAtoN", "Virtual\nAtoN(s)", "VirtualAtoNTab"},
        {"tabStatusInputConfiguration", "Status\nInputs", "StatusInputConfigurationTab"},
        {"tabAlertMessages", "Alert\nMessages", "AlertMessagesTab"},
        {"tabRepeaterConfiguration", "Repeater", "RepeaterControlsTab"},
        {"tabVdl", "VDL", "VdlTab"},
        {"tabGpsStatus", "GNSS", "GpsStatusTab"},
        {"tabStatusData", "Diagnostics", "StatusTab"},
        {"tabSerialData", "Serial\nData", "SerialTab"},
        {"tabSensorSettings", "Sensor Settings", "SensorSettingsTab"},
        {"tabADCSettings", "ADC Settings", "ADCSettingsTab"},
        {"tabMessageSettings", "Message Settings", "MessageSettingsTab"},
        {"tabSystemInformation", "System Information", "SystemInformationTab"},
        {"tabLiveData", "Live Data", "LiveDataTab"},
    };
    for (int i = 0; i < 15; ++i)
        QTest::newRow(tabs[i][0]) << (i >= 10) << i % 10 << tabs[i][0] << tabs[i][1] << tabs[i][2];
}

void TestMainWindowStart::tabSets()
{
    QFETCH(bool, sensorSet);
    QFETCH(int, position);
    QFETCH(QString, objectName);
    QFETCH(QString, label);
    QFETCH(QString, className);

    QTabWidget* tabs = sensorSet ? window->GetSensorTabWidget() : window->GetAtoNTabWidget();
    QCOMPARE(tabs->count(), sensorSet ? 5 : 10);
    QWidget* page = tabs->widget(position);
    QVERIFY(page);
    QCOMPARE(page->objectName(), objectName);
    QCOMPARE(tabs->tabText(position), label);
    QCOMPARE(QString::fromLatin1(page->metaObject()->className()), className);
    QCOMPARE(Widget<QStackedWidget>("stackedWidget")->indexOf(tabs), sensorSet ? 1 : 0);
}

void TestMainWindowStart::menusAndActions_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("hasIcon");

    const auto row =
        [](const char* tag, const char* name, const char* text, const char* toolTip, const char* shortcut, bool hasIcon)
    { QTest::newRow(tag) << QString(name) << QString(text) << QString(toolTip) << QString(shortcut) << hasIcon; };
    row("new", "actionNewFile", "&New File", "Create a new file", "Ctrl+N", true);
    row("open", "actionOpenFile", "&Open File...", "Open an existing file", "Ctrl+O", true);
    row("save", "actionSaveFile", "&Save File", "Save the current file", "Ctrl+S", true);
    row("save as", "actionSave_As", "Save &As...", "Save the current file with a new name", "", false);
    row("close", "actionCloseFile", "&Close File", "Close the current file", "", false);
    row("exit", "actionExit", "E&xit", "Quit the application", "", false);
    row("about", "actionAbout", "&About...", "About this application", "", false);
}

void TestMainWindowStart::menusAndActions()
{
    QFETCH(QString, objectName);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);
    QFETCH(QString, shortcut);
    QFETCH(bool, hasIcon);

    auto* action = Child<QAction>(window, objectName);
    QCOMPARE(action->text(), text);
    QCOMPARE(action->toolTip(), toolTip);
    QCOMPARE(action->shortcut().toString(), shortcut);
    QCOMPARE(!action->icon().isNull(), hasIcon);

    // The menus hold the actions in their order, with separators between the groups.
    QCOMPARE(MenuEntries(Widget<QMenu>("menuFile")),
             QStringList({"actionNewFile", "actionOpenFile", "-", "actionSaveFile", "actionSave_As", "-",
                          "actionCloseFile", "-", "actionExit"}));
    QCOMPARE(Widget<QMenu>("menuHelp")->title(), QStringLiteral("&Help"));
    QCOMPARE(MenuEntries(Widget<QMenu>("menuHelp")), QStringList({"-", "actionAbout"}));
    // The transfer menus read as they will after any change of transfer mode: the "all" entries first, from
    // the start.
    QCOMPARE(MenuEntries(Widget<QMenu>("menuRetrieve")),
             QStringList({"actionRetrieveAll", "actionRetrieveCurrentTab"}));
    QCOMPARE(MenuEntries(Widget<QMenu>("menuSend")), QStringList({"actionSendAll", "actionSendCurrentTab"}));
}

void TestMainWindowStart::toolBars()
{
    auto* port = Widget<QToolBar>("toolBarPort");
    auto* transfer = Widget<QToolBar>("toolBarTransfer");
    QCOMPARE(window->toolBarArea(port), Qt::TopToolBarArea);
    QCOMPARE(window->toolBarArea(transfer), Qt::TopToolBarArea);
    QVERIFY(window->toolBarBreak(transfer));
    QCOMPARE(transfer->iconSize(), QSize(72, 24));
    QCOMPARE(port->allowedAreas(), Qt::TopToolBarArea | Qt::BottomToolBarArea);

    QVERIFY(Child<QComboBox>(port, QStringLiteral("comboBoxPort"))->minimumSize().width() >= 400);
    QCOMPARE(Child<QPushButton>(port, QStringLiteral("pushButtonConnect"))->text(), QStringLiteral("Connect"));
    QCOMPARE(Child<QPushButton>(port, QStringLiteral("pushButtonDisconnect"))->text(), QStringLiteral("Disconnect"));

    auto* retrieve = Child<QToolButton>(transfer, QStringLiteral("toolButtonRetrieve"));
    auto* send = Child<QToolButton>(transfer, QStringLiteral("toolButtonSend"));
    QCOMPARE(retrieve->toolTip(), QStringLiteral("Retrieve configuration from AtoN"));
    QCOMPARE(send->toolTip(), QStringLiteral("Send configuration to AtoN"));
    QCOMPARE(retrieve->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(retrieve->menu()->title(), QStringLiteral("Retrieve from AtoN"));
    QCOMPARE(send->menu()->title(), QStringLiteral("Send to AtoN"));
    QCOMPARE(IconImage(retrieve->icon()), IconImage(QIcon(QStringLiteral(":/Images/AtoNtoPC.png"))));
    QCOMPARE(IconImage(send->icon()), IconImage(QIcon(QStringLiteral(":/Images/PCtoAtoN.png"))));
}

void TestMainWindowStart::enabledStatesAtStart()
{
    SelectPort(AtoNPort);
    for (const char* name : {"actionSave_As", "comboBoxPort", "pushButtonConnect"})
        QVERIFY2(Widget<QObject>(name)->property("enabled").toBool(), name);
    for (const char* name :
         {"actionSaveFile", "pushButtonDisconnect", "toolButtonRetrieve", "toolButtonSend", "menuRetrieve", "menuSend"})
        QVERIFY2(!Widget<QObject>(name)->property("enabled").toBool(), name);
    QVERIFY(!window->IsLinkOpen());
}

void TestMainWindowStart::portDescriptionChoosesTabSet_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("sensorSet");
    QTest::addColumn<bool>("serialDataEnabled");
    QTest::addColumn<bool>("gnssQueriesInhibited");
    QTest::addColumn<QString>("utcText");

    // The sensor set hides the AtoN set and leaves its Serial Data tab as the AtoN port had it.
    QTest::newRow("sensor") << SensorPort << true << true << true << QString();
    QTest::newRow("aton") << AtoNPort << false << true << false << QStringLiteral(" No GNSS ");
    QTest::newRow("other") << OtherPort << false << false << true << QStringLiteral(" No GNSS ");
}

void TestMainWindowStart::portDescriptionChoosesTabSet()
{
    QFETCH(QString, port);
    QFETCH(bool, sensorSet);
    QFETCH(bool, serialDataEnabled);
    QFETCH(bool, gnssQueriesInhibited);
    QFETCH(QString, utcText);

    // Start from another set so that the choice is made again.
    SelectPort(port == AtoNPort ? OtherPort : AtoNPort);
    QSignalSpy sensorSpy(window, &MainWindow::SensorPortSelected);
    QSignalSpy inhibitSpy(window, &MainWindow::inhibitGpsFiltAndTypeQuery);
    SelectPort(port);

    QCOMPARE(App()->GetPortName(), port);
    // The stand-in's path cannot be opened: the port is marked as taken.
    QVERIFY(Widget<QComboBox>("comboBoxPort")->currentText().endsWith(QStringLiteral(")- IN USE")));
    QCOMPARE(window->IsSensorMode(), sensorSet);
    QCOMPARE(App()->GetStateMachine()->IsSensorMode(), sensorSet);
    QVERIFY(!sensorSpy.isEmpty());
    QCOMPARE(sensorSpy.last().at(0).toBool(), sensorSet);
    QVERIFY(!inhibitSpy.isEmpty());
    QCOMPARE(inhibitSpy.last().at(0).toBool(), gnssQueriesInhibited);
    QCOMPARE(Widget<QStackedWidget>("stackedWidget")->currentIndex(), sensorSet ? 1 : 0);
    QCOMPARE(Widget<QLabel>("labelUtc")->text(), utcText);
    QCOMPARE(Tab("tabSerialData")->isEnabled(), serialDataEnabled);
    QCOMPARE(window->GetAtoNTabWidget()->currentIndex(), 0);

    // The sensor set transfers only whole; the AtoN set one tab or all, the current tab by default.
    auto* retrieve = RetrieveButton();
    auto* send = Widget<QToolButton>("toolButtonSend");
    const QStringList retrieveEntries = MenuEntries(Widget<QMenu>("menuRetrieve"), true);
    const QStringList sendEntries = MenuEntries(Widget<QMenu>("menuSend"), true);
    QCOMPARE(retrieve->defaultAction()->objectName(),
             QString(sensorSet ? "actionRetrieveAll" : "actionRetrieveCurrentTab"));
    QCOMPARE(send->defaultAction()->objectName(), QString(sensorSet ? "actionSendAll" : "actionSendCurrentTab"));
    if (sensorSet)
    {
        QCOMPARE(retrieveEntries, QStringList({"Retrieve all configuration"}));
        QCOMPARE(sendEntries, QStringList({"Send all configuration"}));
    }
    else
    {
        QCOMPARE(retrieveEntries.size(), 2);
        QVERIFY(retrieveEntries.contains(QStringLiteral("Retrieve current tab only")));
        QCOMPARE(sendEntries.size(), 2);
    }
    // The unit's own configuration tabs are shown only for an AtoN.
    for (const char* name : {"tabRealAtoN", "tabMessageSchedule", "tabVirtualAtoN", "tabStatusInputConfiguration",
                             "tabAlertMessages", "tabRepeaterConfiguration"})
        QCOMPARE(Tab(name)->isEnabled(), !sensorSet);
    QVERIFY(Tab("tabVdl")->isEnabled());
    // Whatever the set, the buttons keep their own look and stay off while disconnected.
    QCOMPARE(IconImage(retrieve->icon()), IconImage(QIcon(QStringLiteral(":/Images/AtoNtoPC.png"))));
    QVERIFY(!retrieve->isEnabled() && !send->isEnabled());
}

void TestMainWindowStart::portChangeClearsVdlMode()
{
    SelectPort(AtoNPort);
    Model* tabs = App()->GetTabModel();
    tabs->GetVdlModel()->useVdl = true;
    window->EvaluateConnectionWidgets(true);
    QVERIFY(!Tab("tabRealAtoN")->isEnabled());
    SelectPort(OtherPort);
    QVERIFY(!tabs->GetVdlModel()->useVdl);
    QVERIFY(Tab("tabRealAtoN")->isEnabled());
}

void TestMainWindowStart::storedPortThatIsGoneSelectsTheFirst()
{
    App()->SetPortName(QStringLiteral("/dev/kelvane-no-such-port"));
    window->RefreshSerialPortList();
    auto* combo = Widget<QComboBox>("comboBoxPort");
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(App()->GetPortName(), combo->itemData(0).toString());
    // The list is rebuilt from the system each time it opens: a stand-in port is found by its path.
    QVERIFY(combo->findData(SensorPort) >= 0);
    QVERIFY(window->SelectSerialPort(SensorPort));
    QVERIFY(!window->SelectSerialPort(SensorPort.toUpper()));
    SelectPort(AtoNPort);
}

void TestMainWindowStart::vanishedPortKeepsItsPlace_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("stillListed");

    // A real port leaves the system's list with its device; a simulated or bridged one stays listed. The
    // last port of the list and one with a port after it.
    QTest::newRow("real, last") << OtherPort << "USB Serial Port" << false;
    QTest::newRow("simulated, last") << OtherPort << "USB Serial Port" << true;
    QTest::newRow("real, not last") << AtoNPort << "AIS AtoN" << false;
}

void TestMainWindowStart::vanishedPortKeepsItsPlace()
{
    QFETCH(QString, port);
    QFETCH(QString, description);
    QFETCH(bool, stillListed);
    SelectPort(port);
    auto* combo = Widget<QComboBox>("comboBoxPort");
    const int place = combo->currentIndex();
    const QString inUse = combo->currentText();
    const bool serialData = Tab("tabSerialData")->isEnabled();
    QVERIFY(inUse.endsWith(QStringLiteral(")- IN USE")));
    const QByteArray ports = qgetenv("KELVANE_SIMULATED_PORTS");
    if (!stillListed)
    {
        const QString entry = port + QLatin1Char('=') + description;
        QVERIFY(QString::fromLocal8Bit(ports).split(QLatin1Char(';')).contains(entry));
        qputenv("KELVANE_SIMULATED_PORTS", QByteArray(ports).replace(";" + entry.toLocal8Bit(), ""));
    }
    QVERIFY(QFile::remove(port));
    QCOMPARE(place < combo->count() - 1, port != OtherPort);

    // Unplugged: the poll, and a list rebuilt (opened, or after a lost connection), keep it chosen, unmarked,
    // in its place among the others.
    for (const bool rebuilt : {false, true})
    {
        rebuilt ? window->OnSerialDropdown() : window->OnPortTimeout();
        QCOMPARE(combo->currentIndex(), place);
        QCOMPARE(combo->currentData().toString(), port);
        QCOMPARE(combo->currentText() + QStringLiteral("- IN USE"), inUse);
        QCOMPARE(App()->GetPortName(), port);
        QCOMPARE(Tab("tabSerialData")->isEnabled(), serialData);
    }
    // Back, and seen at once.
    qputenv("KELVANE_SIMULATED_PORTS", ports);
    QVERIFY(PlaceStandIn(port));
    window->OnPortTimeout();
    QCOMPARE(combo->currentText(), inUse);
    SelectPort(AtoNPort);
}

void TestMainWindowStart::tabIcons_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("image");
    QTest::newRow("not connected") << 0 << QString();
    QTest::newRow("edited") << 1 << QStringLiteral(":/Images/TabEdited.png");
    QTest::newRow("not read") << 2 << QStringLiteral(":/Images/TabNotSynced.png");
    QTest::newRow("busy") << 3 << QStringLiteral(":/Images/TabSyncing.png");
    QTest::newRow("in step") << 4 << QStringLiteral(":/Images/TabSynced.png");
}

void TestMainWindowStart::tabIcons()
{
    QFETCH(int, code);
    QFETCH(QString, image);
    SelectPort(AtoNPort);
    QTabWidget* tabs = window->GetAtoNTabWidget();
    const int position = window->RepeaterPosition();
    window->OnUpdateTabIcon(position, 2);
    window->OnUpdateTabIcon(position, code);
    if (image.isEmpty())
        QVERIFY(tabs->tabIcon(position).isNull());
    else
        QCOMPARE(IconImage(tabs->tabIcon(position)), IconImage(QIcon(image)));
    // An unknown code leaves the icon as it is; a position outside the set is ignored.
    const QImage before = IconImage(tabs->tabIcon(position));
    window->OnUpdateTabIcon(position, 7);
    window->OnUpdateTabIcon(42, 4);
    QCOMPARE(IconImage(tabs->tabIcon(position)), before);
    window->OnUpdateTabIcon(position, 0);
}

void TestMainWindowStart::progressBarHideDelay()
{
    auto* bar = Widget<QProgressBar>("progressBar");
    window->OnActivateProgressBar(true, 7);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), 7);
    window->OnUpdateProgressBar(7);
    QCOMPARE(bar->value(), 7);
    window->OnActivateProgressBar(false, 1);
    QVERIFY(bar->isVisible());

    // A new transfer within the delay keeps its bar: the old hide must not reach it.
    QTest::qWait(MainWindow::ProgressHideDelayMs / 2);
    window->OnActivateProgressBar(true, 14);
    QTest::qWait(MainWindow::ProgressHideDelayMs / 2 + 500);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), 14);
    QCOMPARE(bar->value(), 0);

    window->OnActivateProgressBar(false, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), MainWindow::ProgressHideDelayMs * 3);
    QCOMPARE(bar->maximum(), 1);
}

void TestMainWindowStart::editMarksTheTabItBelongsTo_data()
{
    QTest::addColumn<QString>("tabName");
    QTest::addColumn<int>("virtualPage");
    QTest::newRow("repeater") << "tabRepeaterConfiguration" << 0;
    QTest::newRow("alert messages") << "tabAlertMessages" << 0;
    QTest::newRow("status inputs") << "tabStatusInputConfiguration" << 0;
    QTest::newRow("virtual page 7") << "tabVirtualAtoN" << 7;
    QTest::newRow("receiver on time") << "tabVdlCop" << 0;
}

void TestMainWindowStart::editMarksTheTabItBelongsTo()
{
    QFETCH(QString, tabName);
    QFETCH(int, virtualPage);
    SelectPort(AtoNPort);
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
    window->setWindowModified(false);

    auto* pages = Widget<VirtualAtoNTab>("tabVirtualAtoN");
    AtoNConfiguration* tab =
        virtualPage > 0 ? pages->GetVirtualAtoN(virtualPage) : Child<AtoNConfiguration>(window, tabName);
    QWidget* shown = virtualPage > 0 ? pages : tabName == QStringLiteral("tabVdlCop") ? Tab("tabVdl") : tab;
    QVERIFY(tab);

    QSignalSpy edited(window, &MainWindow::Edited);
    Q_EMIT tab->Edited(tab);
    QCOMPARE(edited.size(), 1);
    QCOMPARE(edited.at(0).at(0).toInt(), window->GetAtoNTabWidget()->indexOf(shown));
    QVERIFY(window->isWindowModified());
    window->setWindowModified(false);
}

void TestMainWindowStart::offPositionCheckMarksTheSchedule()
{
    SelectPort(AtoNPort);
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
    auto* check = Child<QCheckBox>(Tab("tabRealAtoN"), QStringLiteral("checkBoxOffPositionCheck"));
    QSignalSpy edited(window, &MainWindow::Edited);
    // The Real AtoN tab reminds the user of the schedule in a box of its own.
    auto* closer = new QTimer(this);
    connect(closer, &QTimer::timeout, this,
            [closer]
            {
                if (QWidget* box = QApplication::activeModalWidget())
                {
                    box->close();
                    closer->deleteLater();
                }
            });
    closer->start(50);
    check->click();
    // The check box is the Real AtoN's; the report it switches belongs to the schedule.
    QVERIFY2(edited.contains({window->MessageSchedulePosition()}), qPrintable(QString::number(edited.size())));
    QVERIFY(window->isWindowModified());
    check->click();
    window->setWindowModified(false);

    // The other way: activating the off-position report (row 1) on the schedule ticks the Real AtoN's box.
    window->GetAtoNTabWidget()->setCurrentIndex(window->MessageSchedulePosition());
    QWidget* schedule = Tab("tabMessageSchedule");
    auto* table = Child<QTableView>(schedule, QStringLiteral("tableSchedules"));
    auto* action = Child<QPushButton>(schedule, QStringLiteral("buttonAction"));
    QVERIFY(!check->isChecked());
    table->setCurrentIndex(table->model()->index(1, 0));
    edited.clear();
    action->click();
    QVERIFY(check->isChecked());
    QVERIFY(edited.contains({window->RealAtoNPosition()}));
    QVERIFY(edited.contains({window->MessageSchedulePosition()}));
    table->setCurrentIndex(table->model()->index(1, 0));
    action->click();
    QVERIFY(!check->isChecked());
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
    window->setWindowModified(false);
}

void TestMainWindowStart::aarRefusalWarnsOncePerSend()
{
    SelectPort(AtoNPort);
    auto nakWarnings = [this] { return prompts->dialogs.count(QStringLiteral("cAarNakWarning")); };

    // A NAK with nothing sent shows nothing.
    prompts->Clear();
    window->On_AarNakReceived();
    QCOMPARE(nakWarnings(), 0);

    // A send of all tabs (the default configuration is incomplete: the user goes on) may be refused once.
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    window->OnSendAllTabs();
    QCOMPARE(prompts->dialogs, QStringList({"cNeedAllDataWarning"}));
    window->On_AarNakReceived();
    window->On_AarNakReceived();
    QCOMPARE(nakWarnings(), 1);

    // The state machine clears the flags as the schedules are accepted.
    window->OnSendAllTabs();
    window->On_updateAarFlag(0);
    window->On_updateAarFlag(1);
    window->On_AarNakReceived();
    QCOMPARE(nakWarnings(), 1);

    // A send the user cancelled still arms the warning: a refusal that comes is shown.
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Cancel;
    window->OnSendAllTabs();
    window->On_AarNakReceived();
    QCOMPARE(nakWarnings(), 2);

    // A send of the repeater alone carries no schedule.
    window->GetAtoNTabWidget()->setCurrentIndex(window->RepeaterPosition());
    window->OnSendCurrentTab();
    window->On_AarNakReceived();
    QCOMPARE(nakWarnings(), 2);
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
}

void TestMainWindowStart::aboutRunsTheDialog()
{
    prompts->Clear();
    Widget<QAction>("actionAbout")->trigger();
    QCOMPARE(prompts->dialogs, QStringList({"AboutDialog"}));
}

void TestMainWindowStart::everyTabFitsTheWindow_data()
{
    OneColumn<QString>("port", {{"aton", AtoNPort}, {"sensor", SensorPort}});
}

void TestMainWindowStart::everyTabFitsTheWindow()
{
    QFETCH(QString, port);

    // The widest texts the fields show: positions with three-digit degrees, nine-digit MMSIs, the scalings
    // and the unit's version.
    Model* tabs = App()->GetTabModel();
    tabs->GetRealAtoN()->GetPosition()->SetLatitude(-51.516667);
    tabs->GetRealAtoN()->GetPosition()->SetLongitude(-104.766667);
    for (int k = 1; k <= VirtualAtoNTab::PageCount; ++k)
    {
        VirtualAtoNModel* record = tabs->GetVirtualAtoN(k);
        record->SetEnabled(true);
        record->GetAtoNMmsi()->SetMMSI(QStringLiteral("99351000") + QString::number(k % 10));
        record->GetPosition()->SetLatitude(k % 2 ? 51.516667 : -88.883333);
        record->GetPosition()->SetLongitude(k % 2 ? 4.766667 : -178.883333);
    }
    ADCSettingsModel* adc = tabs->GetADCSettings();
    adc->SetInternalCurrentDividend(10000);
    adc->SetInternalCurrentDivisor(4095);
    adc->SetInternalCurrentKFactor(4095);
    adc->SetInternalCurrentOffset(65535);
    adc->SetExternalVoltageDividend(65535);
    adc->SetExternalVoltageDivisor(65535);
    adc->SetExternalVoltageKFactor(65535);
    adc->SetExternalVoltageOffset(65535);
    tabs->GetMessageSettings()->SetMessage6Format(2);
    static_cast<AtoNConfiguration*>(Tab("tabRealAtoN"))->UpdateTabFromModel();
    static_cast<VirtualAtoNTab*>(Tab("tabVirtualAtoN"))->SetModel(tabs);
    auto* summary = static_cast<SystemInformationTab*>(Tab("tabSystemInformation"));
    summary->UpdateTabFromModel();
    summary->OnVersion(QStringLiteral("KVX-A3 V3.01.07"));
    summary->OnPCASerialNumber(QStringLiteral("PCA-77120"));

    SelectPort(port);
    SettleLayouts();
    const QSize size = window->size();
    const QSize minimum = window->minimumSize();
    // With its title bar the window fits a 1366 by 768 laptop screen, and it can be made that small.
    const QSize laptop(846, 719);
    QCOMPARE(size.boundedTo(laptop), size);
    QCOMPARE(minimum.boundedTo(laptop), minimum);

    // Every page of the set, and every page of the tab widgets on it, in turn.
    std::function<void(QTabWidget*)> visit = [&](QTabWidget* set)
    {
        for (int i = 0; i < set->count(); ++i)
        {
            set->setCurrentIndex(i);
            SettleLayouts();
            const QString where = set->objectName() + QLatin1Char('/') + set->widget(i)->objectName();
            QVERIFY2(window->size() == size && window->minimumSize() == minimum, qPrintable(where));
            const QStringList clipped = ClippedTexts(set->widget(i));
            QVERIFY2(clipped.isEmpty(), qPrintable(where + QStringLiteral(": ") + clipped.join(QStringLiteral(" | "))));
            for (QTabWidget* inner : set->widget(i)->findChildren<QTabWidget*>())
                if (inner->isVisible())
                    visit(inner);
        }
    };
    visit(window->ShownTabWidget());
    if (QTest::currentTestFailed())
        return;

    // The dropped-lines notice shows whole in the status bar, where the bar paints its messages: from its
    // left inset to the first permanent widget shown, or to the size grip. So it does while a transfer's
    // progress bar shows. The figures share one width in the font: the largest count the transport reports
    // stands for every count of ten digits.
    QStatusBar* bar = window->statusBar();
    const QFontMetrics figures = bar->fontMetrics();
    for (const QChar digit : QStringLiteral("123456789"))
        QCOMPARE(figures.horizontalAdvance(digit), figures.horizontalAdvance(QLatin1Char('0')));
    for (const bool transfer : {false, true})
    {
        if (transfer)
            window->OnActivateProgressBar(true, 7);
        window->OnLinesDropped(std::numeric_limits<int>::max());
        SettleLayouts();
        QVERIFY(bar->currentMessage().startsWith(QStringLiteral("2147483647 ")));
        int right = bar->width() - 12;
        if (const auto* grip = bar->findChild<QSizeGrip*>(QString(), Qt::FindDirectChildrenOnly);
            grip && grip->isVisible())
            right = grip->x();
        for (const char* permanent : {"progressBar", "labelUtc"})
            if (Tab(permanent)->isVisible())
                right = std::min(right, Tab(permanent)->x() - 2);
        QVERIFY2(figures.horizontalAdvance(bar->currentMessage()) <= right - 6,
                 qPrintable(QStringLiteral("%1 px of %2: %3")
                                .arg(figures.horizontalAdvance(bar->currentMessage()))
                                .arg(right - 6)
                                .arg(bar->currentMessage())));
        if (port == AtoNPort && !transfer)
            QVERIFY(SaveScreenshot(bar, QStringLiteral("StatusBar-dropped-lines")));
        window->OnDeactivateProgressBar();
        bar->clearMessage();
        QVERIFY(Tab("labelUtc")->isVisible());
    }
    if (QTest::currentTestFailed())
        return;

    if (port == AtoNPort)
    {
        // The MMSI warning coming and going moves nothing on the page, and the schedule keeps rows in view.
        window->GetAtoNTabWidget()->setCurrentIndex(window->VirtualAtoNPosition());
        Child<QTabWidget>(Tab("tabVirtualAtoN"), QStringLiteral("tabWidget"))->setCurrentIndex(0);
        QWidget* page = static_cast<VirtualAtoNTab*>(Tab("tabVirtualAtoN"))->GetVirtualAtoN(1)->GetForm();
        auto* table = Child<QTableView>(page, QStringLiteral("tableSchedules"));
        auto* mmsi = Child<QLineEdit>(page, QStringLiteral("MMSILineEdit"));
        const QString valid = mmsi->text();
        SettleLayouts();
        const QRect shown(table->mapTo(window, QPoint()), table->size());
        QVERIFY(table->viewport()->height() >= 3 * table->verticalHeader()->defaultSectionSize());
        mmsi->setText(QStringLiteral("1"));
        SettleLayouts();
        QVERIFY(Child<QLabel>(page, QStringLiteral("MMSIValidationWarningLabel"))->isVisible());
        QCOMPARE(QRect(table->mapTo(window, QPoint()), table->size()), shown);
        mmsi->setText(valid);
        QVERIFY(SaveScreenshot(window, QStringLiteral("VirtualAtoNTab-default-size")));

        // The VDL Control rows stand level with their captions, and spare height goes below them.
        QWidget* control = Tab("tabVdlControl");
        window->GetAtoNTabWidget()->setCurrentWidget(Tab("tabVdl"));
        Tab("tabVdl")->findChild<QTabWidget*>()->setCurrentWidget(control);
        for (const QSize shown : {size, QSize(1400, 950)})
        {
            window->resize(shown);
            SettleLayouts();
            const QStringList unlevel = UnlevelRows(control);
            QVERIFY2(unlevel.isEmpty(), qPrintable(unlevel.join(QStringLiteral(" | "))));
            QVERIFY(
                SaveScreenshot(window, QStringLiteral("VdlControlTab-%1x%2").arg(shown.width()).arg(shown.height())));
        }
        window->resize(size);
        SettleLayouts();

        // Text messages and alarms are display only, and readable.
        auto* diagnostics = static_cast<StatusTab*>(Tab("tabStatusData"));
        window->GetAtoNTabWidget()->setCurrentWidget(diagnostics);
        diagnostics->OnTextMessageReceived(QStringLiteral("Lantern failure"));
        AlarmData alarms;
        alarms.Update(5, QTime(12, 0, 1), true, true, QStringLiteral("Tx malfunction"));
        diagnostics->OnAlarmReceived(&alarms);
        SettleLayouts();
        for (const char* name : {"tableWidgetMessages", "tableWidgetAlarms"})
        {
            auto* table = Child<QTableWidget>(diagnostics, QLatin1String(name));
            QVERIFY(!(table->item(0, 1)->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEditable)));
            const double contrast = Contrast(table->viewport(), table->visualItemRect(table->item(0, 1)));
            QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name)).arg(contrast)));
        }
        QVERIFY(SaveScreenshot(diagnostics, QStringLiteral("StatusTab-rows")));
        diagnostics->ClearStatus();
    }
    else
    {
        // System Information: at the least size the values wrap and the page never scrolls sideways; in a
        // wide window they take its width, a line each. The capture boxes keep their least width at any size,
        // leaving the rest to the values, and are readable.
        window->GetSensorTabWidget()->setCurrentWidget(summary);
        summary->OnTabSelected();
        summary->OnReceived(QStringLiteral("DIG_IO1 1\n"));
        summary->OnReceived(QStringLiteral("Sensor 2 OK\n"));
        auto* scroll = Child<QScrollArea>(summary, QStringLiteral("scrollArea"));
        auto* scaling = Child<QLabel>(summary, QStringLiteral("externalVoltageScaleLabel"));
        auto* captures = Child<QWidget>(summary, QStringLiteral("widget_status_frame"));
        for (const QSize shown : {size, QSize(1400, 950)})
        {
            window->resize(shown);
            SettleLayouts();
            QCOMPARE(scroll->horizontalScrollBar()->maximum(), 0);
            QCOMPARE(scaling->height() < 2 * scaling->fontMetrics().lineSpacing(), shown != size);
            QCOMPARE(captures->width(), captures->minimumSizeHint().width());
            // The version stands in the column of the configuration values.
            QCOMPARE(Child<QLabel>(summary, QStringLiteral("softwareVersionLabel"))->mapTo(summary, QPoint()).x(),
                     Child<QLabel>(summary, QStringLiteral("ISENSEEnabledLabel"))->mapTo(summary, QPoint()).x());
        }
        window->resize(size);
        SettleLayouts();
        for (const char* name : {"diStateTextEdit", "sensorHealthTextEdit"})
        {
            auto* box = Child<QTextEdit>(summary, QLatin1String(name));
            QVERIFY(box->isReadOnly() || !box->isEnabled());
            const QRect line(0, 0, box->viewport()->width(), box->fontMetrics().height() + 4);
            QVERIFY2(Contrast(box->viewport(), line) >= 4.5, name);
        }
        summary->OnTabDeselected();
    }

    // Transfers whole in VDL mode (or for a sensor) and back: the "all" entries first, every time.
    SelectPort(AtoNPort);
    auto* useVdl = Child<QCheckBox>(Tab("tabVdl"), QStringLiteral("checkBoxUseVdl"));
    for (int round = 0; round < 2; ++round)
    {
        useVdl->setChecked(true);
        useVdl->setChecked(false);
        QCOMPARE(MenuEntries(Widget<QMenu>("menuRetrieve")),
                 QStringList({"actionRetrieveAll", "actionRetrieveCurrentTab"}));
        QCOMPARE(MenuEntries(Widget<QMenu>("menuSend")), QStringList({"actionSendAll", "actionSendCurrentTab"}));
    }

    if (port == SensorPort)
    {
        SelectPort(SensorPort);
        window->GetSensorTabWidget()->setCurrentWidget(summary);
        QVERIFY(SaveScreenshot(window, QStringLiteral("SystemInformationTab-default-size")));
    }
}

void TestMainWindowStart::exitClosesAnUnmodifiedWindow()
{
    // A screenshot of the window as it starts, for people to look at.
    SelectPort(AtoNPort);
    window->GetAtoNTabWidget()->setCurrentIndex(window->RealAtoNPosition());
    QVERIFY(SaveScreenshot(window, QStringLiteral("MainWindow-start")));

    window->setWindowModified(false);
    prompts->Clear();
    Widget<QAction>("actionExit")->trigger();
    QVERIFY(!window->isVisible());
    QVERIFY(prompts->shown.isEmpty());
}

KELVANE_TEST_APP_MAIN(TestMainWindowStart)
#include "tst_MainWindowStart.moc"
