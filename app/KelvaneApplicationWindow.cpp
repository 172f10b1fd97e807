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
    mainWindow = window;
    QObject* sm = stateMachine;

    // Requests of the window.
    connect(window, SIGNAL(FileLoad()), sm, SLOT(FileLoad()));
    connect(window, SIGNAL(Edited(int)), sm, SLOT(Edited(int)));
    connect(window, SIGNAL(SendTab(int)), sm, SLOT(SendTab(int)));
    connect(window, SIGNAL(SendAllTabs()), sm, SLOT(SendAllTabs()));
    connect(window, SIGNAL(GetTab(int)), sm, SLOT(GetTab(int)));
    connect(window, SIGNAL(GetAllTabs()), sm, SLOT(GetAllTabs()));
    connect(window, SIGNAL(SendVDLMessage(VDL::VdlApplicationID, int)), sm,
            SLOT(SendVDLMessage(VDL::VdlApplicationID, int)));
    connect(window, SIGNAL(SensorPortSelected(bool)), sm, SLOT(SensorPortSelected(bool)));
    connect(window, SIGNAL(inhibitGpsFiltAndTypeQuery(bool)), sm, SLOT(onInhibitGpsFiltAndTypeQuery(bool)));

    // What the state machine reports to the window.
    connect(sm, SIGNAL(Update()), window, SLOT(OnUpdate()));
    connect(sm, SIGNAL(UpdateTabFromTransportModel(int)), window, SLOT(OnUpdateTabFromTransportModel(int)));
    connect(sm, SIGNAL(UpdateTransportModelFromTab(int)), window, SLOT(OnUpdateTransportModelFromTab(int)));
    connect(sm, SIGNAL(UpdateTabIcon(int, int)), window, SLOT(OnUpdateTabIcon(int, int)));
    connect(sm, SIGNAL(EnableTab(int, bool)), window, SLOT(OnEnableTab(int, bool)));
    connect(sm, SIGNAL(DisplayError(QString, QString)), window, SLOT(OnDisplayError(QString, QString)));
    connect(sm, SIGNAL(ActivateProgressBar(bool, int)), window, SLOT(OnActivateProgressBar(bool, int)));
    connect(sm, SIGNAL(UpdateProgressBar(int)), window, SLOT(OnUpdateProgressBar(int)));
    connect(sm, SIGNAL(updateAarFlag(int)), window, SLOT(On_updateAarFlag(int)));
}
