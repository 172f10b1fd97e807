// Configuration files through the main window's File menu: new, save, save as, open, close, the question
// about unsaved changes with each answer, failed saves that keep the old file, and damaged files that keep
// the configuration.

#include <QAction>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <cerrno>
#include <cstring>

#include "MainWindowTestPrompts.h"
#include "app/KelvaneApplication.h"
#include "comms/AceSentence.h"
#include "comms/NmeaSentence.h"
#include "model/Model.h"
#include "support/AppTestFixture.h"
#include "support/FifoWatch.h"
#include "support/FileSizeLimit.h"
#include "support/ResidentMemory.h"
#include "support/SavedBytes.h"
#include "ui/MainWindow.h"

using KelvaneTest::App;

namespace
{
using KelvaneTest::Saved;

// The real AtoN's name in a configuration file, or a text no name is when it does not read.
QString NameInFile(const QString& path)
{
    Model reread;
    QFile file(path);
    QDataStream stream(&file);
    return file.open(QIODevice::ReadOnly) && reread.LoadOrKeep(stream) ? reread.GetRealAtoN()->GetName()
                                                                       : QStringLiteral("(unread)");
}

// A good file with other contents than the window's.
QByteArray OtherFile()
{
    Model other;
    other.GetRealAtoN()->SetName(QStringLiteral("OTHER"));
    for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
        other.GetVirtualAtoN(k)->SetAtoNName(QStringLiteral("OTHER VIRTUAL"));
    return Saved(other);
}

// What stands at the path a damaged-file row opens.
enum Damage
{
    Contents,     // a file of the row's bytes
    Announced1GB, // a good file whose real AtoN name announces 1 GB, behind which a sparse file holds it
    Fifo,         // a FIFO that nobody writes
    DeviceNode,   // /dev/zero
    Missing       // nothing at all
};
} // namespace

class TestMainWindowFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void newGivesTheDefaultConfiguration_data();
    void newGivesTheDefaultConfiguration();
    void saveAsThenOpenGivesTheSameConfiguration();
    void saveWritesTheCurrentFile();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void damagedFileKeepsTheConfiguration_data();
    void damagedFileKeepsTheConfiguration();
    void openedNameShowsWhatTheUnitGets_data();
    void openedNameShowsWhatTheUnitGets();
    void fileWithoutVdlSectionIsReadWithANotice();
    void cancelledDialogsChangeNothing();

private:
    QLineEdit* NameEdit() const;
    void EditName(const QString& name);
    QString Name() const { return App()->GetTabModel()->GetRealAtoN()->GetName(); }
    QString SaveNamed(const QString& fileName);
    QString Path(const QString& fileName) const { return dir.filePath(fileName); }
    QString WriteFile(const QString& fileName, const QByteArray& bytes) const;

    QTemporaryDir dir;
    MainWindow* window = nullptr;
    TestPrompts* prompts = nullptr;
};

void TestMainWindowFiles::initTestCase()
{
    // The images live in the widgets library; the program registers them in its entry point.
    Q_INIT_RESOURCE(kelvane);
    QVERIFY(QFile::exists(QStringLiteral(":/Images/TabSynced.png")));
    QVERIFY(dir.isValid());
    window = new MainWindow();
    auto answers = std::make_unique<TestPrompts>();
    prompts = answers.get();
    window->SetPrompts(std::move(answers));
    App()->SetMainWindow(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestMainWindowFiles::init()
{
    // Every case starts from a new, unmodified, unnamed configuration.
    prompts->Clear();
    prompts->answers = {QMessageBox::Discard};
    window->OnNew();
    prompts->Clear();
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->GetCurrentFile().isEmpty());
}

void TestMainWindowFiles::cleanupTestCase()
{
    window->setWindowModified(false);
    delete window;
}

QLineEdit* TestMainWindowFiles::NameEdit() const
{
    return window->findChild<QWidget*>(QStringLiteral("tabRealAtoN"))
        ->findChild<QLineEdit*>(QStringLiteral("lineName"));
}

void TestMainWindowFiles::EditName(const QString& name)
{
    QLineEdit* edit = NameEdit();
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, name);
    QCOMPARE(Name(), name);
    QVERIFY(window->isWindowModified());
}

