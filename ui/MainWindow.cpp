#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDataStream>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMutexLocker>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <new>

#include "app/KelvaneApplication.h"
#include "comms/SerialController.h"
#include "comms/SerialTransport.h"
#include "comms/StateMachine.h"
#include "comms/WholeWrite.h"
#include "decoders/GPSDecoder.h"
#include "decoders/GpsData.h"
#include "decoders/MessageDecoder.h"
#include "model/Model.h"
#include "model/ModelNotifier.h"
#include "ui/AboutDialog.h"
#include "ui/MessageScheduleTab.h"
#include "ui/QComboBoxDropdown.h"
#include "ui/RealAtoNTab.h"
#include "ui/VirtualAtoNTab.h"
#include "ui/VirtualAtoNWidget.h"
#include "ui/cAarNakWarning.h"
#include "ui/cNeedAllDataWarning.h"
#include "ui/monitor/GpsStatusTab.h"
#include "ui/monitor/LiveDataTab.h"
#include "ui/monitor/SerialTab.h"
#include "ui/monitor/StatusTab.h"
#include "ui/monitor/SystemInformationTab.h"
#include "ui/settings/ADCSettingsTab.h"
#include "ui/settings/AlertMessagesTab.h"
#include "ui/settings/MessageSettingsTab.h"
#include "ui/settings/RepeaterControlsTab.h"
#include "ui/settings/SensorSettingsTab.h"
#include "ui/settings/StatusInputConfigurationTab.h"
#include "ui/vdl/VdlControlTab.h"
#include "ui/vdl/VdlCopTab.h"
#include "ui/vdl/VdlTab.h"
#include "ui_MainWindow.h"

namespace
{

const QString UntitledName = QStringLiteral("untitled.kln");
const QString SensorPortText = QStringLiteral("AIS AtoN Sensor");
const QString AtoNPortText = QStringLiteral("AIS AtoN");

const char* const AtoNTabStyle =
    "QTabBar::tab { margin-bottom: 4px; margin-left: 1px; margin-right: 1px; min-height: 30px; min-width: 65px; "
    "border-left: 1px solid rgb(202, 202, 202); border-right: 1px solid rgb(202, 202, 202); "
    "border-top: 1px solid rgb(202, 202, 202); border-top-left-radius: 4px; border-top-right-radius: 4px; }"
    "QTabBar::tab:selected { margin-bottom: 4px; margin-left: 1px; margin-right: 1px; min-height: 30px; "
    "min-width: 65px; border-left: 1px solid rgb(202, 202, 202); border-right: 1px solid rgb(202, 202, 202); "
    "border-top: 1px solid rgb(202, 202, 202); border-top-left-radius: 4px; border-top-right-radius: 4px; "
    "background-color: rgb(255,255,255); }";

// Waits with the busy cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    void Restore()
    {
        if (active)
            QGuiApplication::restoreOverrideCursor();
        active = false;
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool active = true;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction

MainWindow::MainWindow(QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags), ui(std::make_unique<Ui::MainWindow>()), app(KelvaneApplication::Instance())
{
    ui->setupUi(this);
    virtualAtoNEnabled = app->GetVAtoNEnabled();

    stack = new QStackedWidget(this);
    atonTabs = new QTabWidget(stack);
    sensorTabs = new QTabWidget(stack);
    stack->setObjectName(QStringLiteral("stackedWidget"));
    atonTabs->setObjectName(QStringLiteral("tabWidgetAtoN"));
    sensorTabs->setObjectName(QStringLiteral("tabWidgetSensor"));
    for (QWidget* widget :
         {static_cast<QWidget*>(stack), static_cast<QWidget*>(atonTabs), static_cast<QWidget*>(sensorTabs)})
        widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // On the tab bars, not the tab widgets: a style sheet on a tab widget has every page polished again
    // through the style-sheet style as it is put under it, which is much of the start-up time.
    atonTabs->tabBar()->setStyleSheet(QLatin1String(AtoNTabStyle));
    sensorTabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { height: 30; }"));
    stack->addWidget(atonTabs);
    stack->addWidget(sensorTabs);
    setCentralWidget(stack);

    // Positions: without the virtual AtoN tab every later AtoN tab moves down by one.
    const int shift = virtualAtoNEnabled ? 0 : 1;
    positionVirtualAtoN = virtualAtoNEnabled ? 2 : -1;
    positionStatusInputs = 3 - shift;
    positionAlertMessages = 4 - shift;
    positionRepeater = 5 - shift;
    positionVdl = 6 - shift;
    positionGnss = 7 - shift;
    positionDiagnostics = 8 - shift;
    positionSerialData = 9 - shift;

    CreateTabs();
    ConnectTabs();
    CreateToolBars();
    setUnifiedTitleAndToolBarOnMac(true);
    CreateStatusBar();

    connect(atonTabs, &QTabWidget::currentChanged, this, &MainWindow::OnTabChanged);
    connect(sensorTabs, &QTabWidget::currentChanged, this, &MainWindow::OnTabChanged);

    connect(ui->actionNewFile, &QAction::triggered, this, &MainWindow::OnNew);
    connect(ui->actionOpenFile, &QAction::triggered, this, &MainWindow::OnOpen);
    connect(ui->actionSaveFile, &QAction::triggered, this, &MainWindow::OnSave);
    connect(ui->actionSave_As, &QAction::triggered, this, &MainWindow::OnSaveAs);
    connect(ui->actionCloseFile, &QAction::triggered, this, &MainWindow::OnClose);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::OnExit);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::OnAbout);

    // Every job the state machine queues is work the unit has to finish before the next request; the
    // transport learns of it only later, in its own thread.
    StateMachine* sm = app->GetStateMachine();
    auto noteJob = [this]
    {
        ++jobsQueuedByRequest;
        transferRunning = true;
        // Whatever tab is shown: no second request while the unit works on this one.
        if (retrieveButton)
            ApplyTransferState();
        if (disconnectButton)
            disconnectButton->setEnabled(false);
    };
    connect(sm, qOverload<QString, bool>(&StateMachine::QueueJob), this, noteJob);
    connect(sm, qOverload<QString, bool, int>(&StateMachine::QueueJob), this, noteJob);

    // A configuration file that lacks a section tells the user so through the window.
    previousNotifier = ModelNotifier::SetHandler(
        [this](const QString& text)
        {
            auto show = [this, text]
            {
                Prompts::Message message;
                message.icon = QMessageBox::Warning;
                message.text = text;
                Prompts::Current().Ask(this, message);
            };
            if (QThread::currentThread() == thread())
                show();
            else
                QMetaObject::invokeMethod(this, show, Qt::QueuedConnection);
        });

    RefreshSerialPortList();
    UpdateConnectionWidgets();

    portPollTimer = new QTimer(this);
    portPollTimer->setInterval(PortPollIntervalMs);
    connect(portPollTimer, &QTimer::timeout, this, &MainWindow::OnPortTimeout);
    portPollTimer->start();

    ShowReady();
    currentFile.clear();
    SetCurrentFile();

    // The tabs that do not load themselves show the tab model from the start.
    ClearEditedOfConfigurationTabs();
    ReloadConfigurationTabs();
}

MainWindow::~MainWindow()
{
    ModelNotifier::SetHandler(previousNotifier);
    portPollTimer->stop();
    delete portPollTimer;
    portPollTimer = nullptr;
    DropLinkConnections();
}

void MainWindow::SetPrompts(std::unique_ptr<Prompts> replacement)
{
    if (!replacement)
        throw std::bad_alloc();
    Prompts::Install(std::move(replacement));
}

