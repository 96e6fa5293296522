#include "app/option_text.h"

#include <QRegularExpression>
#include <QTest>

#include <random>

using namespace velmora;

class TestOptionText : public QObject {
    Q_OBJECT

private slots:
    void readsPlainDecimals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "60" << true << 60.0;
        QTest::newRow("blanks around") << "  1500 \t" << true << 1500.0;
        QTest::newRow("plus") << "+7" << true << 7.0;
        QTest::newRow("minus") << "-5" << true << -5.0;
        QTest::newRow("fraction") << "60.5" << true << 60.5;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "7." << true << 7.0;
        QTest::newRow("leading zeros") << "007" << true << 7.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blanks only") << "   " << false << 0.0;
        QTest::newRow("sign only") << "-" << false << 0.0;
        QTest::newRow("point only") << "." << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("digits then letters") << "60s" << false << 0.0;
        QTest::newRow("blank inside") << "6 0" << false << 0.0;
        QTest::newRow("comma") << "60,5" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << 0.0;
        QTest::newRow("hex") << "0x10" << false << 0.0;
        QTest::newRow("two signs") << "--5" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("too large to hold") << QString(400, QLatin1Char('9')) << false << 0.0;
    }

    void readsPlainDecimals()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const std::optional<double> read = readNumber(text.toStdString());
        QCOMPARE(read.has_value(), valid);
        if (valid)
            QCOMPARE(*read, value);
    }

    void writesWholeNumbersWithoutAPoint()
    {
        QCOMPARE(writeNumber(70), std::string("70"));
        QCOMPARE(writeNumber(-5), std::string("-5"));
        QCOMPARE(writeNumber(0), std::string("0"));
        QCOMPARE(writeNumber(-0.0), std::string("0"));
        QCOMPARE(writeNumber(45.5), std::string("45.5"));
        QCOMPARE(writeNumber(0.1 + 10), std::string("10.1"));
        QCOMPARE(writeNumber(1510), std::string("1510"));
    }

    void integersRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");  // 99999 for refused
        QTest::newRow("60.5") << 60.5 << 60;
        QTest::newRow("61.5") << 61.5 << 62;
        QTest::newRow("60.4") << 60.4 << 60;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("32767.4") << 32767.4 << 32767;
        QTest::newRow("32767.5 rounds out") << 32767.5 << 99999;
        QTest::newRow("-32768.5 stays in") << -32768.5 << -32768;
        QTest::newRow("40000") << 40000.0 << 99999;
    }

    void integersRoundHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        const std::optional<std::int16_t> converted = toInteger16(value);
        if (expected == 99999)
            QVERIFY(!converted);
        else
            QCOMPARE(int(*converted), expected);
    }

    void anyTextIsReadOrRefusedNeverMisread()
    {
        // Texts of digits, signs, points, blanks and letters, some very long.
        std::mt19937 random(6122026);
        const QString alphabet = QStringLiteral("0123456789012345678901234567890123456789+-.  eaxZ,\t");
        std::uniform_int_distribution<int> length(0, 12);
        std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
        const QRegularExpression plain(QStringLiteral("^[ \\t]*[+-]?(\\d+\\.?\\d*|\\.\\d+)[ \\t]*$"));
        int accepted = 0;
        for (int i = 0; i < 200000; ++i) {
            QString text;
            const int size = i % 1000 == 0 ? 330 : length(random);
            for (int c = 0; c < size; ++c)
                text += alphabet.at(pick(random));
            const std::optional<double> read = readNumber(text.toStdString());
            const bool plainDecimal = plain.match(text).hasMatch();
            if (!plainDecimal) {
                QVERIFY2(!read, qPrintable(text));
                continue;
            }
            bool ok = false;
            const double expected = text.trimmed().toDouble(&ok);  // Qt reads in the C locale
            if (!ok) {
                QVERIFY2(!read, qPrintable(text));
                continue;
            }
            QVERIFY2(read && *read == expected, qPrintable(text));
            ++accepted;
        }
        QVERIFY(accepted > 1000);
    }
};

QTEST_GUILESS_MAIN(TestOptionText)
#include "tst_option_text.moc"
