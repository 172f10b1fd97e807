#pragma once

#include <QList>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaObject>
#include <QString>

#include <memory>

#include "model/ModelNotifier.h"
#include "model/vdl/VdlApplicationID.h"
#include "ui/Prompts.h"

class ADCSettingsTab;
class AlertMessagesTab;
class GpsData;
class GpsStatusTab;
class KelvaneApplication;
class LiveDataTab;
class MessageScheduleTab;
class MessageSettingsTab;
class Model;
class QAction;
class QCloseEvent;
class QComboBoxDropdown;
class QDialog;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTimer;
class QToolButton;
class RealAtoNTab;
class RepeaterControlsTab;
class SensorSettingsTab;
class SerialTab;
class StatusInputConfigurationTab;
class StatusTab;
class cNeedAllDataWarning;
class SystemInformationTab;
class VdlTab;
class VirtualAtoNTab;

namespace Ui
{
class MainWindow;
}

// The tool's only top-level window: the two tab sets (AtoN and sensor, chosen by the selected port), the
// menus and tool bars, the port chooser, the configuration files, the connection to the unit, Retrieve
// and Send with their progress, the tab state icons and the error messages.
//
// Requests to the unit go to the state machine as signals (connected by the application object); what
// the state machine reports comes back to the slots. While a connection is open the window also wires
// the tabs to the transport and the decoders.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // What the window asks the user goes through the process-wide prompts (see ui/Prompts.h); the name
    // stays here for the window's callers.
    using Prompts = ::Prompts;

    static constexpr int ProgressHideDelayMs = 2000;
    static constexpr int PortPollIntervalMs = 1000;
    static constexpr int DroppedLinesNoticeMs = 10000;

    explicit MainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~MainWindow() override;

    // Replaces the way the tool asks the user (never null): installs it for the whole process.
    void SetPrompts(std::unique_ptr<Prompts> prompts);
    Prompts* GetPrompts() const { return &Prompts::Current(); }

    // Positions of the tabs in their tab sets; -1 for the virtual AtoN tab when it is absent.
    int RealAtoNPosition() const { return positionRealAtoN; }
    int MessageSchedulePosition() const { return positionMessageSchedule; }
    int VirtualAtoNPosition() const { return positionVirtualAtoN; }
    int StatusInputsPosition() const { return positionStatusInputs; }
    int AlertMessagesPosition() const { return positionAlertMessages; }
    int RepeaterPosition() const { return positionRepeater; }
    int VdlPosition() const { return positionVdl; }
    int GnssPosition() const { return positionGnss; }
    int DiagnosticsPosition() const { return positionDiagnostics; }
    int SerialDataPosition() const { return positionSerialData; }

    QTabWidget* GetAtoNTabWidget() const { return atonTabs; }
    QTabWidget* GetSensorTabWidget() const { return sensorTabs; }
    QTabWidget* ShownTabWidget() const;
    bool IsSensorMode() const { return sensorMode; }
    QString GetCurrentFile() const { return currentFile; }
    // A connection is open (the transport reported Connected and has not reported Disconnected).
    bool IsLinkOpen() const;
    // A request of this window is still being carried out by the unit.
    bool IsTransferRunning() const { return transferRunning; }

    // The operations the menus, the tool bars and the state machine reach through the slots below.
    void RefreshSerialPortList();
    bool SelectSerialPort(const QString& portName);
    void UpdateConnectionWidgets();
    void ShowReady();
    void EnableTransferButtons(bool enable);
    bool AllVirtualAtoNsComplete() const;
    void SaveLogToFile();
    void StopLogging();
    // Asks about unsaved changes; true means go on (nothing to save, discarded, or saved).
    bool MaybeSave();
    // Writes the tab model to the current file; false (and the old file untouched) on any failure.
    bool SaveFile();
    void SetCurrentFile();

Q_SIGNALS:
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void SendAllTabs();
    void GetTab(int tab);
    void GetAllTabs();
    void SensorPortSelected(bool selected);
    void inhibitGpsFiltAndTypeQuery(bool inhibit);
    void SendVDLMessage(VDL::VdlApplicationID functionID, int delay);
    void pauseGNSS(bool pause);