void MainWindow::CreateTabs()
{
    Model* tabModel = app->GetTabModel();

    auto add = [](QTabWidget* tabs, QWidget* tab, const char* objectName, int position, const QString& label)
    {
        tab->setObjectName(QLatin1String(objectName));
        tabs->insertTab(position, tab, label);
    };

    realAtoNTab = new RealAtoNTab(tabModel, this);
    add(atonTabs, realAtoNTab, "tabRealAtoN", positionRealAtoN, tr("Real\nAtoN"));
    messageScheduleTab = new MessageScheduleTab(tabModel, this);
    add(atonTabs, messageScheduleTab, "tabMessageSchedule", positionMessageSchedule, tr("Message\nSchedule"));
    if (virtualAtoNEnabled)
    {
        virtualAtoNTab = new VirtualAtoNTab(tabModel, this);
        add(atonTabs, virtualAtoNTab, "tabVirtualAtoN", positionVirtualAtoN, tr("Virtual\nAtoN(s)"));
    }
    statusInputsTab = new StatusInputConfigurationTab(tabModel, this);
    add(atonTabs, statusInputsTab, "tabStatusInputConfiguration", positionStatusInputs, tr("Status\nInputs"));
    alertMessagesTab = new AlertMessagesTab(tabModel, this);
    add(atonTabs, alertMessagesTab, "tabAlertMessages", positionAlertMessages, tr("Alert\nMessages"));
    repeaterTab = new RepeaterControlsTab(tabModel, this);
    add(atonTabs, repeaterTab, "tabRepeaterConfiguration", positionRepeater, tr("Repeater"));
    vdlTab = new VdlTab(tabModel, this);
    add(atonTabs, vdlTab, "tabVdl", positionVdl, tr("VDL"));
    gpsStatusTab = new GpsStatusTab(this);
    add(atonTabs, gpsStatusTab, "tabGpsStatus", positionGnss, tr("GNSS"));
    statusTab = new StatusTab(this);
    add(atonTabs, statusTab, "tabStatusData", positionDiagnostics, tr("Diagnostics"));
    serialTab = new SerialTab(this);
    add(atonTabs, serialTab, "tabSerialData", positionSerialData, tr("Serial\nData"));

    sensorSettingsTab = new SensorSettingsTab(tabModel, this);
    add(sensorTabs, sensorSettingsTab, "tabSensorSettings", positionSensorSettings, tr("Sensor Settings"));
    adcSettingsTab = new ADCSettingsTab(tabModel, this);
    add(sensorTabs, adcSettingsTab, "tabADCSettings", positionADCSettings, tr("ADC Settings"));
    messageSettingsTab = new MessageSettingsTab(tabModel, this);
    add(sensorTabs, messageSettingsTab, "tabMessageSettings", positionMessageSettings, tr("Message Settings"));
    systemInformationTab = new SystemInformationTab(tabModel, this);
    add(sensorTabs, systemInformationTab, "tabSystemInformation", positionSystemInformation, tr("System Information"));
    liveDataTab = new LiveDataTab(this);
    add(sensorTabs, liveDataTab, "tabLiveData", positionLiveData, tr("Live Data"));
}

void MainWindow::ConnectTabs()
{
    for (AtoNConfiguration* tab :
         std::initializer_list<AtoNConfiguration*>{realAtoNTab, messageScheduleTab, statusInputsTab, alertMessagesTab,
                                                   repeaterTab, vdlTab, vdlTab->GetCopTab()})
        connect(tab, &AtoNConfiguration::Edited, this, &MainWindow::OnEdited);
    if (virtualAtoNTab)
    {
        for (int k = 1; k <= VirtualAtoNTab::PageCount; ++k)
            connect(virtualAtoNTab->GetVirtualAtoN(k), &AtoNConfiguration::Edited, this, &MainWindow::OnEdited);
    }

    connect(messageScheduleTab, &MessageScheduleTab::off_position_checked, realAtoNTab,
            &RealAtoNTab::OnCheckBoxOffPositionCheckTicked);
    connect(realAtoNTab, &RealAtoNTab::offPositionSelection, messageScheduleTab,
            &MessageScheduleTab::offPositionSelected);
    connect(messageScheduleTab, &MessageScheduleTab::messageScheduleChanged, statusInputsTab,
            &StatusInputConfigurationTab::On_messageScheduleChange);
    connect(realAtoNTab, &RealAtoNTab::UpdateInlandMode, statusInputsTab,
            &StatusInputConfigurationTab::OnUpdateInlandMode);
    connect(this, &MainWindow::pauseGNSS, gpsStatusTab, &GpsStatusTab::onPauseGNSS);
    connect(serialTab, &SerialTab::Save, this, &MainWindow::OnSerialTabSaveLogFile);
    connect(vdlTab->GetControlTab(), &VdlControlTab::ToggleVDLMode, this, &MainWindow::EvaluateConnectionWidgets);
}

void MainWindow::CreateToolBars()
{
    portCombo = new QComboBoxDropdown(this);
    portCombo->setObjectName(QStringLiteral("comboBoxPort"));
    portCombo->setMinimumSize(400, 22);
    connectButton = new QPushButton(tr("Connect"), this);
    connectButton->setObjectName(QStringLiteral("pushButtonConnect"));
    disconnectButton = new QPushButton(tr("Disconnect"), this);
    disconnectButton->setObjectName(QStringLiteral("pushButtonDisconnect"));
    ui->toolBarPort->addWidget(portCombo);
    ui->toolBarPort->addWidget(connectButton);
    ui->toolBarPort->addWidget(disconnectButton);

    retrieveMenu = new QMenu(tr("Retrieve from AtoN"), this);
    retrieveMenu->setObjectName(QStringLiteral("menuRetrieve"));
    retrieveMenu->setEnabled(false);
    retrieveCurrentAction = retrieveMenu->addAction(tr("Retrieve current tab only"));
    retrieveCurrentAction->setObjectName(QStringLiteral("actionRetrieveCurrentTab"));
    retrieveAllAction = retrieveMenu->addAction(tr("Retrieve all configuration"));
    retrieveAllAction->setObjectName(QStringLiteral("actionRetrieveAll"));
    sendMenu = new QMenu(tr("Send to AtoN"), this);
    sendMenu->setObjectName(QStringLiteral("menuSend"));
    sendMenu->setEnabled(false);
    sendCurrentAction = sendMenu->addAction(tr("Send current tab only"));
    sendCurrentAction->setObjectName(QStringLiteral("actionSendCurrentTab"));
    sendAllAction = sendMenu->addAction(tr("Send all configuration"));
    sendAllAction->setObjectName(QStringLiteral("actionSendAll"));

    retrieveButton = new QToolButton(this);
    retrieveButton->setObjectName(QStringLiteral("toolButtonRetrieve"));
    retrieveButton->setDefaultAction(retrieveCurrentAction);
    retrieveButton->setMenu(retrieveMenu);
    retrieveButton->setPopupMode(QToolButton::MenuButtonPopup);
    sendButton = new QToolButton(this);
    sendButton->setObjectName(QStringLiteral("toolButtonSend"));
    sendButton->setDefaultAction(sendCurrentAction);
    sendButton->setMenu(sendMenu);
    sendButton->setPopupMode(QToolButton::MenuButtonPopup);
    RestoreTransferButtonLooks();
    EnableTransferButtons(false);
    ui->toolBarTransfer->addWidget(retrieveButton);
    ui->toolBarTransfer->addSeparator();
    ui->toolBarTransfer->addWidget(sendButton);

    connect(portCombo, &QComboBoxDropdown::Dropdown, this, &MainWindow::OnSerialDropdown);
    connect(portCombo, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::OnSerialPortChanged);
    connect(connectButton, &QPushButton::clicked, this, &MainWindow::OnConnect);
    connect(disconnectButton, &QPushButton::clicked, this, &MainWindow::OnDisconnect);
    connect(retrieveCurrentAction, &QAction::triggered, this, &MainWindow::OnGetCurrentTab);
    connect(retrieveAllAction, &QAction::triggered, this, &MainWindow::OnGetAllTabs);
    connect(sendCurrentAction, &QAction::triggered, this, &MainWindow::OnSendCurrentTab);
    connect(sendAllAction, &QAction::triggered, this, &MainWindow::OnSendAllTabs);
}

