#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest/QtTest>

#include "support/GuiTestMain.h"
#include "ui/AisValidator.h"

class TestAisValidator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void validate_data();
    void validate();
    void validateTwiceIsAcceptable();
    void fixup_data();
    void fixup();
    void lineEditShowsUpperCaseAndRefusesBadKeys();
    void anyTextIsAnswered();
};

void TestAisValidator::validate_data()
{
    QTest::addColumn<int>("maxChars");
    QTest::addColumn<int>("maxEncoded");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("output");

    const QString name28 = QString(28, QLatin1Char('A'));
    const QString six = QString(6, QLatin1Char(','));
    const QString ten = QString(10, QLatin1Char(','));

    QTest::newRow("empty") << 34 << 52 << QString() << int(QValidator::Acceptable) << QString();
    QTest::newRow("34 chars, 6 commas, encoded 46")
        << 34 << 52 << name28 + six << int(QValidator::Acceptable) << name28 + six;
    QTest::newRow("34 chars, 10 commas, encoded 54") << 34 << 52 << QString(24, QLatin1Char('A')) + ten
                                                     << int(QValidator::Invalid) << QString(24, QLatin1Char('A')) + ten;
    QTest::newRow("35 plain letters") << 34 << 52 << QString(35, QLatin1Char('B')) << int(QValidator::Invalid)
                                      << QString(35, QLatin1Char('B'));
    QTest::newRow("exactly 34") << 34 << 52 << QString(34, QLatin1Char('B')) << int(QValidator::Acceptable)
                                << QString(34, QLatin1Char('B'));
    QTest::newRow("exactly 52 encoded") << 34 << 52 << QString(16, QLatin1Char('A')) + QString(12, QLatin1Char('^'))
                                        << int(QValidator::Acceptable)
                                        << QString(16, QLatin1Char('A')) + QString(12, QLatin1Char('^'));
    // The quotation mark goes out as an escape, "^22", and counts three like the reserved characters.
    const QString quotes17(17, QLatin1Char('"'));
    QTest::newRow("17 quotation marks and a letter, encoded 52")
        << 34 << 52 << quotes17 + QLatin1Char('A') << int(QValidator::Acceptable) << quotes17 + QLatin1Char('A');
    QTest::newRow("17 quotation marks and two letters, encoded 53")
        << 34 << 52 << quotes17 + QStringLiteral("AB") << int(QValidator::Invalid) << quotes17 + QStringLiteral("AB");
    QTest::newRow("tilde is refused") << 34 << 52 << QStringLiteral("A~B") << int(QValidator::Invalid)
                                      << QStringLiteral("A~B");
    QTest::newRow("lower case turned upper")
        << 34 << 52 << QStringLiteral("abc") << int(QValidator::Intermediate) << QStringLiteral("ABC");
    QTest::newRow("upper case") << 34 << 52 << QStringLiteral("ABC") << int(QValidator::Acceptable)
                                << QStringLiteral("ABC");
    QTest::newRow("mixed") << 34 << 52 << QStringLiteral("Buoy 7") << int(QValidator::Intermediate)
                           << QStringLiteral("BUOY 7");
    QTest::newRow("too long keeps lower case")
        << 34 << 52 << QString(35, QLatin1Char('a')) << int(QValidator::Invalid) << QString(35, QLatin1Char('a'));
    QTest::newRow("alert: 44 chars with one comma")
        << 45 << 45 << QString(43, QLatin1Char('X')) + QLatin1Char(',') << int(QValidator::Invalid)
        << QString(43, QLatin1Char('X')) + QLatin1Char(',');
    QTest::newRow("alert: 45 plain") << 45 << 45 << QString(45, QLatin1Char('X')) << int(QValidator::Acceptable)
                                     << QString(45, QLatin1Char('X'));
    QTest::newRow("whole six-bit range")
        << 64 << 200 << QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_")
        << int(QValidator::Acceptable)
        << QStringLiteral(" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_");
    QTest::newRow("backquote") << 34 << 52 << QStringLiteral("A`") << int(QValidator::Invalid) << QStringLiteral("A`");
    QTest::newRow("braces and bar") << 34 << 52 << QStringLiteral("{|}") << int(QValidator::Invalid)
                                    << QStringLiteral("{|}");
    QTest::newRow("control") << 34 << 52 << QStringLiteral("A\tB") << int(QValidator::Invalid)
                             << QStringLiteral("A\tB");
    QTest::newRow("DEL") << 34 << 52 << QStringLiteral("A\x7f") << int(QValidator::Invalid) << QStringLiteral("A\x7f");
    QTest::newRow("latin-1 letter") << 34 << 52 << QStringLiteral("\u00e9") << int(QValidator::Invalid)
                                    << QStringLiteral("\u00e9");
    QTest::newRow("NUL") << 34 << 52 << QString(QChar(0)) << int(QValidator::Invalid) << QString(QChar(0));
    QTest::newRow("letter before a bad character is upper-cased")
        << 34 << 52 << QStringLiteral("a{") << int(QValidator::Invalid) << QStringLiteral("A{");
}

