// A long run in fast motion: the main window driven through a million simulated seconds, with
// real painting and event delivery, must end with the memory and objects it had once warm.
#include "display/VrThreads.h"
#include "tests/ShownMainWindow.h"
#include "tests/TestMain.h"

#include <QFile>

namespace {

long ResidentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLong() * 4;
}

int LiveObjects(const QObject& root)
{
    return static_cast<int>(root.findChildren<QObject*>().size())
        + static_cast<int>(QApplication::allWidgets().size());
}

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT
private slots:
    void aMillionSimulatedSecondsLeaveMemoryAndObjectsAsTheyWere()
    {
        // A tick every 25 simulated seconds: each tick still changes the seconds (through twelve
        // different values), a minute passes every few, an hour every 144, a day every 3456.
        constexpr int kStepSeconds = 25;
        constexpr int kWarmSteps = 4000;
        constexpr int kSteps = 40000;  // 1,000,000 seconds: eleven and a half days
        ShownMainWindow window(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)));
        TForm1& form = *window.form;
        form.resize(400, 325);  // small frames keep the run short; they are painted all the same
        QVERIFY(window.Exposed());
        display::TVrTimer* timer = form.VrLedClock1->Timer();
        long warmKb = 0;
        int warmObjects = 0;
        for (int step = 1; step <= kSteps; ++step) {
            window.time->AdvanceMSecs(qint64(kStepSeconds) * 1000);
            timer->Timer();  // a tick as the timer delivers it: read, paint, events
            if (step % 20 == 0)
                QCoreApplication::processEvents();
            if (step == kWarmSteps) {
                warmKb = ResidentKb();
                warmObjects = LiveObjects(form);
            }
        }
        QCoreApplication::processEvents();
        const long endKb = ResidentKb();
        qInfo("%d simulated seconds: resident %ld KB once warm, %ld KB at the end; %d objects",
            kSteps * kStepSeconds, warmKb, endKb, LiveObjects(form));
        QCOMPARE(LiveObjects(form), warmObjects);
        QCOMPARE(form.VrLabel1->Caption().isEmpty(), false);
#if !defined(__SANITIZE_ADDRESS__)
        // The allocator may keep a little more; a leak of even a few bytes a second would not fit.
        QVERIFY2(endKb - warmKb < 2048, qPrintable(QStringLiteral("grew by %1 KB").arg(endKb - warmKb)));
#endif
    }
};

STUDIO_CLOCK_TEST_MAIN(SoakTest)
#include "test_soak.moc"