void MainWindow::RestoreTransferButtonLooks()
{
    // A tool button takes icon and tool tip from its default action again at every change of the action
    // (its enabled state too): the actions carry the buttons' looks, shown on the buttons only.
    const QIcon retrieveIcon(QStringLiteral(":/Images/AtoNtoPC.png"));
    const QIcon sendIcon(QStringLiteral(":/Images/PCtoAtoN.png"));
    for (QAction* action : {retrieveCurrentAction, retrieveAllAction})
    {
        action->setIcon(retrieveIcon);
        action->setIconVisibleInMenu(false);
        action->setToolTip(tr("Retrieve configuration from AtoN"));
    }
    for (QAction* action : {sendCurrentAction, sendAllAction})
    {
        action->setIcon(sendIcon);
        action->setIconVisibleInMenu(false);
        action->setToolTip(tr("Send configuration to AtoN"));
    }
    retrieveButton->setIcon(QIcon(QStringLiteral(":/Images/AtoNtoPC.png")));
    retrieveButton->setToolTip(tr("Retrieve configuration from AtoN"));
    sendButton->setIcon(QIcon(QStringLiteral(":/Images/PCtoAtoN.png")));
    sendButton->setToolTip(tr("Send configuration to AtoN"));
}

void MainWindow::CreateStatusBar()
{
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setEnabled(true);
    progressBar->setFixedHeight(20);
    progressBar->setMaximumWidth(100);
    progressBar->setTextVisible(false);
    progressBar->setRange(0, 1);
    statusBar()->addPermanentWidget(progressBar);
    progressBar->hide();
    progressBarActive = false;

    progressHideTimer = new QTimer(this);
    progressHideTimer->setSingleShot(true);
    progressHideTimer->setInterval(ProgressHideDelayMs);
    connect(progressHideTimer, &QTimer::timeout, this, &MainWindow::OnDeactivateProgressBar);

    utcLabel = new QLabel(QStringLiteral(" UTC 99:99:99 "), this);
    utcLabel->setObjectName(QStringLiteral("labelUtc"));
    utcLabel->setMinimumSize(utcLabel->sizeHint());
    utcLabel->setEnabled(false);
    utcLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    utcLabel->setText(tr(" No GNSS "));
    utcLabel->setToolTip(tr("Displays the current UTC time as supplied by the GPS"));
    statusBar()->addPermanentWidget(utcLabel);

    // A menu entry without a status tip empties the bar when the pointer passes it, and a timed
    // notice empties it when its time is up: the standing text returns in both cases.
    connect(statusBar(), &QStatusBar::messageChanged, this,
            [this](const QString& message)
            {
                // Any other text, or none, ends the dropped-lines notice.
                utcLabel->setVisible(true);
                if (message.isEmpty() && !standingMessage.isEmpty())
                    statusBar()->showMessage(standingMessage);
            });
}

// ---------------------------------------------------------------------------------------------
// Frame

QTabWidget* MainWindow::ShownTabWidget() const
{
    return sensorMode ? sensorTabs : atonTabs;
}

bool MainWindow::IsLinkOpen() const
{
    return linkOpen && app->GetTransport() != nullptr;
}

bool MainWindow::TransferAllowed() const
{
    if (!IsLinkOpen() || transferRunning || liveDataIsolated)
        return false;
    return !app->GetTransport()->IsBusy();
}

void MainWindow::OnExit()
{
    close();
}

void MainWindow::OnAbout()
{
    AboutDialog dialog(this);
    Prompts::Current().Run(&dialog);
}

void MainWindow::OnSerialDropdown()
{
    RefreshSerialPortList();
    UpdateConnectionWidgets();
}

void MainWindow::RefreshSerialPortList()
{
    refreshingPortList = true;
    // The chosen port stays where it is while the system does not list it (a cable being reseated, a
    // connection lost as its unit went): taking another port in its place would forget the user's choice.
    const int keptIndex = portCombo->currentIndex();
    const QString keptName = keptIndex >= 0 ? portCombo->itemData(keptIndex).toString() : QString();
    const QString keptText = PlainPortText(portCombo->currentText());
    portCombo->clear();
    const QList<QPair<QString, QString>> ports = Transport::ListPorts();
    for (const auto& port : ports)
        portCombo->addItem(port.second, port.first);
    if (keptIndex >= 0 && keptName == app->GetPortName() && portCombo->findData(keptName) < 0)
        portCombo->insertItem(std::min(keptIndex, portCombo->count()), keptText, keptName);
    if (portCombo->count() > 0)
    {
        portSelected = true;
        if (!SelectSerialPort(app->GetPortName()))
            app->SetPortName(portCombo->itemData(0).toString());
    }
    else
    {
        portSelected = false;
    }
    refreshingPortList = false;
}

bool MainWindow::SelectSerialPort(const QString& portName)
{
    for (int i = 0; i < portCombo->count(); ++i)
    {
        if (portCombo->itemData(i).toString() == portName)
        {
            portCombo->setCurrentIndex(i);
            return true;
        }
    }
    portCombo->setCurrentIndex(0);
    return false;
}

QString MainWindow::CurrentPortText() const
{
    return portCombo->currentIndex() >= 0 ? portCombo->currentText() : QString();
}

QString MainWindow::PlainPortText(const QString& text)
{
    const QString mark = tr("- IN USE");
    return text.endsWith(mark) ? text.chopped(mark.size()) : text;
}

void MainWindow::SetPortItemText()
{
    const int index = portCombo->currentIndex();
    if (index < 0 || IsLinkOpen() || app->GetTransport())
        return;
    const QString name = portCombo->itemData(index).toString();
    QString text;
    switch (SerialController::ProbePort(name))
    {
    case SerialController::PortState::Absent:
        // Gone, not taken: it keeps the text it had, which chose the tab set, until it is back.
        text = PlainPortText(portCombo->itemText(index));
        break;
    case SerialController::PortState::Busy:
        text = Transport::PortDisplayName(name) + tr("- IN USE");
        break;
    case SerialController::PortState::Free:
        text = Transport::PortDisplayName(name);
        break;
    }
    if (portCombo->itemText(index) != text)
        portCombo->setItemText(index, text);
}

void MainWindow::OnSerialPortChanged(int index)
{
    if (refreshingPortList || index < 0)
        return;
    app->SetPortName(portCombo->itemData(index).toString());
    app->GetTabModel()->GetVdlModel()->useVdl = false;
    vdlTab->UpdateTabFromModel();
    DetermineSensorPortSelection();
    SetPortItemText();
    UpdateConnectionWidgets();
    atonTabs->setCurrentIndex(0);
}

void MainWindow::OnPortTimeout()
{
    // The port is left alone from the moment a connection is asked for: a probe could take the port from
    // under the worker's open.
    if (app->GetTransport())
        return;
    if (!portSelected)
    {
        // A unit plugged in after start-up must become selectable.
        RefreshSerialPortList();
        if (portSelected)
        {
            DetermineSensorPortSelection();
            UpdateConnectionWidgets();
        }
        return;
    }
    SetPortItemText();
}

