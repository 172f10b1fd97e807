// The hand-over of the main window to the application object: the connections between the window and
// the state machine. They are made by signature because the application object knows the window only
// as a QMainWindow; a signature that does not exist is reported by Qt at once (and fails every test).

#include <QMainWindow>

#include <new>

#include "app/KelvaneApplication.h"
#include "comms/StateMachine.h"

void KelvaneApplication::SetMainWindow(QMainWindow* window)
{
    if (!window)
        throw std::bad_alloc();
    QObject* sm = stateMachine;
    if (mainWindow && mainWindow != window)
    {
        disconnect(mainWindow, nullptr, sm, nullptr);
        disconnect(sm, nullptr, mainWindow, nullptr);
    }
    mainWindow = window;
    // Handing the same window over again adds nothing.
    const auto unique = Qt::UniqueConnection;

    // Requests of the window.
    connect(window, SIGNAL(FileLoad()), sm, SLOT(FileLoad()), unique);
    connect(window, SIGNAL(Edited(int)), sm, SLOT(Edited(int)), unique);
    connect(window, SIGNAL(SendTab(int)), sm, SLOT(SendTab(int)), unique);
    connect(window, SIGNAL(SendAllTabs()), sm, SLOT(SendAllTabs()), unique);
    connect(window, SIGNAL(GetTab(int)), sm, SLOT(GetTab(int)), unique);
    connect(window, SIGNAL(GetAllTabs()), sm, SLOT(GetAllTabs()), unique);
    connect(window, SIGNAL(SendVDLMessage(VDL::VdlApplicationID, int)), sm,
            SLOT(SendVDLMessage(VDL::VdlApplicationID, int)), unique);
    connect(window, SIGNAL(SensorPortSelected(bool)), sm, SLOT(SensorPortSelected(bool)), unique);
    connect(window, SIGNAL(inhibitGpsFiltAndTypeQuery(bool)), sm, SLOT(onInhibitGpsFiltAndTypeQuery(bool)), unique);

    // What the state machine reports to the window.
    connect(sm, SIGNAL(Update()), window, SLOT(OnUpdate()), unique);
    connect(sm, SIGNAL(UpdateTabFromTransportModel(int)), window, SLOT(OnUpdateTabFromTransportModel(int)), unique);
    connect(sm, SIGNAL(UpdateTransportModelFromTab(int)), window, SLOT(OnUpdateTransportModelFromTab(int)), unique);
    connect(sm, SIGNAL(UpdateTabIcon(int, int)), window, SLOT(OnUpdateTabIcon(int, int)), unique);
    connect(sm, SIGNAL(EnableTab(int, bool)), window, SLOT(OnEnableTab(int, bool)), unique);
    connect(sm, SIGNAL(DisplayError(QString, QString)), window, SLOT(OnDisplayError(QString, QString)), unique);
    connect(sm, SIGNAL(ActivateProgressBar(bool, int)), window, SLOT(OnActivateProgressBar(bool, int)), unique);
    connect(sm, SIGNAL(UpdateProgressBar(int)), window, SLOT(OnUpdateProgressBar(int)), unique);
    connect(sm, SIGNAL(updateAarFlag(int)), window, SLOT(On_updateAarFlag(int)), unique);

    // A connection that is open already gets the window's rows of the transport wiring now.
    ConnectTransportToWindow();
}