QString TestMainWindowFiles::SaveNamed(const QString& fileName)
{
    const QString path = Path(fileName);
    prompts->saveNames = {path};
    window->findChild<QAction*>(QStringLiteral("actionSave_As"))->trigger();
    return path;
}

QString TestMainWindowFiles::WriteFile(const QString& fileName, const QByteArray& bytes) const
{
    QFile file(Path(fileName));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() ? file.fileName()
                                                                                                      : QString();
}

void TestMainWindowFiles::newGivesTheDefaultConfiguration_data()
{
    QTest::addColumn<bool>("edited");
    QTest::newRow("unmodified window: asks nothing") << false;
    QTest::newRow("after an edit: asks, changes discarded") << true;
}

void TestMainWindowFiles::newGivesTheDefaultConfiguration()
{
    QFETCH(bool, edited);
    if (edited)
        EditName(QStringLiteral("BUOY ONE"));
    prompts->answers = {QMessageBox::Discard};
    QSignalSpy fileLoad(window, &MainWindow::FileLoad);
    window->findChild<QAction*>(QStringLiteral("actionNewFile"))->trigger();
    QCOMPARE(prompts->shown.size(), edited ? 1 : 0);
    if (edited)
    {
        const TestPrompts::Message& question = prompts->shown.first().message;
        QCOMPARE(question.icon, QMessageBox::Question);
        QCOMPARE(question.text, QStringLiteral("The file has been modified."));
        QCOMPARE(question.informativeText, QStringLiteral("Do you want to save your changes?"));
        QCOMPARE(question.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(question.defaultButton, QMessageBox::Save);
        QCOMPARE(question.buttonTexts.size(), 3);
    }
    QCOMPARE(fileLoad.size(), 1);
    QCOMPARE(Name(), QStringLiteral("ATON"));
    QCOMPARE(NameEdit()->text(), QStringLiteral("ATON"));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->windowFilePath(), QStringLiteral("untitled.kln"));
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("actionSaveFile"))->isEnabled());
}

void TestMainWindowFiles::saveAsThenOpenGivesTheSameConfiguration()
{
    EditName(QStringLiteral("HARBOUR ENTRANCE"));
    App()->GetTabModel()->GetStatusInputConfiguration()->SetLightFitted(1);
    App()->GetTabModel()->GetVdlModel()->receiverInterval = 600;

    // A name typed without a suffix gets the configuration file's.
    const QString path = SaveNamed(QStringLiteral("harbour"));
    QCOMPARE(prompts->fileQuestions.size(), 1);
    QCOMPARE(prompts->fileQuestions.first().caption, QStringLiteral("Save File"));
    QCOMPARE(prompts->fileQuestions.first().filter, QStringLiteral("Kelvane Files ( *.kln )"));
    const QString saved = path + QStringLiteral(".kln");
    QVERIFY(QFile::exists(saved));
    QCOMPARE(window->GetCurrentFile(), saved);
    QCOMPARE(App()->GetFilename(), saved);
    QCOMPARE(window->windowFilePath(), saved);
    QVERIFY(!window->isWindowModified());
    QVERIFY(window->findChild<QAction*>(QStringLiteral("actionSaveFile"))->isEnabled());

    window->OnNew();
    QCOMPARE(Name(), QStringLiteral("ATON"));
    QCOMPARE(App()->GetTabModel()->GetVdlModel()->receiverInterval, 0);

    QSignalSpy fileLoad(window, &MainWindow::FileLoad);
    prompts->Clear();
    prompts->openNames = {saved};
    window->findChild<QAction*>(QStringLiteral("actionOpenFile"))->trigger();
    QCOMPARE(prompts->fileQuestions.first().caption, QStringLiteral("Open File"));
    QCOMPARE(prompts->fileQuestions.first().dir, saved);
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    QCOMPARE(fileLoad.size(), 1);
    QCOMPARE(Name(), QStringLiteral("HARBOUR ENTRANCE"));
    QCOMPARE(NameEdit()->text(), QStringLiteral("HARBOUR ENTRANCE"));
    QCOMPARE(App()->GetTabModel()->GetStatusInputConfiguration()->GetLightFitted(), 1);
    QCOMPARE(App()->GetTabModel()->GetVdlModel()->receiverInterval, 600);
    QCOMPARE(window->GetCurrentFile(), saved);
    QVERIFY(!window->isWindowModified());
}