void MainWindow::DetermineSensorPortSelection()
{
    const QString text = CurrentPortText();
    if (text.contains(SensorPortText))
    {
        sensorMode = true;
        Q_EMIT SensorPortSelected(true);
        Q_EMIT inhibitGpsFiltAndTypeQuery(true);
        stack->setCurrentIndex(1);
        utcLabel->setText(QString());
        EvaluateConnectionWidgets(true);
        return;
    }
    const bool wasSensor = sensorMode;
    sensorMode = false;
    Q_EMIT SensorPortSelected(false);
    Q_EMIT inhibitGpsFiltAndTypeQuery(!text.contains(AtoNPortText));
    stack->setCurrentIndex(0);
    // While connected the label shows the unit's time; it is reset when the link closes.
    if (!IsLinkOpen() || wasSensor)
        utcLabel->setText(tr(" No GNSS "));
    if (!app->GetTabModel()->GetVdlModel()->useVdl)
        EvaluateConnectionWidgets(false);
}

QList<QWidget*> MainWindow::UnitConfigurationTabs() const
{
    QList<QWidget*> tabs{realAtoNTab, messageScheduleTab};
    if (virtualAtoNTab)
        tabs << virtualAtoNTab;
    tabs << statusInputsTab << repeaterTab << alertMessagesTab;
    return tabs;
}

void MainWindow::EvaluateConnectionWidgets(bool mode)
{
    const bool atonPort = CurrentPortText().contains(AtoNPortText);
    StateMachine* sm = app->GetStateMachine();
    if (mode)
    {
        retrieveMenu->menuAction()->setVisible(false);
        sendMenu->menuAction()->setVisible(false);
        retrieveMenu->removeAction(retrieveCurrentAction);
        sendMenu->removeAction(sendCurrentAction);
        retrieveButton->setDefaultAction(retrieveAllAction);
        sendButton->setDefaultAction(sendAllAction);
        for (QWidget* tab : UnitConfigurationTabs())
            tab->setEnabled(false);
        if (!atonPort)
            serialTab->setEnabled(false);
    }
    else
    {
        retrieveMenu->menuAction()->setVisible(true);
        sendMenu->menuAction()->setVisible(true);
        // Below the "all" entries after every evaluation, so that the menus read the same each time; adding an
        // action a menu holds moves it to the end.
        if (retrieveMenu->actions().constLast() != retrieveCurrentAction)
            retrieveMenu->addAction(retrieveCurrentAction);
        if (sendMenu->actions().constLast() != sendCurrentAction)
            sendMenu->addAction(sendCurrentAction);
        retrieveButton->setDefaultAction(retrieveCurrentAction);
        sendButton->setDefaultAction(sendCurrentAction);
        for (QWidget* tab : UnitConfigurationTabs())
        {
            // A tab whose jobs are running stays disabled until the state machine releases it.
            const int number = sm->TabAtPosition(atonTabs->indexOf(tab));
            tab->setEnabled(number < 0 || sm->GetTabState(number) != StateMachine::TabBusy);
        }
        serialTab->setEnabled(atonPort);
    }
    RestoreTransferButtonLooks();
    // The default action carries its own enabled state onto the button.
    ApplyTransferState();
}

void MainWindow::ApplyTransferState()
{
    SetTransferControlsEnabled(TransferAllowed());
}

void MainWindow::UpdateConnectionWidgets()
{
    const bool transportExists = app->GetTransport() != nullptr;
    connectEnabled = portSelected && !transportExists;
    connectButton->setEnabled(connectEnabled);
    portCombo->setEnabled(connectEnabled);
    disconnectButton->setEnabled(false);
    if (IsLinkOpen())
    {
        connectButton->setEnabled(false);
        portCombo->setEnabled(false);
        disconnectButton->setEnabled(!transferRunning && !app->GetTransport()->IsBusy());
    }
    ApplyTransferState();
    DetermineSensorPortSelection();
}

void MainWindow::ShowReady()
{
    ShowStandingMessage(tr("Ready"));
}

void MainWindow::ShowStandingMessage(const QString& text)
{
    standingMessage = text;
    statusBar()->showMessage(text);
}

void MainWindow::OnLinesDropped(int count)
{
    // Only the window's side misses the dropped lines: the traffic displays and both decoders, so
    // GNSS state, alarms, text messages and VDL replies among them are lost. The job engine in the
    // worker thread reads every line, so retrieve and send are whole.
    // Worded to show whole at the window's least width for any count the transport can report (ten
    // figures), even beside a transfer's progress bar; the time label would leave too little room beside
    // that bar, so it steps aside until the notice is gone.
    statusBar()->showMessage(
        tr("%1 lines came too fast to show or decode (GNSS, alarms, texts, VDL replies); retrieve and send unaffected.")
            .arg(count),
        DroppedLinesNoticeMs);
    utcLabel->setVisible(false);
}

void MainWindow::OnTabChanged(int index)
{
    if (index == -1)
        return;
    StateMachine* sm = app->GetStateMachine();
    if (index == positionGnss && !sensorMode)
        gpsStatusTab->OnTabSelected();
    else
        gpsStatusTab->OnTabDeselected();

    if (sensorMode)
    {
        if (IsLinkOpen())
            sm->OnSerialNumbers();
        sensorSettingsTab->OnTabDeselected();
        adcSettingsTab->OnTabDeselected();
        messageSettingsTab->OnTabDeselected();
        systemInformationTab->OnTabDeselected();
        liveDataTab->OnTabDeselected();
        switch (index)
        {
        case 0:
            sensorSettingsTab->OnTabSelected();
            break;
        case 1:
            adcSettingsTab->OnTabSelected();
            break;
        case 2:
            messageSettingsTab->OnTabSelected();
            break;
        case 3:
            systemInformationTab->OnTabSelected();
            break;
        case 4:
            liveDataTab->OnTabSelected();
            break;
        default:
            break;
        }
        return;
    }

    statusTab->ClearReportLabel();
    if (IsLinkOpen() && index == positionDiagnostics)
    {
        sm->RequestVersion();
        return;
    }
    sm->StopVoltageTimer();
}

void MainWindow::OnUpdate()
{
    transferRunning = false;
    UpdateConnectionWidgets();
}

void MainWindow::OnGpsDataReceived(GpsData* gpsData)
{
    if (!gpsData)
    {
        utcLabel->setText(QStringLiteral(" UTC **:**:** "));
        return;
    }
    utcLabel->setText(QStringLiteral(" UTC ") + gpsData->GetTime().toString(QStringLiteral("hh:mm:ss")) +
                      QStringLiteral(" "));
}

// ---------------------------------------------------------------------------------------------
// Connection

void MainWindow::OnConnect()
{
    app->ConnectSerialTransport();
    UpdateConnectionWidgets();
}

void MainWindow::OnConnected()
{
    SerialTransport* transport = app->GetTransport();
    if (!transport)
        throw std::bad_alloc();
    linkOpen = true;
    MakeLinkConnections();
    serialTab->OnOpened();
    liveDataTab->OnOpened();
    ShowStandingMessage(transport->ConnectionDescription());
    UpdateConnectionWidgets();
}

void MainWindow::CloseLink()
{
    liveDataTab->Stop();
    app->Disconnect();
    ShowReady();
    statusTab->ClearStatus();
    StopLogging();
    UpdateConnectionWidgets();
}

void MainWindow::OnDisconnect()
{
    if (!IsLinkOpen())
        return;
    CloseLink();
}

