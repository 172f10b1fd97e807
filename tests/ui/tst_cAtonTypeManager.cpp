#include "support/GuiTestMain.h"
#include "ui/cAtonTypeManager.h"
#include "ui/cDirectionOfImpactInput.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace
{
// Answers the direction dialog once it is shown: a value and OK, or Cancel, or Escape.
void AnswerDialog(cDirectionOfImpactInput* dialog, int degrees, const char* button)
{
    QTimer::singleShot(0, dialog,
                       [dialog, degrees, button]()
                       {
                           QTRY_VERIFY(dialog->isVisible());
                           if (!button)
                           {
                               QTest::keyClick(dialog, Qt::Key_Escape);
                               return;
                           }
                           dialog->findChild<QSpinBox*>(QStringLiteral("spinBoxDirectionOfImpact"))->setValue(degrees);
                           dialog->findChild<QPushButton*>(QLatin1String(button))->click();
                       });
}
} // namespace

class TestcAtonTypeManager : public QObject
{
    Q_OBJECT

private slots:
    void fillsTheCombos()
    {
        QComboBox combo;
        combo.addItem(QStringLiteral("kept"));
        cAtonTypeManager::FillInlandAtoNTypes(&combo);
        QCOMPARE(combo.count(), 33);
        QCOMPARE(combo.itemText(0), QStringLiteral("kept"));
        const int reserved = combo.findText(QStringLiteral("(25)  Reserved"));
        QCOMPARE(combo.itemData(reserved).toInt(), 25);
        combo.clear();
        cAtonTypeManager::FillIalaAtoNTypes(&combo);
        QCOMPARE(combo.count(), 32);
        QCOMPARE(combo.itemText(3), QStringLiteral(" (3)  Fixed Structure - Off Shore"));
        QVERIFY(!cAtonTypeManager::IsFixedAtoNType(4, true));
        QVERIFY(cAtonTypeManager::IsFixedAtoNType(4, false));
    }

    void directionDialog()
    {
        cAtonTypeManager manager;
        QString name = QStringLiteral("LOCK GATE");
        AnswerDialog(manager.GetDialog(), 90, "pushButton_OK");
        QVERIFY(manager.CheckDirectionOfImpact(true, 16, name));
        QCOMPARE(name, QStringLiteral("LOCK GATE%%90"));
        QCOMPARE(manager.GetDirection(), 90);

        QString longName(34, QLatin1Char('W'));
        AnswerDialog(manager.GetDialog(), 270, "pushButton_OK");
        QVERIFY(manager.CheckDirectionOfImpact(true, 17, longName));
        QCOMPARE(longName, QString(29, QLatin1Char('W')) + "%%270");

        QString cancelled = QStringLiteral("WEIR");
        AnswerDialog(manager.GetDialog(), 45, "pushButton_cancel");
        QVERIFY(!manager.CheckDirectionOfImpact(true, 16, cancelled));
        QCOMPARE(cancelled, QStringLiteral("WEIR%%ERROR"));
        QCOMPARE(manager.GetDirection(), 360);

        // Escape refuses the type change too, but keeps the direction.
        manager.onSetDirectionOfInput(12);
        QString escaped = QStringLiteral("WEIR");
        AnswerDialog(manager.GetDialog(), 45, nullptr);
        QVERIFY(!manager.CheckDirectionOfImpact(true, 16, escaped));
        QCOMPARE(manager.GetDirection(), 12);
    }

    void otherTypesAndSeaMode()
    {
        cAtonTypeManager manager;
        QString name = QStringLiteral("LOCK%%90");
        QVERIFY(manager.CheckDirectionOfImpact(false, 0, name));
        QCOMPARE(name, QStringLiteral("LOCK%%90"));
        QVERIFY(manager.CheckDirectionOfImpact(true, 5, name));
        QCOMPARE(name, QStringLiteral("LOCK"));
    }

    void nameEdits()
    {
        cAtonTypeManager manager;
        manager.onSetDirectionOfInput(90);
        QString typed = QStringLiteral("LOCK%%901");
        QVERIFY(manager.UpdateNameDirection(true, 16, typed, QStringLiteral("LOCK%%90")));
        QCOMPARE(typed, QStringLiteral("LOCK%%90"));
        QString deleted = QStringLiteral("LOCK%90");
        QVERIFY(!manager.UpdateNameDirection(true, 16, deleted, QStringLiteral("LOCK%%90")));
        QString sea = QStringLiteral("ANYTHING%%");
        QVERIFY(manager.UpdateNameDirection(false, 16, sea, QStringLiteral("X")));
        QCOMPARE(sea, QStringLiteral("ANYTHING%%"));
    }

    void loadedDirectionSurvivesTheFirstEdit()
    {
        // A fresh manager has no direction, as after opening a file or retrieving from the unit.
        cAtonTypeManager manager;
        QString edited = QStringLiteral("NORTH LOCK%%135");
        QVERIFY(manager.UpdateNameDirection(true, 17, edited, QStringLiteral("LOCK%%135")));
        QCOMPARE(edited, QStringLiteral("NORTH LOCK%%135"));
        QCOMPARE(manager.GetDirection(), 135);

        // Without a direction anywhere, "ERROR" still leaves the name within 34 characters.
        cAtonTypeManager fresh;
        QString full(33, QLatin1Char('L'));
        QVERIFY(fresh.UpdateNameDirection(true, 16, full, QString()));
        QCOMPARE(full, QString(27, QLatin1Char('L')) + "%%ERROR");
    }
};

KELVANE_TEST_GUI_MAIN(TestcAtonTypeManager)
#include "tst_cAtonTypeManager.moc"