void TestMainWindowFiles::saveWritesTheCurrentFile()
{
    const QString path = SaveNamed(QStringLiteral("current.kln"));
    EditName(QStringLiteral("CHANGED"));
    prompts->Clear();
    window->findChild<QAction*>(QStringLiteral("actionSaveFile"))->trigger();
    QVERIFY(prompts->fileQuestions.isEmpty());
    QVERIFY(!window->isWindowModified());
    QCOMPARE(NameInFile(path), QStringLiteral("CHANGED"));
}

void TestMainWindowFiles::unsavedChangesQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<bool>("fileHoldsEdit");

    QTest::newRow("save to the current file") << int(QMessageBox::Save) << true << true << true;
    QTest::newRow("save, name dialog cancelled") << int(QMessageBox::Save) << false << false << false;
    QTest::newRow("discard") << int(QMessageBox::Discard) << true << true << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << true << false << false;
    QTest::newRow("box closed") << int(QMessageBox::NoButton) << true << false << false;
}

void TestMainWindowFiles::unsavedChangesQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, named);
    QFETCH(bool, goesOn);
    QFETCH(bool, fileHoldsEdit);

    const QString path = named ? SaveNamed(QStringLiteral("question.kln")) : QString();
    EditName(QStringLiteral("EDITED"));
    prompts->Clear();
    prompts->answers = {QMessageBox::StandardButton(answer)};
    window->findChild<QAction*>(QStringLiteral("actionCloseFile"))->trigger();

    QCOMPARE(prompts->shown.size(), 1);
    QCOMPARE(prompts->shown.first().message.text, QStringLiteral("The file has been modified."));
    if (goesOn)
    {
        // Close File gives a new, unnamed configuration.
        QCOMPARE(Name(), QStringLiteral("ATON"));
        QVERIFY(!window->isWindowModified());
        QVERIFY(window->GetCurrentFile().isEmpty());
    }
    else
    {
        QCOMPARE(Name(), QStringLiteral("EDITED"));
        QVERIFY(window->isWindowModified());
        QCOMPARE(window->GetCurrentFile(), path);

        // Closing the window asks the same question; the same answer keeps the window and the
        // program running.
        prompts->Clear();
        prompts->answers = {QMessageBox::StandardButton(answer)};
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        QVERIFY(!window->close());
        QCOMPARE(prompts->shown.size(), 1);
        QVERIFY(window->isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(quitting.count(), 0);
        QCOMPARE(Name(), QStringLiteral("EDITED"));
    }
    if (named)
        QCOMPARE(NameInFile(path), fileHoldsEdit ? QStringLiteral("EDITED") : QStringLiteral("ATON"));
}

void TestMainWindowFiles::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("below"); // empty: Save to the current file; else Save As to a name below it
    QTest::addColumn<int>("error");
    // The disk takes no more than a few bytes of a file: the write fails part-way.
    QTest::newRow("disk full part-way") << QString() << EFBIG;
    // A file cannot hold a directory: nothing can be written below it.
    QTest::newRow("below a file") << QStringLiteral("/second.kln") << ENOTDIR;
}

void TestMainWindowFiles::failedSaveKeepsTheOldFile()
{
    QFETCH(QString, below);
    QFETCH(int, error);
    const QString path = SaveNamed(QStringLiteral("kept.kln"));
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    QVERIFY(before.size() > 256);

    EditName(QStringLiteral("NEVER WRITTEN"));
    prompts->Clear();
    prompts->saveNames = {path + below};
    {
        const KelvaneTest::FileSizeLimit limit(below.isEmpty() ? 64 : -1);
        below.isEmpty() ? window->OnSave() : window->OnSaveAs();
    }

    QCOMPARE(prompts->shown.size(), 1);
    QCOMPARE(prompts->shown.first().message.icon, QMessageBox::Critical);
    QCOMPARE(prompts->shown.first().message.title, QStringLiteral("Could not save the file"));
    QCOMPARE(prompts->shown.first().message.text, QStringLiteral("Could not save file: ") + path + below);
    // Why, below it: the system's own reason.
    QCOMPARE(prompts->shown.first().message.informativeText, QString::fromLocal8Bit(std::strerror(error)));
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->GetCurrentFile(), path);
    QCOMPARE(window->windowFilePath(), path);
    // The next dialog starts at the name chosen last.
    QCOMPARE(App()->GetFilename(), path + below);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), before);
    original.close();
    // No half-written file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("kept")).size(), 1);
    if (!below.isEmpty())
        return;

    // The question about unsaved changes does not go on after a failed save.
    prompts->Clear();
    prompts->answers = {QMessageBox::Save};
    {
        const KelvaneTest::FileSizeLimit limit(64);
        window->OnNew();
    }
    QCOMPARE(Name(), QStringLiteral("NEVER WRITTEN"));
    QVERIFY(window->isWindowModified());
}