void MainWindow::OnDisconnected()
{
    realAtoNTab->StopGnssPositionAveraging();
    realAtoNTab->DisableGetGnssPositionButton();
    serialTab->OnClosed();
    liveDataTab->OnClosed();
    statusTab->OnClosed();
    DropLinkConnections();
    linkOpen = false;
    transferRunning = false;
    if (liveDataIsolated)
        OnIsolateLiveDataTab(false);
    serialTab->SetLogState(false);
    ShowReady();
    utcLabel->setText(tr(" No GNSS "));
    RefreshSerialPortList();
    UpdateConnectionWidgets();
    // The application object lets go of the transport after this report: look again once it has, so
    // that Connect comes back.
    QMetaObject::invokeMethod(this, &MainWindow::UpdateConnectionWidgets, Qt::QueuedConnection);
}

void MainWindow::MakeLinkConnections()
{
    // A second report of the same connection must not double the wiring.
    DropLinkConnections();

    SerialTransport* transport = app->GetTransport();
    SerialController* controller = app->GetTransportDevice();
    GPSDecoder* gnss = app->GetGPSDecoder();
    MessageDecoder* messages = app->GetMessageDecoder();
    StateMachine* sm = app->GetStateMachine();
    if (!transport || !controller || !gnss || !messages || !sm)
        throw std::bad_alloc();
    Transport* t = transport;
    VdlControlTab* vdlControl = vdlTab->GetControlTab();
    QList<QMetaObject::Connection>& c = linkConnections;

    c << connect(serialTab, &SerialTab::Send, t, &Transport::Send);
    c << connect(t, &Transport::Sent, serialTab, &SerialTab::OnSent);
    c << connect(t, &Transport::Received, serialTab, &SerialTab::OnReceived);
    c << connect(t, &Transport::VSWR, statusTab, &StatusTab::OnVSWR);
    c << connect(t, &Transport::VIN, statusTab, &StatusTab::OnVIN);
    c << connect(t, &Transport::Version, statusTab, &StatusTab::OnVersion);
    c << connect(t, &Transport::Variant, statusTab, &StatusTab::OnVariant);
    c << connect(t, &Transport::BootloaderVersion, statusTab, &StatusTab::OnBootloaderVersion);
    c << connect(t, &Transport::PCASerialNumber, statusTab, &StatusTab::OnPCASerialNumber);
    c << connect(t, &Transport::ProductSerialNumber, statusTab, &StatusTab::OnProductSerialNumber);
    c << connect(t, &Transport::AtoNType, statusTab, &StatusTab::OnAtoNType);
    c << connect(t, &Transport::Version, systemInformationTab, &SystemInformationTab::OnVersion);
    c << connect(t, &Transport::PCASerialNumber, systemInformationTab, &SystemInformationTab::OnPCASerialNumber);
    c << connect(t, &Transport::ProductSerialNumber, systemInformationTab,
                 &SystemInformationTab::OnProductSerialNumber);
    c << connect(liveDataTab, &LiveDataTab::IsolateLiveDataTab, this, &MainWindow::OnIsolateLiveDataTab);
    c << connect(liveDataTab, &LiveDataTab::Send, t, &Transport::Send);
    c << connect(t, &Transport::Sent, liveDataTab, &LiveDataTab::OnSent);
    c << connect(t, &Transport::Received, liveDataTab, &LiveDataTab::OnReceived);
    c << connect(systemInformationTab, &SystemInformationTab::Send, t, &Transport::Send);
    c << connect(t, &Transport::Received, systemInformationTab, &SystemInformationTab::OnReceived);
    c << connect(systemInformationTab, &SystemInformationTab::SerialNumbers, sm, &StateMachine::OnSerialNumbers);
    c << connect(sensorSettingsTab, &SensorSettingsTab::EnableWaveMeterDataControls, liveDataTab,
                 &LiveDataTab::OnEnableWaveMeterDataControls);
    c << connect(t, &Transport::FaultLogMessage, statusTab, &StatusTab::OnFaultMessageReceived);
    c << connect(t, &Transport::FaultLogIncomplete, statusTab, &StatusTab::OnFaultLogIncomplete);
    c << connect(t, &Transport::FaultLogRequestComplete, statusTab, &StatusTab::OnFaultMessageLogComplete);
    c << connect(statusTab, &StatusTab::FaultLogRequest, app, &KelvaneApplication::OnFaultLogRequest);
    c << connect(t, &Transport::FaultLogMessageCount, app, &KelvaneApplication::OnFaultLogMessageCount);
    c << connect(t, &Transport::ProximityAlertLogMessage, statusTab, &StatusTab::OnProximityAlertMessageReceived);
    c << connect(t, &Transport::ProximityAlertLogIncomplete, statusTab, &StatusTab::OnProximityAlertLogIncomplete);
    c << connect(t, &Transport::ProximityAlertLogRequestComplete, statusTab, &StatusTab::OnProximityAlertLogComplete);
    c << connect(statusTab, &StatusTab::PrxLogRequest, app, &KelvaneApplication::OnProximityLogRequest);
    c << connect(t, &Transport::prxLogMessageCount, app, &KelvaneApplication::OnPrxLogMessageCount);
    c << connect(controller, &SerialController::SaveError, this, &MainWindow::OnSaveError);
    c << connect(t, &Transport::LinesDropped, this, &MainWindow::OnLinesDropped);
    c << connect(gnss, &GPSDecoder::GpsDataReceived, this, &MainWindow::OnGpsDataReceived);
    c << connect(gnss, &GPSDecoder::GpsDataReceived, realAtoNTab, &RealAtoNTab::OnGpsDataReceived);
    c << connect(gnss, &GPSDecoder::GpsDataReceived, gpsStatusTab, &GpsStatusTab::OnGpsDataReceived);
    c << connect(gnss, &GPSDecoder::SatelliteDataReceived, gpsStatusTab, &GpsStatusTab::OnSatelliteDataReceived);
    c << connect(messages, &MessageDecoder::TextMessageReceived, statusTab, &StatusTab::OnTextMessageReceived);
    c << connect(messages, &MessageDecoder::AlarmReceived, statusTab, &StatusTab::OnAlarmReceived);
    c << connect(messages, &MessageDecoder::Message21RACONStatus, statusInputsTab,
                 &StatusInputConfigurationTab::On_Message21RACONStatus_Received);
    c << connect(messages, &MessageDecoder::Message21LightStatus, statusInputsTab,
                 &StatusInputConfigurationTab::On_Message21LightStatus_Received);
    c << connect(messages, &MessageDecoder::Message21HealthStatus, statusInputsTab,
                 &StatusInputConfigurationTab::On_Message21HealthStatus_Received);
    c << connect(messages, &MessageDecoder::AarNakReceived, this, &MainWindow::On_AarNakReceived);
    c << connect(vdlControl, &VdlControlTab::Send, t, &Transport::Send);
    c << connect(vdlControl, &VdlControlTab::SendVDLMessage, this, &MainWindow::OnSendVDLMessage);
    c << connect(vdlControl, &VdlControlTab::UpdateTabFromVDL, this, &MainWindow::OnRefreshTab);
    c << connect(t, &Transport::VDLMessageSent, vdlControl, &VdlControlTab::OnVDLMessageSent);
    c << connect(t, &Transport::VDLMessageSending, vdlControl, &VdlControlTab::OnVDLMessageSending);
    // The message 6 array is lent for the emission only: the page must run inside it.
    c << connect(messages, &MessageDecoder::Message6Received, vdlControl, &VdlControlTab::On_Message6Received_Received,
                 Qt::DirectConnection);
    c << connect(t, &Transport::signalUbloxM8, realAtoNTab, &RealAtoNTab::onUbloxM8);
    c << connect(t, &Transport::signalUbloxM8, gpsStatusTab, &GpsStatusTab::onUbloxM8);
    c << connect(t, &Transport::signalGnssModeReceived, gpsStatusTab, &GpsStatusTab::onReceivedGnssMode);
    c << connect(t, &Transport::signalGnssModeReceived, realAtoNTab, &RealAtoNTab::onReceivedGnssMode);
}

