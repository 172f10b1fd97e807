#pragma once
// The application object: the root of the running program. It holds the persistent settings and
// owns the two configuration models, the two reception decoders and the state machine for the whole
// run, and, while a connection is open, the worker thread and the transport that runs in it. It wires
// these objects together. Every GUI part reaches them by casting QCoreApplication::instance() (see
// KelvaneApplication::Instance()); core code never does: it is given what it needs.

#include <QApplication>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <functional>

class GPSDecoder;
class MessageDecoder;
class Model;
class QThread;
class SerialController;
class SerialTransport;
class StateMachine;

class KelvaneApplication : public QApplication
{
    Q_OBJECT

public:
    // Names of the settings store and its keys, as the store knows them.
    static inline const QString OrganisationName = QStringLiteral("Tidera");
    static inline const QString ApplicationName = QStringLiteral("Kelvane");
    static inline const QString OrganisationDomain = QStringLiteral("tidera.com");
    static inline const QString FilenameKey = QStringLiteral("Filename");
    static inline const QString DiagnosticsFilenameKey = QStringLiteral("DiagnosticsFilename");
    static inline const QString ProximityAlertFilenameKey = QStringLiteral("ProximityAlertFilename");
    static inline const QString LogFilenameKey = QStringLiteral("LogFilename");
    static inline const QString PortNameKey = QStringLiteral("PortName");
    static inline const QString ShowTransmitKey = QStringLiteral("ShowTransmit");
    static inline const QString FCCAcceptKey = QStringLiteral("FCCAccept");
    static inline const QString VendorIDKey = QStringLiteral("VendorID");
    static inline const QString VAtoNEnabledKey = QStringLiteral("VAtoNEnabled");
    static inline const QString DefaultVendorID = QStringLiteral("KVX");

    // How long quitting waits for the worker thread to close the port and the raw log.
    static constexpr unsigned long WorkerStopTimeoutMs = 5000;

    // The look of the application, set before the application object exists: the attributes, the
    // "fusion" style and a grey highlight.
    static void PrepareLook();
    KelvaneApplication(int& argc, char** argv);
    ~KelvaneApplication() override;

    // The running application object; std::bad_alloc when there is none or it is another class.
    static KelvaneApplication* Instance();

    // Window hand-over: stores the main window (not owned) and connects it with the state machine
    // and, while a connection is open, with the transport. A null window is std::bad_alloc.
    void SetMainWindow(QMainWindow* window);
    QMainWindow* GetMainWindow() const { return mainWindow; }

    void LoadSettings();
    void SaveSettings();
    bool SettingsChanged() const { return settingsChanged; }

    void SetFilename(const QString& value);
    void SetDiagnosticsFilename(const QString& value);
    void SetProximityAlertFilename(const QString& value);
    void SetLogFilename(const QString& value);
    void SetPortName(const QString& value);

    QString GetFilename() const { return Filename; }
    QString GetDiagnosticsFilename() const { return DiagnosticsFilename; }
    QString GetProximityAlertFilename() const { return ProximityAlertFilename; }
    QString GetLogFilename() const { return LogFilename; }
    QString GetPortName() const { return PortName; }
    QString GetVendorID() const { return VendorID; }
    bool GetShowTransmit() const { return ShowTransmit; }
    bool GetFCCAccept() const { return FCCAccept; }
    bool GetVAtoNEnabled() const { return VAtoNEnabled; }

    Model* GetTabModel() const { return tabModel; }
    Model* GetTransportModel() const { return transportModel; }
    StateMachine* GetStateMachine() const { return stateMachine; }
    GPSDecoder* GetGPSDecoder() const { return gpsDecoder; }
    MessageDecoder* GetMessageDecoder() const { return messageDecoder; }
    // The transport and its serial controller, or null while not connected.
    SerialTransport* GetTransport() const { return transport; }
    SerialController* GetTransportDevice() const;
    // The worker thread of the open connection, or null.
    QThread* GetWorkerThread() const { return workerThread; }

    // Makes the transport of each new connection over the transport model. Tests put a variant of
    // SerialTransport here (shorter reply waits, say); an empty factory restores the plain one.
    using TransportFactory = std::function<SerialTransport*(Model* transportModel)>;
    void SetTransportFactory(TransportFactory factory) { transportFactory = std::move(factory); }

Q_SIGNALS:
    void ConnectTransport(QString connection);
    void ConnectTransportToFile(QString logFilename);
    void DisconnectTransport();
    void Disconnecting();
    void FaultLogRequest();
    void FaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences);
    void ConnectError(QString error);
    void ProximityLogRequest();
    void prxLogMessageCount(int sentenceNumber, int totalNumberOfSentences);

public Q_SLOTS:
    void ConnectSerialTransport();
    void ConnectSerialTransportToLogFile();
    void Disconnect();
    void Disconnected();
    void Finished();
    void OnFaultLogRequest();
    void OnFaultLogMessageCount(int sentenceNumber, int totalNumberOfSentences);
    void OnProximityLogRequest();
    void OnPrxLogMessageCount(int sentenceNumber, int totalNumberOfSentences);

private Q_SLOTS:
    void OnClosing();

private:
    // Creates the transport and its worker thread and connects them; false when one exists already.
    bool CreateTransport(bool replay);
    // The window's rows of the transport wiring (made only when a window was handed over).
    void ConnectTransportToWindow();
    void DropTransportConnections();
    // Ends the worker thread at quit or destruction: the port, the controller and the raw log close
    // in their own thread, with a bounded wait.
    void StopWorker();

    QPointer<QMainWindow> mainWindow;
    QString Filename;
    QString DiagnosticsFilename;
    QString ProximityAlertFilename;
    QString LogFilename;
    QString PortName;
    bool FCCAccept = false;
    bool ShowTransmit = false;
    bool settingsChanged = false;
    QString VendorID;
    bool VAtoNEnabled = true;
    Model* tabModel = nullptr;
    Model* transportModel = nullptr;
    QThread* workerThread = nullptr;
    SerialTransport* transport = nullptr;
    StateMachine* stateMachine = nullptr;
    GPSDecoder* gpsDecoder = nullptr;
    MessageDecoder* messageDecoder = nullptr;

    // Connections of the open transport, removed together when it reports its disconnection.
    QList<QMetaObject::Connection> transportConnections;
    TransportFactory transportFactory;
};
