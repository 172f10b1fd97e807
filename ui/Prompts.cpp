#include "ui/Prompts.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>

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
    // The texts may carry what the unit replied or a file held: shown as they are, never as markup (a
    // reply such as <img src=...> would otherwise have the box read that file while it is laid out).
    box.setTextFormat(Qt::PlainText);
    box.setText(message.text);
    if (!message.informativeText.isEmpty())
    {
        // The box makes its informative label on the first text given and keeps the automatic format
        // there: made with a blank first, made plain, then given the real text.
        box.setInformativeText(QStringLiteral(" "));
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
        box.setInformativeText(message.informativeText);
    }
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
