#pragma once

#include <QDialog>
#include <memory>

namespace Ui
{
class cVdlAceAcfRequestWarning;
}

// Shown before an ACE/ACF query goes out over the VHF data link: the reply cannot carry everything the
// unit holds (name, type of AtoN, type of EPFS). Continue sends the query and closes the notice; any
// other way out sends nothing.
class cVdlAceAcfRequestWarning : public QDialog
{
    Q_OBJECT

public:
    // owner: the Control page, whose OnAceAcfQueryRequested() Continue reaches. The dialog itself has no
    // parent: it is application-modal.
    explicit cVdlAceAcfRequestWarning(QObject* owner);
    ~cVdlAceAcfRequestWarning() override;

private:
    std::unique_ptr<Ui::cVdlAceAcfRequestWarning> ui;
};
