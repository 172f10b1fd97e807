// The Virtual AtoN(s) tab through the main window against the simulated unit: the unit's virtual AtoNs
// read onto their pages, a page filled in by hand and written to the unit, a retrieve and send without an
// edit that leaves the unit as it was, and a configuration file that brings every page back.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest/QtTest>

#include "model/Model.h"
#include "support/SavedBytes.h"
#include "support/WindowTestFixture.h"
#include "ui/VirtualAtoNTab.h"
#include "ui/VirtualAtoNWidget.h"

using KelvaneTest::App;

namespace
{

using KelvaneTest::Saved;

} // namespace

class TestMainWindowVirtualAtoN : public KelvaneTest::WindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void retrieveShowsTheUnitsVirtualAtoNs();
    void sendWithoutAnEditLeavesTheUnitAsItWas();
    void fillAPageAndSendIt();
    void fileBringsEveryPageBack();

private:
    void Transfer(const char* action);
    VirtualAtoNWidget* Page(int k) const
    {
        return window->findChild<VirtualAtoNTab*>(QStringLiteral("tabVirtualAtoN"))->GetVirtualAtoN(k);
    }
    template <class W> W* Find(int k, const char* name) const
    {
        return Page(k)->GetForm()->findChild<W*>(QLatin1String(name));
    }
    // The page showing the MMSI, or 0.
    int PageOf(const QString& mmsi) const;

    QTemporaryDir dir;
};

void TestMainWindowVirtualAtoN::initTestCase()
{
    PrepareWindowTest();
    QVERIFY(dir.isValid());
    QVERIFY(StartUnit(unit));
    unit->State().real.mmsi = QStringLiteral("992351234");
    SimStation& wreck = unit->AddVirtual(QStringLiteral("993510001"));
    wreck.acf[1] = QStringLiteral("5130.5000");
    wreck.acf[3] = QStringLiteral("00415.2500");
    wreck.acf[4] = QStringLiteral("W");
    wreck.ace[5] = QStringLiteral("WRECK EAST");
    unit->AddVirtual(QStringLiteral("993510002")).ace[5] = QStringLiteral("SHOAL");
    OfferUnit();

    QVERIFY(ShowWindow(QSize(1100, 760)));
    prompts->dialogAnswer = TestPrompts::DialogAnswer::Continue;
    QVERIFY(window->VirtualAtoNPosition() >= 0);

    QVERIFY(ConnectThroughWindow());
    window->GetAtoNTabWidget()->setCurrentIndex(window->VirtualAtoNPosition());
}

void TestMainWindowVirtualAtoN::cleanupTestCase()
{
    QVERIFY(CloseWindow());
}

void TestMainWindowVirtualAtoN::Transfer(const char* action)
{
    window->findChild<QAction*>(QLatin1String(action))->trigger();
    QVERIFY(WaitForIdle());
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
}

int TestMainWindowVirtualAtoN::PageOf(const QString& mmsi) const
{
    for (int k = 1; k <= VirtualAtoNTab::PageCount; ++k)
        if (Find<QLineEdit>(k, "MMSILineEdit")->text() == mmsi)
            return k;
    return 0;
}

void TestMainWindowVirtualAtoN::retrieveShowsTheUnitsVirtualAtoNs()
{
    Transfer("actionRetrieveCurrentTab");
    const int wreck = PageOf(QStringLiteral("993510001"));
    QVERIFY(wreck > 0);
    QVERIFY(Find<QCheckBox>(wreck, "enableCheckBox")->isChecked());
    QCOMPARE(Find<QLineEdit>(wreck, "nameLineEdit")->text(), QStringLiteral("WRECK EAST"));
    QVERIFY(!Find<QLineEdit>(wreck, "MMSILineEdit")->isEnabled());
    QCOMPARE(Page(wreck)->GetRecord()->GetPosition()->GetLatitude(), 51.5 + 0.5 / 60.0);
    QCOMPARE(Page(wreck)->GetRecord()->GetPosition()->GetLongitude(), -(4.0 + 15.25 / 60.0));
    QCOMPARE(Find<QTableView>(wreck, "tableSchedules")->model()->index(0, 4).data().toString(), QStringLiteral("200"));
    QVERIFY(PageOf(QStringLiteral("993510002")) > 0);
    QCOMPARE(PageOf(QStringLiteral("000000000")), 3);
    QVERIFY(!Find<QCheckBox>(3, "enableCheckBox")->isChecked());
}

