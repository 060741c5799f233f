#include "framework/Arithmetic.h"
#include "framework/Color.h"
#include "framework/Geometry.h"
#include "tests/TestMain.h"

#include <cmath>
#include <limits>

using namespace framework;

class ValuesTest : public QObject {
    Q_OBJECT
private slots:
    void checkedOperationsRaiseAtTheLimits()
    {
        constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
        constexpr std::int32_t min = std::numeric_limits<std::int32_t>::min();
        QCOMPARE(CheckedAdd(max - 1, 1), max);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, CheckedAdd(max, 1));
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, CheckedSub(min, 1));
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, CheckedMul(65536, 32768));
        QCOMPARE(CheckedMul(-65536, 32768), min);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, CheckedDiv(min, -1));
        QCOMPARE(CheckedDiv(-7, 2), -3);  // toward zero
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, CheckedAdd<std::uint8_t>(255, 1));
    }

    void rangeChecksRejectWhatDoesNotFit()
    {
        QCOMPARE((RangeChecked<std::uint8_t>(255)), std::uint8_t(255));
        QVERIFY_THROWS_EXCEPTION(ERangeError, (RangeChecked<std::uint8_t>(256)));
        QVERIFY_THROWS_EXCEPTION(ERangeError, (RangeChecked<std::uint16_t>(-1)));
        QVERIFY_THROWS_EXCEPTION(ERangeError, (RangeChecked<std::int32_t>(std::int64_t(1) << 31)));
        QCOMPARE(RangeChecked(23, 0, 23), 23);
        QVERIFY_THROWS_EXCEPTION(ERangeError, RangeChecked(24, 0, 23));
        QVERIFY_THROWS_EXCEPTION(ERangeError, RangeChecked(-1, 0, 59));
    }

    void roundGoesToTheEvenNeighbourOnTies()
    {
        QCOMPARE(Round(2.5L), 2);
        QCOMPARE(Round(3.5L), 4);
        QCOMPARE(Round(-2.5L), -2);
        QCOMPARE(Round(0.5L), 0);
        QCOMPARE(Round(2.5000001L), 3);
        QCOMPARE(Round(-3.7L), -4);
        // A product at extended precision: 0.5f at client sizes 5 and 7.
        QCOMPARE(Round(5 * static_cast<long double>(0.5f)), 2);
        QCOMPARE(Round(7 * static_cast<long double>(0.5f)), 4);
    }

    void roundHalfAwayGoesAwayFromZeroOnTies()
    {
        QCOMPARE(RoundHalfAway(2.5L), 3);
        QCOMPARE(RoundHalfAway(-2.5L), -3);
        QCOMPARE(RoundHalfAway(2.4999L), 2);
        QCOMPARE(CheckedInt::RoundHalfAway(10.5L).value(), 11);
        QVERIFY_THROWS_EXCEPTION(ERangeError, CheckedInt::RoundHalfAway(2147483647.5L));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, RoundHalfAway(std::nanl("")));
    }

    void truncGoesTowardZero()
    {
        QCOMPARE(Trunc(2.9L), 2);
        QCOMPARE(Trunc(-2.9L), -2);
        QCOMPARE(Trunc(-0.5L), 0);
    }

    void conversionsWithoutAnIntegerRaise()
    {
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Round(std::nanl("")));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Trunc(HUGE_VALL));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, Round(1e30L));
        QCOMPARE(Trunc(-9223372036854775808.0L), std::numeric_limits<std::int64_t>::min());
    }

    void checkedIntRaisesWhereIntWouldWrap()
    {
        const CheckedInt max = std::numeric_limits<int>::max();
        const CheckedInt min = std::numeric_limits<int>::min();
        QCOMPARE((max - 1 + 1).value(), max.value());
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, max + 1);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, min - 1);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, 65536 * CheckedInt(32768));
        QCOMPARE((-65536 * CheckedInt(32768)).value(), min.value());
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, min / -1);
        QCOMPARE((CheckedInt(-7) / 2).value(), -3);  // toward zero
        QVERIFY_THROWS_EXCEPTION(Exception, CheckedInt(1) / 0);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, -min);
        QCOMPARE((-max).value(), min.value() + 1);
        CheckedInt x = max;
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, x += 1);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, x *= 2);
        QVERIFY_THROWS_EXCEPTION(Exception, x /= 0);
        QCOMPARE(x, max);  // a failed operation leaves the value as it was
        x = min;
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, x -= 1);
        QVERIFY(min < max && max > min && min <= min && max >= max && min != max && CheckedInt(3) == 3);
    }

    void checkedIntConversionsKeepTheirKindAndRange()
    {
        // Only integers that always fit come in implicitly, and nothing leaves implicitly.
        static_assert(std::is_convertible_v<std::uint16_t, CheckedInt>);
        static_assert(!std::is_convertible_v<std::int64_t, CheckedInt>);
        static_assert(!std::is_convertible_v<unsigned, CheckedInt>);
        static_assert(!std::is_convertible_v<double, CheckedInt>);
        static_assert(!std::is_convertible_v<CheckedInt, int>);
        QCOMPARE(CheckedInt::Round(2.5L).value(), 2);
        QCOMPARE(CheckedInt::Round(-3.5L).value(), -4);
        QCOMPARE(CheckedInt::Trunc(-2.9L).value(), -2);
        // At the edges of int: the tie rounds to the even 2^31, which does not fit; truncation does.
        QVERIFY_THROWS_EXCEPTION(ERangeError, CheckedInt::Round(2147483647.5L));
        QCOMPARE(CheckedInt::Trunc(2147483647.9L).value(), std::numeric_limits<int>::max());
        QCOMPARE(CheckedInt::Round(-2147483648.5L).value(), std::numeric_limits<int>::min());
        QVERIFY_THROWS_EXCEPTION(ERangeError, CheckedInt::Trunc(2147483648.0L));
        QVERIFY_THROWS_EXCEPTION(ERangeError, CheckedInt::Trunc(-2147483649.0L));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, CheckedInt::Round(std::nanl("")));
    }

    void rectanglesExcludeTheirFarEdges()
    {
        const TRect r = Bounds(10, 20, 30, 40);
        QCOMPARE(r.Right, 40);
        QCOMPARE(r.Bottom, 60);
        QCOMPARE(ToQRect(r), QRect(10, 20, 30, 40));
        QCOMPARE(FromQRect(QRect(10, 20, 30, 40)), r);
        QVERIFY(r != Rect(10, 20, 40, 61));
        QVERIFY(Rect(5, 5, 5, 9).IsEmpty());
        const TRect wide = Rect(std::numeric_limits<std::int32_t>::min(), 0, 1, 1);
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, wide.Width());
        QVERIFY_THROWS_EXCEPTION(EIntOverflow, Bounds(std::numeric_limits<std::int32_t>::max(), 0, 1, 1));
    }

    void coloursKeepRedInTheLowByte()
    {
        QCOMPARE(ToQColor(clRed), QColor(255, 0, 0));
        QCOMPARE(ToQColor(clBlue), QColor(0, 0, 255));
        QCOMPARE(ToQColor(clLime), QColor(0, 255, 0));
        QCOMPARE(ToQColor(clYellow), QColor(255, 255, 0));
        QCOMPARE(ToQColor(clGray), QColor(128, 128, 128));
        QCOMPARE(FromQColor(QColor(0x12, 0x34, 0x56)), TColor(0x563412));
        QCOMPARE(FromQColor(ToQColor(clWhite)), clWhite);
    }

    void systemColoursFollowThePalette()
    {
        QVERIFY(IsSystemColor(clBtnFace) && !IsSystemColor(clWhite));
        QCOMPARE(static_cast<std::uint32_t>(clBtnFace), 0xFF00000Fu);
        QCOMPARE(static_cast<std::uint32_t>(clWindowText), 0xFF000008u);
        QCOMPARE(ToQColor(clBtnFace), QGuiApplication::palette().color(QPalette::Button));
        QCOMPARE(ToQColor(clWindowText), QGuiApplication::palette().color(QPalette::Text));
        QCOMPARE(ToQColor(SystemColor(200)), QColor(Qt::black));  // no such system colour
    }
};

STUDIO_CLOCK_TEST_MAIN(ValuesTest)
#include "test_values.moc"
