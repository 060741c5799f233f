#include "display/VrClockFaceGeometry.h"
#include "display/vrLedClock.h"
#include "framework/TimeSource.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

using namespace display;
using namespace framework;

namespace {

using Settings = TVrClockFaceGeometry::Settings;

// A clock drawing `settings` at `size`, each part in a colour of its own.
QImage Painted(const Settings& settings, QSize size)
{
    TVrLedClock clock;
    clock.resize(size);
    clock.setSecWidth(settings.secWidth);
    clock.setTickWidth(settings.tickWidth);
    clock.setLedSize(settings.ledSize);
    clock.setSpacing(settings.spacing);
    clock.setTextOffsetX(settings.textOffsetX);
    clock.setTextOffsetY(settings.textOffsetY);
    clock.setTextAngle(settings.textAngle);
    clock.setHourFormat(settings.hourFormat);
    clock.setHours(settings.hours);
    clock.setMinutes(settings.minutes);
    clock.setSeconds(settings.seconds);
    clock.setHoursColor(clRed);
    clock.setHoursOutline(clRed);
    clock.setSecHandColor(clLime);
    clock.setSecOutline(clLime);
    clock.setTickColor(clBlue);
    clock.setTickOutline(clBlue);
    return clock.grab().toImage();
}

QPoint Centre(const TRect& corners)
{
    return {(corners.Left + corners.Right) / 2, (corners.Top + corners.Bottom) / 2};
}

}  // namespace

Q_DECLARE_METATYPE(display::TVrClockFaceGeometry::Settings)

class ClockFaceGeometryTest : public QObject {
    Q_OBJECT
private slots:
    // Where the face is placed, worked out by hand, and what the paint lights there: every dot it
    // gives is lit in its colour, and every pixel of a colour lies within the region a tick copies
    // for it.
    void theGeometryIsWhatThePaintLights_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("charX");       // the right references of HH:MM, then the top
        QTest::addColumn<QList<int>>("secondZero");  // the corners of the dot of second 0
        Settings plain;
        plain.hours = 10;
        plain.seconds = 15;
        QTest::newRow("defaults") << plain << QSize(200, 200) << "10:00" << QList{52, 80, 97, 118, 146, 84}
                                  << QList{98, 26, 102, 30};
        Settings worked{4, 6, 6, 18, 24, 0, 10, hfmt24h, true, 15, 44, 44};
        QTest::newRow("worked example") << worked << QSize(783, 374) << "15:44"
                                        << QList{320, 373, 401, 443, 496, 159} << QList{387, 48, 395, 56};
        Settings afternoon{2, 5, 4, 6, -20, 12, 30, hfmt12h, true, 21, 7, 12};
        QTest::newRow("12-hour, slanted, moved")
            << afternoon << QSize(300, 300) << "09:07" << QList{80, 111, 131, 154, 185, 142}
            << QList{148, 35, 152, 39};
    }

    void theGeometryIsWhatThePaintLights()
    {
        QFETCH(Settings, settings);
        QFETCH(QSize, size);
        QFETCH(QString, text);
        QFETCH(QList<int>, charX);
        QFETCH(QList<int>, secondZero);
        const TVrClockFaceGeometry geometry(settings, size);
        QCOMPARE(geometry.ShownTime(), text);
        QList<int> placedX;
        for (const TVrClockFaceGeometry::PlacedChar& placed : geometry.TimeLayout())
            placedX << placed.x;
        placedX << geometry.TimeLayout().front().y;
        QCOMPARE(placedX, charX);
        const TVrClockFaceGeometry::Rings rings = geometry.RingGeometry();
        const TRect zero = geometry.SecondDotCorners(rings, 0);
        QCOMPARE((QList{zero.Left, zero.Top, zero.Right, zero.Bottom}), secondZero);

        const QImage frame = Painted(settings, size);
        QRegion secondDots;
        for (int s = 0; s <= settings.seconds; ++s) {
            QCOMPARE(PixelAt(frame, Centre(geometry.SecondDotCorners(rings, s))), QColor(Qt::green));
            secondDots += geometry.SecondDotRect(s);
        }
        QCOMPARE(PixelAt(frame, Centre(geometry.SecondDotCorners(rings, settings.seconds + 1))),
            QColor(Qt::black));
        for (int mark = 0; mark < 12; ++mark)
            QCOMPARE(PixelAt(frame, Centre(geometry.HourMarkCorners(rings, mark))), QColor(Qt::blue));
        for (const TVrClockFaceGeometry::PlacedChar& placed : geometry.TimeLayout())
            for (const TRect& led : geometry.LitLedCorners(placed))
                QCOMPARE(PixelAt(frame, Centre(led)), QColor(Qt::red));
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QColor colour = PixelAt(frame, x, y);
                if (colour == Qt::green)
                    QVERIFY2(secondDots.contains(QPoint(x, y)), qPrintable(QString("%1,%2").arg(x).arg(y)));
                if (colour == Qt::red)
                    QVERIFY2(
                        geometry.TimeTextRect().contains(x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
    }

    // What a tick changes: the dots between the two seconds, the text only for a new hour or minute.
    void aTickChangesTheDotsBetweenAndTheTextOnANewMinute()
    {
        Settings settings;
        settings.hours = 10;
        settings.minutes = 1;
        settings.seconds = 0;
        const TVrClockFaceGeometry geometry(settings, QSize(200, 200));
        QRegion emptied;
        for (int s = 1; s <= 59; ++s)
            emptied += geometry.SecondDotRect(s);
        QCOMPARE(geometry.ChangedSince(QTime(10, 0, 59)), emptied + geometry.TimeTextRect());
        settings.seconds = 31;
        const TVrClockFaceGeometry later(settings, QSize(200, 200));
        QCOMPARE(later.ChangedSince(QTime(10, 1, 30)), QRegion(later.SecondDotRect(31)));
        QCOMPARE(later.ChangedSince(QTime(10, 1, 31)), QRegion());
        settings.secondsIndicator = false;
        QCOMPARE(TVrClockFaceGeometry(settings, QSize(200, 200)).ChangedSince(QTime(10, 1, 30)), QRegion());
        settings.ledSize = INT_MAX / 2;  // text no arithmetic can place: the whole control
        QCOMPARE(TVrClockFaceGeometry(settings, QSize(200, 100)).ChangedSince(QTime(10, 0, 31)),
            QRegion(0, 0, 200, 100));
    }
};

STUDIO_CLOCK_TEST_MAIN(ClockFaceGeometryTest)
#include "test_clock_face_geometry.moc"