void TestMainWindowVirtualAtoN::sendWithoutAnEditLeavesTheUnitAsItWas()
{
    const QList<SimStation> before = unit->State().virtuals;
    unit->ClearReceivedLines();
    Transfer("actionSendCurrentTab");
    QVERIFY(!unit->ReceivedLines().isEmpty());
    const QList<SimStation> after = unit->State().virtuals;
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i)
    {
        QCOMPARE(after.at(i).mmsi, before.at(i).mmsi);
        QCOMPARE(after.at(i).acf, before.at(i).acf);
        QCOMPARE(after.at(i).ace, before.at(i).ace);
        QCOMPARE(after.at(i).schedule, before.at(i).schedule);
    }
}

void TestMainWindowVirtualAtoN::fillAPageAndSendIt()
{
    const int k = 3;
    auto* pages = window->findChild<VirtualAtoNTab*>(QStringLiteral("tabVirtualAtoN"))
                      ->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    pages->setCurrentIndex(k - 1);
    Find<QCheckBox>(k, "enableCheckBox")->click();
    Find<QLineEdit>(k, "MMSILineEdit")->selectAll();
    QTest::keyClicks(Find<QLineEdit>(k, "MMSILineEdit"), QStringLiteral("993510003"));
    auto* name = Find<QLineEdit>(k, "nameLineEdit");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("new mark"));
    auto* latitude = Find<QLineEdit>(k, "latitudeLineEdit");
    latitude->selectAll();
    QTest::keyClicks(latitude, QStringLiteral("51 31 N"));
    auto* longitude = Find<QLineEdit>(k, "longitudeLineEdit");
    longitude->selectAll();
    QTest::keyClicks(longitude, QStringLiteral("4 12 W"));
    QTest::keyClick(longitude, Qt::Key_Tab);
    QVERIFY(Page(k)->IsEdited());
    QVERIFY(window->isWindowModified());

    // The schedule: channel 1 starts at slot 300, through the cell's own editor.
    auto* table = Find<QTableView>(k, "tableSchedules");
    const QModelIndex slot = table->model()->index(0, 4);
    table->setCurrentIndex(slot);
    table->edit(slot);
    auto* editor = table->findChild<QSpinBox*>(QStringLiteral("Channel1StartSlot"));
    QVERIFY(editor);
    editor->setValue(300);
    QCOMPARE(slot.data().toString(), QStringLiteral("300"));
    QVERIFY(Page(k)->IsValid());
    QVERIFY(SaveScreenshot(window, QStringLiteral("VirtualAtoNTab")));

    Transfer("actionSendCurrentTab");
    const SimStation* mark = unit->State().Station(QStringLiteral("993510003"));
    QVERIFY(mark);
    QCOMPARE(mark->Name(), QStringLiteral("NEW MARK"));
    QCOMPARE(mark->acf.at(1), QStringLiteral("5131.0000"));
    QCOMPARE(mark->acf.at(3), QStringLiteral("00412.0000"));
    QCOMPARE(mark->acf.at(4), QStringLiteral("W"));
    QCOMPARE(mark->Entry(21, 1).value(4).toInt(), 300);
    // The re-read shows the unit's record on its page, in step.
    QVERIFY(PageOf(QStringLiteral("993510003")) > 0);
}

void TestMainWindowVirtualAtoN::fileBringsEveryPageBack()
{
    Model* tabModel = App()->GetTabModel();
    QList<QByteArray> before;
    for (int k = 1; k <= VirtualAtoNTab::PageCount; ++k)
        before << Saved(tabModel->GetVirtualAtoN(k));
    const QStringList names = {Find<QLineEdit>(1, "nameLineEdit")->text(), Find<QLineEdit>(3, "nameLineEdit")->text()};
    const QString path = dir.filePath(QStringLiteral("virtual.kln"));
    prompts->saveNames = {path};
    window->OnSaveAs();
    window->OnNew();
    QCOMPARE(Find<QLineEdit>(1, "MMSILineEdit")->text(), QStringLiteral("000000000"));
    prompts->openNames = {path};
    window->OnOpen();
    QVERIFY2(prompts->shown.isEmpty(), qPrintable(prompts->Texts().join(QLatin1Char('|'))));
    for (int k = 1; k <= VirtualAtoNTab::PageCount; ++k)
        QCOMPARE(Saved(tabModel->GetVirtualAtoN(k)), before.at(k - 1));
    QCOMPARE(Find<QLineEdit>(1, "nameLineEdit")->text(), names.at(0));
    QCOMPARE(Find<QLineEdit>(3, "nameLineEdit")->text(), names.at(1));
    QVERIFY(!Page(1)->IsEdited());
}

KELVANE_TEST_APP_MAIN(TestMainWindowVirtualAtoN)
#include "tst_MainWindowVirtualAtoN.moc"
