#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest/QtTest>
#include <memory>

#include "model/Model.h"
#include "support/GuiTestMain.h"
#include "ui/AtoNConfiguration.h"

// A minimal tab on the edit road: one line edit bound to the BIIT failure text of the alert record.
class TextTab : public AtoNConfiguration
{
public:
    explicit TextTab(Model* model) : AtoNConfiguration(model, nullptr), edit(new QLineEdit(this))
    {
        connect(edit, &QLineEdit::textChanged, this, &TextTab::OnTextChanged);
        UpdateTabFromModel();
    }

    bool UpdateTabFromModel(Model* source = nullptr) override
    {
        updating = true;
        if (source != nullptr)
        {
            *model->GetAlertMessages() = *source->GetAlertMessages();
        }
        edit->setText(model->GetAlertMessages()->GetBiitText());
        updating = false;
        return true;
    }

    bool UpdateModelFromTab(Model* target = nullptr) override
    {
        Model* into = target != nullptr ? target : model;
        into->GetAlertMessages()->SetBiitText(edit->text());
        ++stores;
        return true;
    }

    void OnTextChanged(const QString& text)
    {
        if (updating || text == model->GetAlertMessages()->GetBiitText())
        {
            return;
        }
        CommitUserEdit();
    }

    QLineEdit* edit;
    int stores = 0;
};

class TestAtoNConfiguration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nullModelIsRefused();
    void userEditIsStoredAndAnnounced();
    void sameValueIsNoEdit();
    void loadIsNoEdit();
    void loadFromSourceTakesItsRecord();
};

void TestAtoNConfiguration::nullModelIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, TextTab(nullptr));
}

void TestAtoNConfiguration::userEditIsStoredAndAnnounced()
{
    Model model;
    TextTab tab(&model);
    QCOMPARE(tab.GetModel(), &model);
    QVERIFY(!tab.IsEdited());
    QSignalSpy edited(&tab, &AtoNConfiguration::Edited);

    tab.edit->setText(QStringLiteral("LAMP FAIL"));
    QCOMPARE(model.GetAlertMessages()->GetBiitText(), QStringLiteral("LAMP FAIL"));
    QVERIFY(tab.IsEdited());
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.at(0).at(0).value<QWidget*>(), &tab);

    tab.ClearEdited();
    QVERIFY(!tab.IsEdited());
    QCOMPARE(model.GetAlertMessages()->GetBiitText(), QStringLiteral("LAMP FAIL"));
}

void TestAtoNConfiguration::sameValueIsNoEdit()
{
    Model model;
    model.GetAlertMessages()->SetBiitText(QStringLiteral("SAME"));
    TextTab tab(&model);
    QSignalSpy edited(&tab, &AtoNConfiguration::Edited);
    const int stores = tab.stores;

    // The stored value changes behind the tab; typing it again is no change.
    model.GetAlertMessages()->SetBiitText(QStringLiteral("OTHER"));
    tab.edit->setText(QStringLiteral("OTHER"));
    QCOMPARE(edited.count(), 0);
    QCOMPARE(tab.stores, stores);
    QVERIFY(!tab.IsEdited());
}

void TestAtoNConfiguration::loadIsNoEdit()
{
    Model model;
    TextTab tab(&model);
    QSignalSpy edited(&tab, &AtoNConfiguration::Edited);

    model.GetAlertMessages()->SetBiitText(QStringLiteral("FROM FILE"));
    QVERIFY(tab.UpdateTabFromModel());
    QCOMPARE(tab.edit->text(), QStringLiteral("FROM FILE"));
    QCOMPARE(edited.count(), 0);
    QVERIFY(!tab.IsEdited());
    QVERIFY(!tab.IsUpdating());
}

void TestAtoNConfiguration::loadFromSourceTakesItsRecord()
{
    Model model;
    Model transport;
    transport.GetAlertMessages()->SetBiitText(QStringLiteral("FROM UNIT"));
    transport.GetAlertMessages()->SetBiitAction(2);
    TextTab tab(&model);
    QSignalSpy edited(&tab, &AtoNConfiguration::Edited);

    QVERIFY(tab.UpdateTabFromModel(&transport));
    QCOMPARE(model.GetAlertMessages()->GetBiitText(), QStringLiteral("FROM UNIT"));
    QCOMPARE(model.GetAlertMessages()->GetBiitAction(), 2);
    QCOMPARE(tab.edit->text(), QStringLiteral("FROM UNIT"));
    QCOMPARE(edited.count(), 0);
}

KELVANE_TEST_GUI_MAIN(TestAtoNConfiguration)
#include "tst_AtoNConfiguration.moc"