void TestAisValidator::validate()
{
    QFETCH(int, maxChars);
    QFETCH(int, maxEncoded);
    QFETCH(QString, input);
    QFETCH(int, state);
    QFETCH(QString, output);

    AisValidator validator(maxChars, maxEncoded, nullptr);
    int pos = 0;
    QCOMPARE(int(validator.validate(input, pos)), state);
    QCOMPARE(input, output);
}

void TestAisValidator::validateTwiceIsAcceptable()
{
    AisValidator validator(34, 52, nullptr);
    QString text = QStringLiteral("light a");
    int pos = 0;
    QCOMPARE(validator.validate(text, pos), QValidator::Intermediate);
    QCOMPARE(validator.validate(text, pos), QValidator::Acceptable);
    QCOMPARE(text, QStringLiteral("LIGHT A"));
}

void TestAisValidator::fixup_data()
{
    QTest::addColumn<int>("maxChars");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("40 lower case to 34 upper") << 34 << QString(40, QLatin1Char('q')) << QString(34, QLatin1Char('Q'));
    QTest::newRow("short") << 34 << QStringLiteral("ab") << QStringLiteral("AB");
    QTest::newRow("empty") << 34 << QString() << QString();
}

void TestAisValidator::fixup()
{
    QFETCH(int, maxChars);
    QFETCH(QString, input);
    QFETCH(QString, output);

    AisValidator validator(maxChars, 52, nullptr);
    validator.fixup(input);
    QCOMPARE(input, output);
}

void TestAisValidator::lineEditShowsUpperCaseAndRefusesBadKeys()
{
    QLineEdit edit;
    AisValidator validator(5, 7, &edit);
    edit.setValidator(&validator);
    edit.show();

    QTest::keyClicks(&edit, QStringLiteral("ab~c"));
    QCOMPARE(edit.text(), QStringLiteral("ABC"));
    QTest::keyClicks(&edit, QStringLiteral(",,"));
    // "ABC," encodes to 6 characters; a second comma would need 9 > 7.
    QCOMPARE(edit.text(), QStringLiteral("ABC,"));
    QTest::keyClicks(&edit, QStringLiteral("dEf"));
    QCOMPARE(edit.text(), QStringLiteral("ABC,D"));
}

void TestAisValidator::anyTextIsAnswered()
{
    // Random UTF-16 (controls, surrogates, anything) with a fixed seed: the answer always matches what
    // the text holds, and upper-casing never changes its length.
    QRandomGenerator random(0x5EED);
    AisValidator validator(34, 52, nullptr);
    for (int round = 0; round < 5000; ++round)
    {
        QString text;
        const int length = int(random.bounded(60));
        for (int i = 0; i < length; ++i)
        {
            const bool ascii = random.bounded(4) != 0;
            text.append(QChar(char16_t(ascii ? random.bounded(0x80) : random.bounded(0x10000))));
        }
        QString checked = text;
        int pos = 0;
        const QValidator::State state = validator.validate(checked, pos);
        QCOMPARE(checked.size(), text.size());

        bool allSixBit = true;
        for (const QChar c : checked)
        {
            allSixBit = allSixBit && c.unicode() >= 0x20 && c.unicode() <= 0x5F;
        }
        if (state == QValidator::Acceptable)
        {
            QVERIFY(allSixBit);
            QVERIFY(checked.size() <= 34);
            QVERIFY(AisValidator::EncodedLength(checked) <= 52);
            QCOMPARE(checked, text);
        }
        if (state == QValidator::Intermediate)
        {
            QVERIFY(allSixBit);
            QCOMPARE(checked, text.toUpper());
        }
        QString fixed = text;
        validator.fixup(fixed);
        QVERIFY(fixed.size() <= 34);
    }
}

KELVANE_TEST_GUI_MAIN(TestAisValidator)
#include "tst_AisValidator.moc"
