#include "ui/Prompts.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QIcon>

namespace
{
std::unique_ptr<Prompts>& Installed()
{
    static std::unique_ptr<Prompts> installed;
    return installed;
}
} // namespace

QMessageBox::StandardButton Prompts::Ask(QWidget* parent, const Message& message)
{
    QMessageBox box(parent);
    box.setWindowIcon(QIcon(QStringLiteral(":/Images/Kelvane.ico")));
    box.setIcon(message.icon);
    if (!message.title.isEmpty())
        box.setWindowTitle(message.title);
    box.setText(message.text);
    box.setInformativeText(message.informativeText);
    box.setStandardButtons(message.buttons);
    for (const auto& text : message.buttonTexts)
    {
        if (QAbstractButton* button = box.button(text.first))
            button->setText(text.second);
    }
    if (message.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(message.defaultButton);
    const int answer = box.exec();
    return QMessageBox::StandardButton(answer);
}

QString Prompts::OpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString Prompts::SaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

int Prompts::Run(QDialog* dialog)
{
    return dialog->exec();
}

Prompts& Prompts::Current()
{
    std::unique_ptr<Prompts>& installed = Installed();
    if (!installed)
        installed = std::make_unique<Prompts>();
    return *installed;
}

void Prompts::Install(std::unique_ptr<Prompts> prompts)
{
    Installed() = std::move(prompts);
}
