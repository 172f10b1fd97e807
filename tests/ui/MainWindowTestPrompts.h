#pragma once
// Answers for everything the main window asks the user, so that no modal box or file dialog ever
// waits in a test: messages are recorded and answered from a queue (or with their default button),
// file names come from queues, dialogs are recorded and closed by a chosen button.

#include <QDialog>
#include <QList>
#include <QPushButton>
#include <QStringList>

#include <memory>

#include "ui/MainWindow.h"

class TestPrompts : public MainWindow::Prompts
{
public:
    struct Shown
    {
        Message message;
        bool parentless = false;
    };
    struct FileQuestion
    {
        QString caption;
        QString dir;
        QString filter;
    };
    enum class DialogAnswer
    {
        Continue,
        Cancel
    };

    QList<Shown> shown;
    QList<QMessageBox::StandardButton> answers;
    QStringList openNames;
    QStringList saveNames;
    QList<FileQuestion> fileQuestions;
    QStringList dialogs; // class names of the dialogs run
    DialogAnswer dialogAnswer = DialogAnswer::Cancel;

    QMessageBox::StandardButton Ask(QWidget* parent, const Message& message) override
    {
        shown.append({message, parent == nullptr});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return message.defaultButton != QMessageBox::NoButton ? message.defaultButton : QMessageBox::Ok;
    }

    QString OpenFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override
    {
        fileQuestions.append({caption, dir, filter});
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }

    QString SaveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override
    {
        fileQuestions.append({caption, dir, filter});
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }

    int Run(QDialog* dialog) override
    {
        dialogs.append(QString::fromLatin1(dialog->metaObject()->className()));
        // The completeness warning answers through its buttons, as the user would press them.
        const char* buttonName = dialogAnswer == DialogAnswer::Continue ? "pushButton_continue" : "pushButton_cancel";
        if (QPushButton* button = dialog->findChild<QPushButton*>(QLatin1String(buttonName)))
        {
            dialog->show();
            Q_EMIT button->pressed();
            return dialog->result();
        }
        dialog->reject();
        return dialog->result();
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const Shown& s : shown)
            texts.append(s.message.title.isEmpty() ? s.message.text
                                                   : s.message.title + QStringLiteral(": ") + s.message.text);
        return texts;
    }

    void Clear()
    {
        shown.clear();
        answers.clear();
        openNames.clear();
        saveNames.clear();
        fileQuestions.clear();
        dialogs.clear();
    }
};

// Installs a fresh answering object as everyone's prompts and returns it.
inline TestPrompts* InstallTestPrompts()
{
    auto answers = std::make_unique<TestPrompts>();
    TestPrompts* installed = answers.get();
    Prompts::Install(std::move(answers));
    return installed;
}
