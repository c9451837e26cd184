#include "appversion.h"
#include "numberconversion.h"

#include <QTest>

#include <optional>

using varelith::NumberConversion;
using varelith::RuntimeError;
using Kind = RuntimeError::Kind;

Q_DECLARE_METATYPE(std::optional<Kind>)

namespace {

std::optional<Kind> failureOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& error) {
        return error.kind();
    }
    return std::nullopt;
}

} // namespace

class TestNumberConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<std::optional<Kind>>("failure");
        const std::optional<Kind> none;

        // Ties go to the even neighbour, both ways and at the range ends.
        QTest::newRow("0.5") << "0.5" << 0 << none;
        QTest::newRow("1.5") << "1.5" << 2 << none;
        QTest::newRow("2.5") << "2.5" << 2 << none;
        QTest::newRow("3.5") << "3.5" << 4 << none;
        QTest::newRow("-0.5") << "-0.5" << 0 << none;
        QTest::newRow("-1.5") << "-1.5" << -2 << none;
        QTest::newRow("-2.5") << "-2.5" << -2 << none;
        QTest::newRow("2.51") << "2.51" << 3 << none;
        QTest::newRow("32767.4") << "32767.4" << 32767 << none;
        QTest::newRow("32767.5") << "32767.5" << 0 << std::optional(Kind::Overflow);
        QTest::newRow("-32768.5") << "-32768.5" << -32768 << none;
        QTest::newRow("-32768.6") << "-32768.6" << 0 << std::optional(Kind::Overflow);
        QTest::newRow("32768") << "32768" << 0 << std::optional(Kind::Overflow);
        QTest::newRow("-32768") << "-32768" << -32768 << none;
        QTest::newRow("huge") << "1e400" << 0 << std::optional(Kind::Overflow);
        QTest::newRow("tiny") << "1e-400" << 0 << none;

        // What counts as a number.
        QTest::newRow("plain") << "12" << 12 << none;
        QTest::newRow("spaces around") << "  7 \t" << 7 << none;
        QTest::newRow("ideographic space") << "\u30003\u3000" << 3 << none;
        QTest::newRow("plus") << "+4" << 4 << none;
        QTest::newRow("point first") << ".6" << 1 << none;
        QTest::newRow("point last") << "5." << 5 << none;
        QTest::newRow("exponent") << "1.2E2" << 120 << none;
        QTest::newRow("negative exponent") << "25e-1" << 2 << none;
        QTest::newRow("full-width digit") << "\uFF12" << 2 << none;
        QTest::newRow("full-width all") << "\uFF0D\uFF11\uFF12\uFF0E\uFF15" << -12 << none;
        QTest::newRow("full-width plus") << "\uFF0B\uFF19" << 9 << none;
        QTest::newRow("mixed widths") << "1\uFF10" << 10 << none;

        const std::optional<Kind> mismatch(Kind::TypeMismatch);
        QTest::newRow("empty") << "" << 0 << mismatch;
        QTest::newRow("spaces only") << "   " << 0 << mismatch;
        QTest::newRow("letters") << "abc" << 0 << mismatch;
        QTest::newRow("trailing letters") << "12a" << 0 << mismatch;
        QTest::newRow("space inside") << "1 2" << 0 << mismatch;
        QTest::newRow("sign alone") << "-" << 0 << mismatch;
        QTest::newRow("point alone") << "." << 0 << mismatch;
        QTest::newRow("two points") << "1.2.3" << 0 << mismatch;
        QTest::newRow("exponent without digits") << "1e" << 0 << mismatch;
        QTest::newRow("exponent alone") << "e5" << 0 << mismatch;
        QTest::newRow("thousands separator") << "1,000" << 0 << mismatch;
        QTest::newRow("hexadecimal") << "0x10" << 0 << mismatch;
        QTest::newRow("inf") << "inf" << 0 << mismatch;
        QTest::newRow("nan") << "nan" << 0 << mismatch;
        QTest::newRow("two signs") << "+-1" << 0 << mismatch;
        QTest::newRow("full-width letter") << "\uFF41" << 0 << mismatch;
        QTest::newRow("line break inside") << "1\n" << 0 << mismatch;
    }

    void toInteger() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(std::optional<Kind>, failure);
        int result = 0;
        const auto raised = failureOf([&] { result = NumberConversion::toInteger(text); });
        QCOMPARE(raised, failure);
        if (!failure)
            QCOMPARE(result, expected);
    }

    void toText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 2.0 << "2";
        QTest::newRow("half") << 3.5 << "3.5";
        QTest::newRow("negative") << -1.5 << "-1.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("fifteen digits") << 0.1 + 0.2 << "0.3";
        QTest::newRow("large") << 1e20 << "1E+20";
        QTest::newRow("small") << 1e-5 << "1E-05";
        QTest::newRow("many digits") << 123456789.123456789 << "123456789.123457";
    }

    void toText() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(NumberConversion::toText(value), expected);
    }

    void versionPrompt_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("1.0.0") << 1 << 0 << 0 << "Varelith Ver.1.00";
        QTest::newRow("1.2.15") << 1 << 2 << 15 << "Varelith Ver.1.215";
    }

    void versionPrompt() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, prompt);
        QCOMPARE(varelith::AppVersion::prompt(major, minor, revision), prompt);
    }
};

QTEST_GUILESS_MAIN(TestNumberConversion)
#include "tst_numberconversion.moc"