void MainWindow::DropLinkConnections()
{
    for (const QMetaObject::Connection& connection : std::as_const(linkConnections))
        QObject::disconnect(connection);
    linkConnections.clear();
}

void MainWindow::OnSendError()
{
    SerialTransport* transport = app->GetTransport();
    ShowCritical(tr("Error sending to the AtoN"), transport ? transport->GetLastError() : QString());
}

void MainWindow::OnSaveError(int error_message_type)
{
    SerialController* controller = app->GetTransportDevice();
    ShowCritical(tr("Error writing to the Log File"),
                 controller ? controller->SaveErrorText(error_message_type) : tr("Unknown error"));
    // A log that failed is closed by the controller: the button must say so.
    serialTab->SetLogState(controller && controller->IsLogging());
}

void MainWindow::ShowCritical(const QString& title, const QString& text, const QString& informativeText)
{
    Prompts::Message message;
    message.icon = QMessageBox::Critical;
    message.title = title;
    message.text = text;
    message.informativeText = informativeText;
    message.buttons = QMessageBox::Ok;
    message.defaultButton = QMessageBox::Ok;
    Prompts::Current().Ask(this, message);
}

void MainWindow::OnDisplayError(QString text, QString informativeText)
{
    // The failure cut a retrieve of all tabs short: say which tabs still hold what they held before.
    QStringList unread;
    const StateMachine* sm = app->GetStateMachine();
    QTabWidget* tabs = sensorMode ? sensorTabs : atonTabs;
    for (int position : sm ? sm->UnreadTabPositions() : QList<int>())
        if (position >= 0 && position < tabs->count())
            unread << tabs->tabText(position).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!unread.isEmpty())
        informativeText += QStringLiteral("\n\n") +
                           tr("The retrieve did not finish. These tabs were not read from the AtoN and still hold "
                              "what they held before: %1.")
                               .arg(unread.join(QStringLiteral(", ")));

    Prompts::Message message;
    message.icon = QMessageBox::Critical;
    message.text = text;
    message.informativeText = informativeText;
    message.buttons = QMessageBox::Ok;
    message.defaultButton = QMessageBox::Ok;
    Prompts::Current().Ask(nullptr, message);
}

// ---------------------------------------------------------------------------------------------
// Transfers

template <typename Request> void MainWindow::RunRequest(Request request)
{
    const int before = jobsQueuedByRequest;
    request();
    // A request that gave the unit nothing to do gets no completion: the controls come back at once.
    if (jobsQueuedByRequest == before)
        EnableTransferButtons(true);
}

void MainWindow::EnableTransferButtons(bool enable)
{
    if (!sensorMode)
    {
        const int current = atonTabs->currentIndex();
        if (current == positionGnss || current == positionDiagnostics || current == positionSerialData)
            return;
    }
    if (enable)
    {
        ApplyTransferState();
        return;
    }
    SetTransferControlsEnabled(false);
}

void MainWindow::SetTransferControlsEnabled(bool enable)
{
    for (QAction* action : {retrieveCurrentAction, retrieveAllAction, sendCurrentAction, sendAllAction})
        action->setEnabled(enable);
    retrieveMenu->setEnabled(enable);
    sendMenu->setEnabled(enable);
    retrieveButton->setEnabled(enable);
    sendButton->setEnabled(enable);
}

void MainWindow::OnGetCurrentTab()
{
    EnableTransferButtons(false);
    const int position = ShownTabWidget()->currentIndex();
    if (!sensorMode && position == positionRealAtoN)
    {
        realAtoNTab->StopGnssPositionAveraging();
        realAtoNTab->ResetAddressedMMSI();
    }
    RunRequest([this, position] { Q_EMIT GetTab(position); });
}

void MainWindow::OnGetAllTabs()
{
    realAtoNTab->StopGnssPositionAveraging();
    EnableTransferButtons(false);
    RunRequest([this] { Q_EMIT GetAllTabs(); });
}

void MainWindow::RunNeedAllDataWarning(void (cNeedAllDataWarning::*setMessage)())
{
    cNeedAllDataWarning dialog(this);
    (dialog.*setMessage)();
    Prompts::Current().Run(&dialog);
}

void MainWindow::OnSendCurrentTab()
{
    EnableTransferButtons(false);
    if (sensorMode)
    {
        const int position = sensorTabs->currentIndex();
        RunRequest([this, position] { Q_EMIT SendTab(position); });
        return;
    }
    const int position = atonTabs->currentIndex();
    if (position == positionRealAtoN)
    {
        realAtoNTab->StopGnssPositionAveraging();
        sendGoAhead = false;
        if (realAtoNTab->IsConfigurationComplete())
            sendGoAhead = true;
        else
            RunNeedAllDataWarning(&cNeedAllDataWarning::SetRealMessage);
    }
    else if (virtualAtoNTab && position == positionVirtualAtoN)
    {
        sendGoAhead = false;
        if (AllVirtualAtoNsComplete())
            sendGoAhead = true;
        else
            RunNeedAllDataWarning(&cNeedAllDataWarning::SetVirtualMessage);
    }
    else
    {
        sendGoAhead = true;
    }

    // Only a send of a schedule can be refused by the unit. The flags are armed whatever the user
    // answered: a refusal that arrives is always shown.
    scheduleAarPending = position == positionMessageSchedule;
    virtualAarPending = virtualAtoNTab && position == positionVirtualAtoN;
    if (sendGoAhead)
    {
        if (position == positionRealAtoN)
            Q_EMIT pauseGNSS(true);
        RunRequest([this, position] { Q_EMIT SendTab(position); });
    }
    sendGoAhead = true;
}

void MainWindow::OnSendAllTabs()
{
    realAtoNTab->StopGnssPositionAveraging();
    EnableTransferButtons(false);
    sendGoAhead = false;
    if (!sensorMode)
    {
        const bool virtualComplete = virtualAtoNTab ? AllVirtualAtoNsComplete() : true;
        if (realAtoNTab->IsConfigurationComplete() && virtualComplete)
            sendGoAhead = true;
        else
            RunNeedAllDataWarning(&cNeedAllDataWarning::SetRealAndVirtualMessage);
    }
    else
    {
        sendGoAhead = true;
    }
    if (sendGoAhead)
    {
        Q_EMIT pauseGNSS(true);
        RunRequest([this] { Q_EMIT SendAllTabs(); });
    }
    sendGoAhead = true;
    // Armed whatever the user answered: a refusal that arrives is always shown.
    scheduleAarPending = true;
    virtualAarPending = true;
}

void MainWindow::onNeedAllDataContinueButtonPressed()
{
    sendGoAhead = true;
}

void MainWindow::onNeedAllDataCancelButtonPressed()
{
    EnableTransferButtons(true);
}

bool MainWindow::AllVirtualAtoNsComplete() const
{
    if (!virtualAtoNTab)
        return false;
    for (int k = 1; k <= VirtualAtoNTab::PageCount; ++k)
    {
        if (!virtualAtoNTab->GetVirtualAtoN(k)->IsValid())
            return false;
    }
    return true;
}

void MainWindow::OnSendVDLMessage(VDL::VdlApplicationID functionID, int delay)
{
    Q_EMIT SendVDLMessage(functionID, delay);
}

