#pragma once

#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QString>

#include <memory>

class QDialog;
class QWidget;

// Everything the tool asks the user goes through one object, so that nothing modal is hidden in the
// logic of the window or of a tab: the default asks with real dialogs, tests install one that answers
// by itself. One object serves the whole process; the window and every tab ask through Current().
class Prompts
{
public:
    struct Message
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QString informativeText;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        // Button texts to show in place of the standard ones.
        QList<QPair<QMessageBox::StandardButton, QString>> buttonTexts;
    };

    virtual ~Prompts() = default;
    // Shows the message modally; the button chosen, QMessageBox::Cancel (or Escape's button) when the
    // box was closed.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, const Message& message);
    // File names; empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
    // Runs a dialog (completeness warning, AAR refusal, About, a tab's own question) modally.
    virtual int Run(QDialog* dialog);

    // The object in use: the real dialogs unless another was installed.
    static Prompts& Current();
    // Replaces the object in use (null puts the real dialogs back).
    static void Install(std::unique_ptr<Prompts> prompts);
};
