#include "appversion.h"
#include "numberconversion.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

class TestNumberConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "text=integer;": halves go to the even neighbour and the 16-bit range is checked after
    // rounding; the ideographic space and full-width digits, sign and point read as ASCII.
    void toInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("integer");
        const QString table =
            u"0.5=0;1.5=2;2.5=2;-0.5=0;-1.5=-2;-2.5=-2;2.51=3;32767.4=32767;32767.5=overflow;"
            u"-32768.5=-32768;-32768.6=overflow;32768=overflow;1e400=overflow;1e-400=0;"
            u"  7 \t=7;\u30003\u3000=3;+4=4;.6=1;5.=5;1.2E2=120;25e-1=2;\uFF0B\uFF19=9;"
            u"\uFF0D\uFF11\uFF12\uFF0E\uFF15=-12;1\uFF10=10;=mismatch;   =mismatch;12a=mismatch;"
            u"1 2=mismatch;-=mismatch;.=mismatch;1.2.3=mismatch;1e=mismatch;1,000=mismatch;"
            u"0x10=mismatch;inf=mismatch;nan=mismatch;+-1=mismatch;1\n=mismatch"_s;
        for (const QString& row : table.split(u';'))
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
    }
    void toInteger() {
        QFETCH(QString, text);
        QFETCH(QString, integer);
        try {
            QCOMPARE(QString::number(NumberConversion::toInteger(text)), integer);
        } catch (const RuntimeError& error) {
            const bool overflow = error.kind() == RuntimeError::Kind::Overflow;
            QCOMPARE(overflow ? u"overflow"_s : u"mismatch"_s, integer);
            QVERIFY(overflow || error.kind() == RuntimeError::Kind::TypeMismatch);
        }
    }

    // Up to 15 significant digits, an exponent for very large or small numbers; the
    // version box runs minor and revision together.
    void toText() {
        const QList<std::pair<double, QString>> cases{
            {0.1 + 0.2, u"0.3"_s}, {123456789.123456789, u"123456789.123457"_s},
            {1e20, u"1E+20"_s},    {1e-5, u"1E-05"_s},
            {-0.0, u"0"_s},        {-1.5, u"-1.5"_s}};
        for (const auto& [value, text] : cases)
            QCOMPARE(NumberConversion::toText(value), text);
        QCOMPARE(AppVersion::prompt(1, 2, 15), u"Varelith Ver.1.215"_s);
    }
};

QTEST_GUILESS_MAIN(TestNumberConversion)
#include "tst_numberconversion.moc"