public Q_SLOTS:
    void OnNew();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OnClose();
    void OnExit();
    void OnAbout();
    void OnSerialDropdown();
    void OnTabChanged(int index);
    void OnSerialPortChanged(int index);
    void DetermineSensorPortSelection();
    void OnConnect();
    void OnDisconnect();
    void OnSendCurrentTab();
    void OnSendAllTabs();
    void OnGetCurrentTab();
    void OnGetAllTabs();
    void OnSendVDLMessage(VDL::VdlApplicationID functionID, int delay);
    void OnSerialTabSaveLogFile(bool save);
    void OnConnected();
    void OnSendError();
    void OnSaveError(int error_message_type);
    void OnDisconnected();
    void OnGpsDataReceived(GpsData* gpsData);
    void OnPortTimeout();
    void OnEdited(QWidget* tab);
    void OnUpdate();
    void OnUpdateTabFromTransportModel(int tab);
    void OnUpdateTransportModelFromTab(int tab);
    void OnUpdateTabIcon(int tab, int icon);
    void OnEnableTab(int tab, bool enable);
    void OnDisplayError(QString text, QString informativeText);
    void OnActivateProgressBar(bool activate, int maxSize);
    void OnDeactivateProgressBar();
    void OnUpdateProgressBar(int updateValue);
    void EvaluateConnectionWidgets(bool mode);
    void OnRefreshTab(int tab);
    void OnIsolateLiveDataTab(bool isolate);
    void On_AarNakReceived();
    void On_updateAarFlag(int scenario);
    void onNeedAllDataCancelButtonPressed();
    void onNeedAllDataContinueButtonPressed();
    // Lines from the unit came faster than the window could take them: count of them missed the
    // displays and the decoders (the job engine still had them).
    void OnLinesDropped(int count);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateTabs();
    void CreateToolBars();
    void CreateStatusBar();
    void ConnectTabs();
    void RestoreTransferButtonLooks();
    // Retrieve and Send with their menus: enabled exactly when a transfer may start now.
    void ApplyTransferState();
    void SetTransferControlsEnabled(bool enable);
    void RunNeedAllDataWarning(void (cNeedAllDataWarning::*setMessage)());
    // Position of the AtoN tab an edited page belongs to; -1 for none.
    int PositionOfTab(QWidget* tab) const;
    void ReloadSensorTabs(Model* source);

    // Save, telling whether the configuration reached the file.
    bool SaveWithName();
    bool SaveAsWithName();
    // The AtoN configuration tabs: the edited marks cleared, then loaded from the tab model.
    void ClearEditedOfConfigurationTabs();
    void ReloadConfigurationTabs();
    // After New: the repeater record, which the model clear leaves alone, and the sensor tabs.
    void ClearRepeaterForNewConfiguration();
    void ReloadClearedSensorTabs();
    // Loads the tab at a position of the shown set from a model (the transport or the tab model).
    void ReloadTab(int tab, Model* source, bool fromUnit);
    // The configuration tab at an AtoN position (null for the others).
    QWidget* ConfigurationTabAt(int position) const;
    // The tabs that hold the unit's own configuration (disabled in the sensor set and in VDL mode).
    QList<QWidget*> UnitConfigurationTabs() const;

    // A request to the state machine, run so that the window knows whether the unit now works on it.
    template <typename Request> void RunRequest(Request request);
    void CloseLink();
    void MakeLinkConnections();
    void DropLinkConnections();
    // The selected port's text, marked "- IN USE" while another program holds it. A port that is not there
    // (unplugged) is not in use: it keeps its text, without the mark.
    void SetPortItemText();
    // A port's list text without the in-use mark.
    static QString PlainPortText(const QString& text);
    QString CurrentPortText() const;
    bool TransferAllowed() const;
    void ShowCritical(const QString& title, const QString& text, const QString& informativeText = QString());

    std::unique_ptr<Ui::MainWindow> ui;
    KelvaneApplication* app;

    QTabWidget* atonTabs = nullptr;
    QTabWidget* sensorTabs = nullptr;
    QStackedWidget* stack = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* utcLabel = nullptr;
    // The status bar's standing text ("Ready", the connection); it comes back whenever a status
    // tip or a timed notice leaves the bar empty.
    QString standingMessage;
    void ShowStandingMessage(const QString& text);

    RealAtoNTab* realAtoNTab = nullptr;
    MessageScheduleTab* messageScheduleTab = nullptr;
    VirtualAtoNTab* virtualAtoNTab = nullptr;
    StatusInputConfigurationTab* statusInputsTab = nullptr;
    AlertMessagesTab* alertMessagesTab = nullptr;
    RepeaterControlsTab* repeaterTab = nullptr;
    VdlTab* vdlTab = nullptr;
    GpsStatusTab* gpsStatusTab = nullptr;
    StatusTab* statusTab = nullptr;
    SerialTab* serialTab = nullptr;
    SensorSettingsTab* sensorSettingsTab = nullptr;
    ADCSettingsTab* adcSettingsTab = nullptr;
    MessageSettingsTab* messageSettingsTab = nullptr;
    SystemInformationTab* systemInformationTab = nullptr;
    LiveDataTab* liveDataTab = nullptr;

    QComboBoxDropdown* portCombo = nullptr;
    QPushButton* connectButton = nullptr;
    QPushButton* disconnectButton = nullptr;
    QToolButton* retrieveButton = nullptr;
    QToolButton* sendButton = nullptr;
    QMenu* retrieveMenu = nullptr;
    QMenu* sendMenu = nullptr;
    QAction* retrieveCurrentAction = nullptr;
    QAction* retrieveAllAction = nullptr;
    QAction* sendCurrentAction = nullptr;
    QAction* sendAllAction = nullptr;
    QTimer* portPollTimer = nullptr;
    // One hide timer, so that a bar activated again within the delay is not hidden by the old one.
    QTimer* progressHideTimer = nullptr;

    int positionRealAtoN = 0;
    int positionMessageSchedule = 1;
    int positionVirtualAtoN = 2;
    int positionStatusInputs = 3;
    int positionAlertMessages = 4;
    int positionRepeater = 5;
    int positionVdl = 6;
    int positionGnss = 7;
    int positionDiagnostics = 8;
    int positionSerialData = 9;
    int positionSensorSettings = 0;
    int positionADCSettings = 1;
    int positionMessageSettings = 2;
    int positionSystemInformation = 3;
    int positionLiveData = 4;

    bool refreshingPortList = false;
    bool portSelected = false;
    bool connectEnabled = false;
    bool sensorMode = false;
    bool sendGoAhead = true;
    bool scheduleAarPending = false;
    bool virtualAarPending = false;
    bool virtualAtoNEnabled = true;
    bool progressBarActive = false;
    bool liveDataIsolated = false;
    bool linkOpen = false;
    bool transferRunning = false;
    int jobsQueuedByRequest = 0;
    QString currentFile;

    // The wiring of an open connection, dropped together when it closes.
    QList<QMetaObject::Connection> linkConnections;
    ModelNotifier::Handler previousNotifier;
};
