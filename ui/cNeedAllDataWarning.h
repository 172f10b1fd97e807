#pragma once

#include <QDialog>
#include <memory>

namespace Ui
{
class cNeedAllDataWarning;
}

// Asked before a send when the AtoN data are incomplete: Continue sends anyway, Cancel goes back.
//
// The dialog reports to the main window through its slots onNeedAllDataContinueButtonPressed() and
// onNeedAllDataCancelButtonPressed(). Every way out (Continue, Cancel, Escape, the close button) passes
// through reject(), which reports a cancel, so the main window always re-enables its transfer controls;
// the go-ahead set by Continue is what decides whether the send goes on.
class cNeedAllDataWarning : public QDialog
{
    Q_OBJECT

public:
    // mainWindow receives the two reports above (connected by signature, so any object that has those
    // slots will do). The dialog itself has no parent: it is application-modal.
    explicit cNeedAllDataWarning(QObject* mainWindow);
    ~cNeedAllDataWarning() override;

    void SetRealAndVirtualMessage();
    void SetRealMessage();
    void SetVirtualMessage();

public Q_SLOTS:
    void reject() override;

Q_SIGNALS:
    void sendCancel();

private:
    void SetWarning(const QString& text);

    std::unique_ptr<Ui::cNeedAllDataWarning> ui;
};