int MainWindow::PositionOfTab(QWidget* tab) const
{
    if (tab == realAtoNTab)
        return positionRealAtoN;
    if (tab == messageScheduleTab)
        return positionMessageSchedule;
    if (virtualAtoNTab && (tab == virtualAtoNTab || virtualAtoNTab->isAncestorOf(tab)))
        return positionVirtualAtoN;
    if (tab == statusInputsTab)
        return positionStatusInputs;
    if (tab == alertMessagesTab)
        return positionAlertMessages;
    if (tab == repeaterTab)
        return positionRepeater;
    if (tab == vdlTab || (tab && vdlTab->isAncestorOf(tab)))
        return positionVdl;
    return -1;
}

void MainWindow::OnEdited(QWidget* tab)
{
    if (!isWindowModified())
        setWindowModified(true);
    // The tab the change belongs to, which need not be the one on screen (the off-position check of the
    // Real AtoN tab changes the schedule).
    int position = PositionOfTab(tab);
    if (position < 0)
        position = ShownTabWidget()->currentIndex();
    Q_EMIT Edited(position);
}

void MainWindow::OnUpdateTabIcon(int tab, int icon)
{
    QTabWidget* tabs = ShownTabWidget();
    if (tab < 0 || tab >= tabs->count())
        return;
    switch (icon)
    {
    case StateMachine::TabNotConnected:
        tabs->setTabIcon(tab, QIcon());
        break;
    case StateMachine::TabEdited:
        tabs->setTabIcon(tab, QIcon(QStringLiteral(":/Images/TabEdited.png")));
        break;
    case StateMachine::TabNotRead:
        tabs->setTabIcon(tab, QIcon(QStringLiteral(":/Images/TabNotSynced.png")));
        break;
    case StateMachine::TabBusy:
        tabs->setTabIcon(tab, QIcon(QStringLiteral(":/Images/TabSyncing.png")));
        break;
    case StateMachine::TabInStep:
        tabs->setTabIcon(tab, QIcon(QStringLiteral(":/Images/TabSynced.png")));
        break;
    default:
        break;
    }
}

void MainWindow::OnEnableTab(int tab, bool enable)
{
    if (sensorMode)
        return;
    QWidget* page = atonTabs->widget(tab);
    if (page && UnitConfigurationTabs().contains(page))
        page->setEnabled(enable);
}

QWidget* MainWindow::ConfigurationTabAt(int position) const
{
    if (position < 0)
        return nullptr;
    if (position == positionRealAtoN)
        return realAtoNTab;
    if (position == positionMessageSchedule)
        return messageScheduleTab;
    if (virtualAtoNTab && position == positionVirtualAtoN)
        return virtualAtoNTab;
    if (position == positionStatusInputs)
        return statusInputsTab;
    if (position == positionAlertMessages)
        return alertMessagesTab;
    if (position == positionRepeater)
        return repeaterTab;
    if (position == positionVdl)
        return vdlTab;
    return nullptr;
}

void MainWindow::ReloadTab(int tab, Model* source, bool fromUnit)
{
    QWidget* widget = ConfigurationTabAt(tab);
    if (!widget)
        return;
    if (widget == virtualAtoNTab)
    {
        virtualAtoNTab->SetModel(source);
        return;
    }
    static_cast<AtoNConfiguration*>(widget)->UpdateTabFromModel(source);
    if (fromUnit && widget == realAtoNTab)
        Q_EMIT pauseGNSS(false);
}

void MainWindow::ReloadSensorTabs(Model* source)
{
    sensorSettingsTab->UpdateTabFromModel(source);
    adcSettingsTab->UpdateTabFromModel(source);
    messageSettingsTab->UpdateTabFromModel(source);
    systemInformationTab->UpdateTabFromModel(source);
}

void MainWindow::OnUpdateTabFromTransportModel(int tab)
{
    Model* transport = app->GetTransportModel();
    // The worker may be writing another part of the transport model for the next job.
    QMutexLocker lock(&Transport::ModelLock());
    if (sensorMode)
    {
        ReloadSensorTabs(transport);
        return;
    }
    setWindowModified(true);
    ReloadTab(tab, transport, true);
}

void MainWindow::OnUpdateTransportModelFromTab(int tab)
{
    Model* transport = app->GetTransportModel();
    QMutexLocker lock(&Transport::ModelLock());
    if (sensorMode)
    {
        sensorSettingsTab->UpdateModelFromTab(transport);
        adcSettingsTab->UpdateModelFromTab(transport);
        messageSettingsTab->UpdateModelFromTab(transport);
        systemInformationTab->UpdateModelFromTab(transport);
        return;
    }
    QWidget* widget = ConfigurationTabAt(tab);
    if (!widget)
        return;
    if (widget == virtualAtoNTab)
        virtualAtoNTab->UpdateModelFromTab(transport);
    else
        static_cast<AtoNConfiguration*>(widget)->UpdateModelFromTab(transport);
}

void MainWindow::OnRefreshTab(int tab)
{
    setWindowModified(true);
    if (sensorMode)
    {
        ReloadSensorTabs(app->GetTabModel());
        return;
    }
    ReloadTab(tab, app->GetTabModel(), false);
}

void MainWindow::OnActivateProgressBar(bool activate, int maxSize)
{
    if (activate)
    {
        progressHideTimer->stop();
        progressBarActive = true;
        progressBar->setRange(0, maxSize);
        progressBar->setValue(0);
        progressBar->show();
        return;
    }
    progressHideTimer->start();
}

void MainWindow::OnDeactivateProgressBar()
{
    if (!progressBarActive)
        return;
    progressBar->hide();
    progressBar->setRange(0, 1);
    progressBarActive = false;
}

void MainWindow::OnUpdateProgressBar(int updateValue)
{
    progressBar->setValue(updateValue);
}

void MainWindow::OnIsolateLiveDataTab(bool isolate)
{
    liveDataIsolated = isolate;
    for (int position = 0; position < positionLiveData; ++position)
        sensorTabs->setTabEnabled(position, !isolate);
    ApplyTransferState();
}

void MainWindow::On_AarNakReceived()
{
    if (!scheduleAarPending && !virtualAarPending)
        return;
    scheduleAarPending = false;
    virtualAarPending = false;
    cAarNakWarning dialog(this);
    Prompts::Current().Run(&dialog);
}

void MainWindow::On_updateAarFlag(int scenario)
{
    if (scenario == 0)
        scheduleAarPending = false;
    else if (scenario == 1)
        virtualAarPending = false;
}

// ---------------------------------------------------------------------------------------------
// Raw traffic log

void MainWindow::OnSerialTabSaveLogFile(bool save)
{
    if (!save)
    {
        SaveLogToFile();
    }
    else
    {
        if (SerialController* controller = app->GetTransportDevice())
            controller->StopLog();
        serialTab->SetLogState(false);
    }
    UpdateConnectionWidgets();
}

void MainWindow::SaveLogToFile()
{
    SerialController* controller = app->GetTransportDevice();
    if (!controller)
        return;
    const QString name = Prompts::Current().SaveFileName(this, tr("Save Log To File"), app->GetLogFilename(),
                                                         tr("Text Log Files ( *.txt *.log )"));
    if (name.isEmpty())
        return;
    app->SetLogFilename(name);
    if (!controller->StartLog(name))
    {
        ShowCritical(tr("Error creating Log File"), controller->SaveErrorText(SerialController::ErrorCreatingFile));
        return;
    }
    serialTab->SetLogState(true);
}

void MainWindow::StopLogging()
{
    if (app->GetTransport())
    {
        if (SerialController* controller = app->GetTransportDevice())
            controller->StopLog();
    }
    serialTab->SetLogState(false);
}

