#include <cmath>
#include <limits>

#include "TestMain.h"
#include "common/Values.h"

using namespace kel;

class ValuesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void val_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("group separator stops") << "1,234" << 1.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading blanks") << " \t 3.5x" << 3.5;
        QTest::newRow("negative fraction") << "-.25" << -0.25;
        QTest::newRow("exponent") << "1.5E3km" << 1500.0;
        QTest::newRow("dangling exponent") << "3e" << 3.0;
        QTest::newRow("dangling exponent sign") << "3E+x" << 3.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("ampersand alone") << "&X1" << 0.0;
        QTest::newRow("full-width digits are not digits") << QString::fromUtf8("１２") << 0.0;
    }
    void val() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Val(text), expected);
    }

    // A whole number text: the leading-number rule reads all of it but surrounding blanks.
    void isNumberText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << true << 12.0;
        QTest::newRow("blanks around") << " \t-3.5 " << true << -3.5;
        QTest::newRow("exponent") << "1.5E3" << true << 1500.0;
        QTest::newRow("hex") << "&HFF" << true << 255.0;
        QTest::newRow("point alone") << "." << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("trailing text") << "12abc" << false << 0.0;
        QTest::newRow("inner blank") << "1 2" << false << 0.0;
        QTest::newRow("second point") << "1.2.3" << false << 0.0;
        QTest::newRow("dangling exponent") << "3e" << false << 0.0;
        QTest::newRow("hex without digits") << "&H" << false << 0.0;
        QTest::newRow("octal digit 8") << "&O18" << false << 0.0;
    }
    void isNumberText() {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(double, value);
        double v = -1;
        QCOMPARE(IsNumberText(text, &v), number);
        if (number) QCOMPARE(v, value);
        if (number) QCOMPARE(v, Val(text));
    }

    void hugeExponentStaysFinite() {
        QVERIFY(std::isfinite(Val(QStringLiteral("1e999999"))));
        QVERIFY(Val(QStringLiteral("-1e400")) < 0);
    }

    void numText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 3.0 << "3";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("two places") << 12.25 << "12.25";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("binary fraction noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("fifteen digits") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("degrees") << 35.0 + 30.0 / 60.0 + 12.3 / 3600.0 << "35.5034166666667";
        QTest::newRow("large whole") << 123456789012345.0 << "123456789012345";
        QTest::newRow("exponent large") << 1e15 << "1E+15";
        QTest::newRow("exponent small") << 0.000015 << "1.5E-05";
    }
    void numText() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(NumText(value), expected);
    }

    void numTextReadsBack() {
        // The general text of a value reads back to the same value within 15 digits.
        const double values[] = {35.5034166666667, -139.123456789, 1e-7, 6371.0088, 2.5e20};
        for (double v : values) {
            const double back = Val(NumText(v));
            QVERIFY2(std::fabs(back - v) <= std::fabs(v) * 1e-14, qPrintable(NumText(v)));
        }
        QCOMPARE(NumText(1.0 / 3.0, 7), QStringLiteral("0.3333333"));
    }

    void formatNumber_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pad") << 7.0 << "0000" << "0007";
        QTest::newRow("overflow digits kept") << 12345.0 << "000" << "12345";
        QTest::newRow("round half away") << 2.5 << "000" << "003";
        QTest::newRow("round half away negative") << -2.5 << "0" << "-3";
        QTest::newRow("one decimal") << 12.34 << "00.0" << "12.3";
        QTest::newRow("decimal half in binary") << 2.675 << "0.00" << "2.68";
        QTest::newRow("carry") << 9.96 << "00.0" << "10.0";
        QTest::newRow("carry to sixty is not carried further") << 59.96 << "00.0" << "60.0";
        QTest::newRow("optional digits") << 0.5 << "####.###" << ".5";
        QTest::newRow("optional digits trailing point") << 12.0 << "####.###" << "12.";
        QTest::newRow("optional round") << 12.3456 << "####.###" << "12.346";
        QTest::newRow("optional zero") << 0.0 << "###" << "";
        QTest::newRow("area") << 12.3456789 << "######0.000000" << "12.345679";
        QTest::newRow("length") << 4.32149 << "######0.000" << "4.321";
        QTest::newRow("negative to zero loses sign") << -0.0004 << "0.000" << "0.000";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "00.0" << "00.0";
    }
    void formatNumber() {
        QFETCH(double, value);
        QFETCH(QString, picture);
        QFETCH(QString, expected);
        QCOMPARE(FormatNumber(value, picture), expected);
    }

    void formatText() {
        QCOMPARE(FormatText(QStringLiteral("AB"), u"@@@@@@!"), QStringLiteral("AB    "));
        QCOMPARE(FormatText(QStringLiteral("AB"), u"@@@@"), QStringLiteral("  AB"));
        QCOMPARE(FormatText(QStringLiteral("LONGNAME"), u"@@@@@@!"), QStringLiteral("LONGNAME"));
        QCOMPARE(FormatText(QString::fromUtf8("東京"), u"@@@@@@!"),
                 QString::fromUtf8("東京    "));
    }

    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("even");
        QTest::addColumn<double>("away");
        QTest::addColumn<double>("floor");
        QTest::newRow("2.5") << 2.5 << qint64(2) << 3.0 << 2.0;
        QTest::newRow("-2.5") << -2.5 << qint64(-2) << -3.0 << -3.0;
        QTest::newRow("-35.5") << -35.5 << qint64(-36) << -36.0 << -36.0;
        QTest::newRow("0.5") << 0.5 << qint64(0) << 1.0 << 0.0;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(qint64, even);
        QFETCH(double, away);
        QFETCH(double, floor);
        QCOMPARE(RoundHalfEven(value), even);
        QCOMPARE(RoundHalfAway(value), away);
        QCOMPARE(IntFloor(value), floor);
    }

    void roundingExtremes() {
        QCOMPARE(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), qint64(0));
        QCOMPARE(RoundHalfEven(1e300), std::numeric_limits<qint64>::max());
        QCOMPARE(RoundHalfAway(1.005, 2), 1.01);  // 1.005 is 1.00499999... in binary
        QCOMPARE(RoundHalfAway(-0.0004, 3), 0.0);
    }

    void truth() {
        QCOMPARE(TruthText(true), QStringLiteral("-1"));
        QCOMPARE(TruthText(false), QStringLiteral("0"));
        QVERIFY(IsTrueText(QStringLiteral("True")));
        QVERIFY(IsTrueText(QStringLiteral("2abc")));
        QVERIFY(!IsTrueText(QStringLiteral("true")));
        QVERIFY(!IsTrueText(QStringLiteral("False")));
        QVERIFY(!IsTrueText(QString()));
    }
};

KEL_TEST(ValuesTest);
#include "tst_Values.moc"