void TestMainWindowFiles::damagedFileKeepsTheConfiguration_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // %1: the path
    const QString unread = QStringLiteral("Could not read the file");
    const QString unreadText = QStringLiteral("Could not read file: %1\nThe file is damaged or is not a Kelvane "
                                              "configuration file. The current configuration is unchanged.");
    const QString unopened = QStringLiteral("Could not open the file");
    const QString unopenedText = QStringLiteral("Could not open file: %1");
    const QByteArray good = OtherFile();
    QTest::newRow("cut in the real AtoN") << int(Contents) << good.left(40) << unread << unreadText;
    QTest::newRow("cut in the schedule") << int(Contents) << good.left(400) << unread << unreadText;
    QTest::newRow("cut in the virtual AtoNs") << int(Contents) << good.left(1500) << unread << unreadText;
    QTest::newRow("foreign bytes") << int(Contents) << QByteArray("<?xml version=\"1.0\"?><REPORT/>\n") << unread
                                   << unreadText;
    // As a crash or a failing disk leaves a file.
    QTest::newRow("3248 zero bytes") << int(Contents) << QByteArray(3248, '\0') << unread << unreadText;
    QTest::newRow("name announcing 1 GB in a sparse file") << int(Announced1GB) << good << unread << unreadText;
    QTest::newRow("FIFO without a writer") << int(Fifo) << QByteArray() << unopened << unopenedText;
    QTest::newRow("device node") << int(DeviceNode) << QByteArray() << unopened << unopenedText;
    QTest::newRow("missing file") << int(Missing) << QByteArray() << unopened << unopenedText;
}

void TestMainWindowFiles::damagedFileKeepsTheConfiguration()
{
    QFETCH(int, damage);
    QFETCH(QByteArray, contents);
    QFETCH(QString, title);
    QFETCH(QString, text);

    KelvaneTest::FifoWatch fifo;
    QString damaged = Path(QStringLiteral("no-such-file.kln"));
    if (damage == Contents)
    {
        damaged = WriteFile(QStringLiteral("damaged.kln"), contents);
    }
    else if (damage == Announced1GB)
    {
        // The name's byte count is the four bytes before its text; the file then grows, with no disk
        // behind it, to hold the gigabyte.
        QByteArray name;
        QDataStream stream(&name, QIODevice::WriteOnly);
        stream << QStringLiteral("OTHER");
        const qsizetype at = contents.indexOf(name);
        QVERIFY(at > 0);
        damaged = Path(QStringLiteral("sparse.kln"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents.left(at) + QByteArray::fromHex("40000000"));
        QVERIFY(file.resize(file.size() + (qint64(1) << 30) + contents.size()));
    }
    else if (damage == Fifo)
    {
        QVERIFY(fifo.Start());
        damaged = fifo.Path();
    }
    else if (damage == DeviceNode)
    {
        damaged = QStringLiteral("/dev/zero");
    }
    QVERIFY(!damaged.isEmpty());

    const QString current = SaveNamed(QStringLiteral("current.kln"));
    EditName(QStringLiteral("MINE"));
    QSignalSpy fileLoad(window, &MainWindow::FileLoad);
    prompts->Clear();
    prompts->answers = {QMessageBox::Discard};
    prompts->openNames = {damaged};
    const long residentBefore = KelvaneTest::ResidentKb();
    QElapsedTimer clock;
    clock.start();
    window->OnOpen();

    // Refused at once, with little memory, and without ever opening what is no regular file.
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(KelvaneTest::ResidentKb() - residentBefore < 64 * 1024);
    QCOMPARE(fifo.Readers(), 0);
    QCOMPARE(prompts->shown.size(), 2);
    QCOMPARE(prompts->shown.at(1).message.icon, QMessageBox::Critical);
    QCOMPARE(prompts->shown.at(1).message.title, title);
    QCOMPARE(prompts->shown.at(1).message.text, text.arg(damaged));
    QCOMPARE(fileLoad.size(), 0);
    QCOMPARE(Name(), QStringLiteral("MINE"));
    QCOMPARE(NameEdit()->text(), QStringLiteral("MINE"));
    QCOMPARE(App()->GetTabModel()->GetVirtualAtoN01()->GetAtoNName(), QStringLiteral("ATON"));
    QCOMPARE(window->GetCurrentFile(), current);
    // The next dialog starts at the file chosen last.
    QCOMPARE(App()->GetFilename(), damaged);
    QVERIFY(window->isWindowModified());
}

void TestMainWindowFiles::openedNameShowsWhatTheUnitGets_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ISO 8859-1 letter") << QStringLiteral("CAF\u00c9") << QStringLiteral("CAF\u00c9");
    QTest::newRow("ship emoji and right-to-left mark")
        << QStringLiteral("\U0001f6a2 WRECK\u200f") << QStringLiteral("?? WRECK?");
}