// ---------------------------------------------------------------------------------------------
// Configuration files

void MainWindow::SetCurrentFile()
{
    setWindowFilePath(currentFile.isEmpty() ? UntitledName : currentFile);
    ui->actionSaveFile->setEnabled(!currentFile.isEmpty());
}

void MainWindow::ClearEditedOfConfigurationTabs()
{
    realAtoNTab->ClearEdited();
    messageScheduleTab->ClearEdited();
    if (virtualAtoNTab)
        virtualAtoNTab->ClearEdited();
    statusInputsTab->ClearEdited();
    alertMessagesTab->ClearEdited();
    repeaterTab->ClearEdited();
    vdlTab->ClearEdited();
}

void MainWindow::ReloadConfigurationTabs()
{
    Model* tabModel = app->GetTabModel();
    realAtoNTab->UpdateTabFromModel();
    messageScheduleTab->UpdateTabFromModel();
    if (virtualAtoNTab)
        virtualAtoNTab->SetModel(tabModel);
    statusInputsTab->UpdateTabFromModel();
    alertMessagesTab->UpdateTabFromModel();
    repeaterTab->UpdateTabFromModel();
    vdlTab->UpdateTabFromModel();
}

bool MainWindow::MaybeSave()
{
    if (!isWindowModified())
        return true;
    Prompts::Message message;
    message.icon = QMessageBox::Question;
    message.text = tr("The file has been modified.");
    message.informativeText = tr("Do you want to save your changes?");
    message.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    message.defaultButton = QMessageBox::Save;
    message.buttonTexts = {
        {QMessageBox::Save, tr("Save")}, {QMessageBox::Discard, tr("Discard")}, {QMessageBox::Cancel, tr("Cancel")}};
    switch (Prompts::Current().Ask(this, message))
    {
    case QMessageBox::Save:
        // Going on discards the edits: only when they reached the file.
        return SaveWithName();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void MainWindow::OnNew()
{
    if (!MaybeSave())
        return;
    {
        WaitCursor cursor;
        currentFile.clear();
        setWindowModified(false);
        SetCurrentFile();
        ClearEditedOfConfigurationTabs();
        app->GetTabModel()->Clear();
        ClearRepeaterForNewConfiguration();
        ReloadConfigurationTabs();
        ReloadClearedSensorTabs();
    }
    Q_EMIT FileLoad();
    UpdateConnectionWidgets();
}

void MainWindow::ClearRepeaterForNewConfiguration()
{
    // The model keeps the repeater record through a clear; a new configuration must not carry the last
    // one's repeater settings into its file or onto the next unit.
    app->GetTabModel()->GetRepeater()->Clear();
}

void MainWindow::ReloadClearedSensorTabs()
{
    // The sensor records were cleared with the model: the sensor tabs must not go on showing (and, at the
    // next store, writing back) the last unit's values.
    sensorSettingsTab->ShowNotRetrieved();
    adcSettingsTab->UpdateTabFromModel();
    messageSettingsTab->UpdateTabFromModel();
}

void MainWindow::OnClose()
{
    OnNew();
}

void MainWindow::OnOpen()
{
    if (!MaybeSave())
    {
        UpdateConnectionWidgets();
        return;
    }
    const QString path =
        Prompts::Current().OpenFileName(this, tr("Open File"), app->GetFilename(), tr("Kelvane Files ( *.kln )"));
    if (path.isEmpty())
        return;
    // The next file dialog starts where this one ended, whatever becomes of the file.
    app->SetFilename(path);

    WaitCursor cursor;
    // Only a regular file can hold a configuration. Opening a FIFO without a writer, or some device
    // nodes, blocks until something happens at the other end, so anything else is refused unopened.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
    {
        cursor.Restore();
        ShowCritical(tr("Could not open the file"), tr("Could not open file: ") + path,
                     tr("It is not a regular file, so it cannot hold a configuration."));
        UpdateConnectionWidgets();
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        cursor.Restore();
        ShowCritical(tr("Could not open the file"), tr("Could not open file: ") + path);
        UpdateConnectionWidgets();
        return;
    }
    // The file is read into a copy: a truncated or corrupt file leaves the configuration as it was, so
    // that nothing half-read can be sent to the unit or saved over another file. A file larger than
    // any configuration is not read at all.
    bool read = false;
    if (file.size() <= Model::MaxFileSize)
    {
        QDataStream stream(&file);
        read = app->GetTabModel()->LoadOrKeep(stream);
    }
    file.close();
    if (!read)
    {
        cursor.Restore();
        ShowCritical(tr("Could not read the file"),
                     tr("Could not read file: ") + path + QStringLiteral("\n") +
                         tr("The file is damaged or is not a Kelvane configuration file. The current configuration "
                            "is unchanged."));
        UpdateConnectionWidgets();
        return;
    }

    currentFile = path;
    setWindowModified(false);
    SetCurrentFile();
    ClearEditedOfConfigurationTabs();
    ReloadConfigurationTabs();
    cursor.Restore();
    Q_EMIT FileLoad();
    UpdateConnectionWidgets();
}

void MainWindow::OnSave()
{
    SaveWithName();
}

bool MainWindow::SaveWithName()
{
    bool saved = false;
    if (currentFile.isEmpty())
        saved = SaveAsWithName();
    else
        saved = SaveFile();
    UpdateConnectionWidgets();
    return saved;
}

void MainWindow::OnSaveAs()
{
    SaveAsWithName();
    UpdateConnectionWidgets();
}

bool MainWindow::SaveAsWithName()
{
    QString path =
        Prompts::Current().SaveFileName(this, tr("Save File"), app->GetFilename(), tr("Kelvane Files ( *.kln )"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kln");
    app->SetFilename(path);
    const QString previous = currentFile;
    currentFile = path;
    if (!SaveFile())
    {
        // The configuration is in no file under the new name: keep the name it has.
        currentFile = previous;
        return false;
    }
    SetCurrentFile();
    setWindowModified(false);
    return true;
}

bool MainWindow::SaveFile()
{
    WaitCursor cursor;
    if (currentFile.isEmpty())
        return false;

    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        app->GetTabModel()->Save(stream);
    }
    // Written beside the old file and put in its place only when complete: a failed save leaves the old
    // file as it was. Unbuffered, so that a write cut short (a full disk) shows in the count written:
    // a buffered flush can lose the rest of the data without reporting it.
    QSaveFile file(currentFile);
    bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    QString reason = file.errorString();
    if (saved)
        saved = WholeWrite::Save(file, bytes, reason);
    if (!saved)
    {
        cursor.Restore();
        ShowCritical(tr("Could not save the file"), tr("Could not save file: ") + currentFile, reason);
        return false;
    }
    ClearEditedOfConfigurationTabs();
    setWindowModified(false);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Closing

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!MaybeSave())
    {
        event->ignore();
        return;
    }
    SerialTransport* transport = app->GetTransport();
    if (IsLinkOpen() && (transferRunning || transport->IsBusy()))
    {
        Prompts::Message message;
        message.icon = QMessageBox::Question;
        message.text = tr("Communicating with the AtoN.");
        message.informativeText = tr("Are you sure you wish to exit?");
        message.buttons = QMessageBox::Yes | QMessageBox::Cancel;
        message.defaultButton = QMessageBox::Cancel;
        message.buttonTexts = {{QMessageBox::Yes, tr("Yes")}, {QMessageBox::Cancel, tr("Cancel")}};
        if (Prompts::Current().Ask(this, message) != QMessageBox::Yes)
        {
            event->ignore();
            return;
        }
    }
    if (IsLinkOpen())
        CloseLink();
    StopLogging();
    event->accept();
}