void TestMainWindowFiles::openedNameShowsWhatTheUnitGets()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    Model source;
    source.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351001"));
    source.GetRealAtoN()->SetName(stored);
    prompts->openNames = {WriteFile(QStringLiteral("name.kln"), Saved(source))};
    window->OnOpen();
    QVERIFY(prompts->shown.isEmpty());
    QCOMPARE(NameEdit()->text(), shown);

    // The unit gets the bytes the port writes: one sentence of ASCII, whose name field, read as the unit
    // reads it, is what the tab shows.
    Model* model = App()->GetTabModel();
    AtoNSentenceACE ace(model->GetRealAtoN(), model);
    int count = 0;
    const QByteArray sent = ace.Encode(0, &count).toLatin1();
    for (const char c : sent)
        QVERIFY2(uchar(c) < 0x80, sent.constData());
    const NmeaSentence sentence(QString::fromLatin1(sent).trimmed());
    QVERIFY(sentence.IsValid());
    QCOMPARE(NmeaSentence::Unescaped(sentence.FieldView(7).toString()), NameEdit()->text());
}

void TestMainWindowFiles::fileWithoutVdlSectionIsReadWithANotice()
{
    // Files written before the VDL section existed end right before it.
    Model older;
    older.GetRealAtoN()->SetName(QStringLiteral("OLDER"));
    QByteArray section;
    QDataStream stream(&section, QIODevice::WriteOnly);
    older.GetVdlModel()->Save(stream);
    const QString path = WriteFile(QStringLiteral("older.kln"), Saved(older).chopped(section.size()));
    prompts->openNames = {path};
    window->OnOpen();
    QCOMPARE(prompts->shown.size(), 1);
    QCOMPARE(prompts->shown.first().message.text, QStringLiteral("VDL info not found in file"));
    QCOMPARE(Name(), QStringLiteral("OLDER"));
    QCOMPARE(window->GetCurrentFile(), path);
}

void TestMainWindowFiles::cancelledDialogsChangeNothing()
{
    EditName(QStringLiteral("KEPT"));
    window->OnOpen(); // question answered with its default (Save), then the name dialog is cancelled
    QCOMPARE(Name(), QStringLiteral("KEPT"));
    QVERIFY(window->isWindowModified());
    prompts->Clear();
    window->OnSaveAs();
    QCOMPARE(prompts->fileQuestions.size(), 1);
    QVERIFY(window->isWindowModified());
    QVERIFY(window->GetCurrentFile().isEmpty());
    QVERIFY(prompts->shown.isEmpty());
}

KELVANE_TEST_APP_MAIN(TestMainWindowFiles)
#include "tst_MainWindowFiles.moc"
