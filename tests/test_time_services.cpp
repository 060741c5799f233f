// What the time services say of their last correction of the clock, read from stand-ins on a
// private system bus (timesyncd) and from a stand-in chronyc; and the GUI thread's priority, asked
// of a stand-in RealtimeKit or set by the thread itself.
#include "app/ChronyReader.h"
#include "app/SchedulingPriority.h"
#include "app/TimeSyncdReader.h"
#include "tests/TestMain.h"
#include "tests/e2e/StandInSystemServices.h"

#include <QDBusConnection>
#include <QEventLoop>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>

#include <memory>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using Answer = StandInSystemServices::TimeSyncd::Answer;
using MaybeReport = std::optional<TimeServiceReport>;

// 2026-12-08 14:02:00 UTC.
constexpr qint64 kAnsweredAtS = 1796738520;

// This process's own connection to a test's private bus, since QDBusConnection::systemBus() keeps
// the address it first read.
class BusClient {
public:
    explicit BusClient(const QString& address)
        : name_(QStringLiteral("test bus %1").arg(++count_))
        , connection_(QDBusConnection::connectToBus(address, name_))
    {
    }
    ~BusClient() { QDBusConnection::disconnectFromBus(name_); }
    BusClient(const BusClient&) = delete;
    BusClient& operator=(const BusClient&) = delete;

    const QDBusConnection& Connection() const { return connection_; }

private:
    static inline int count_ = 0;
    QString name_;
    QDBusConnection connection_;
};

// What `reader` answers to one Ask, which never comes within the call.
template <typename Reader> MaybeReport AnswerOf(Reader& reader)
{
    QSignalSpy answered(&reader, &Reader::Answered);
    reader.Ask();
    if (answered.count() != 0) {
        QTest::qFail("answered within Ask()", __FILE__, __LINE__);
        return std::nullopt;
    }
    if (!answered.wait(10000)) {
        QTest::qFail("no answer", __FILE__, __LINE__);
        return std::nullopt;
    }
    return answered.constFirst().constFirst().value<MaybeReport>();
}

// What a SchedulingPriority asked twice on a thread of its own was granted, and the thread's nice
// level before and after; the thread and its nice level end with it.
struct ThreadGrant {
    pid_t thread = 0;
    int grants = 0;
    QString granted;
    int niceBefore = 0;
    int niceAfter = 0;
};

ThreadGrant GrantOnAThread(const QDBusConnection& bus)
{
    ThreadGrant grant;
    std::unique_ptr<QThread> thread(QThread::create([&grant, bus] {
        grant.thread = gettid();
        grant.niceBefore = getpriority(PRIO_PROCESS, static_cast<id_t>(grant.thread));
        SchedulingPriority priority(bus);
        QEventLoop loop;
        QObject::connect(&priority, &SchedulingPriority::GrantedChanged, &loop, [&grant, &loop] {
            ++grant.grants;
            QTimer::singleShot(300, &loop, &QEventLoop::quit);  // time for a second grant to show
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        priority.Request();
        priority.Request();
        loop.exec();
        grant.granted = priority.Granted();
        grant.niceAfter = getpriority(PRIO_PROCESS, static_cast<id_t>(grant.thread));
    }));
    thread->start();
    thread->wait();
    return grant;
}

// The chronyc stand-in's answer, chosen in the environment it inherits, for one test.
class ChronycAnswer {
public:
    ChronycAnswer(const char* variable, const QByteArray& value)
        : variable_(variable)
    {
        qputenv(variable_, value);
    }
    ~ChronycAnswer() { qunsetenv(variable_); }
    ChronycAnswer(const ChronycAnswer&) = delete;
    ChronycAnswer& operator=(const ChronycAnswer&) = delete;

private:
    const char* variable_;
};

}  // namespace

class TimeServicesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void timesyncdTellsOfItsLastAnswer_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<qint64>("offsetUs");
        QTest::addColumn<QString>("reportedServer");
        QTest::newRow("named server, clock ahead") << "ntp1.example" << qint64(200) << "ntp1.example";
        QTest::newRow("address only, clock behind") << "" << qint64(-1500) << "192.0.2.1";
    }

    void timesyncdTellsOfItsLastAnswer()
    {
        QFETCH(QString, server);
        QFETCH(qint64, offsetUs);
        QFETCH(QString, reportedServer);
        StandInSystemServices services;
        QVERIFY2(services.Start(), qPrintable(services.Error()));
        StandInSystemServices::TimeSyncd answer;
        answer.answeredAtS = kAnsweredAtS;
        answer.server = server;
        answer.pollS = 2048;
        answer.stratum = 3;
        answer.offsetUs = offsetUs;
        QVERIFY2(services.StartTimeSyncd(answer), qPrintable(services.Error()));
        BusClient client(services.Address());
        TimeSyncdReader reader(client.Connection());

        const MaybeReport report = AnswerOf(reader);
        QVERIFY(report);
        QCOMPARE(report->service, QStringLiteral("systemd-timesyncd"));
        QCOMPARE(report->server, reportedServer);
        QCOMPARE(report->stratum, 3);
        QCOMPARE(report->lastCorrectionMs, kAnsweredAtS * 1000);
        QCOMPARE(report->pollIntervalMs, qint64(2048000));
        QCOMPARE(report->offsetUs, std::optional<qint64>(offsetUs));
        QCOMPARE(report->rootDelayUs, qint64(1500));
        QCOMPARE(report->rootDispersionUs, qint64(2500));
        // Never started for the asking: the service was asked only because it was there.
        QCOMPARE(services.Calls(), QStringList{QStringLiteral("GetAll org.freedesktop.timesync1.Manager")});
    }

    void timesyncdWithoutAUsableAnswerIsNone_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<int>("answer");  // -1: no timesyncd on the bus; -2: one the bus could start
        QTest::addColumn<QString>("garbled");
        QTest::newRow("no system bus") << false << -1 << QString();
        QTest::newRow("no timesyncd") << true << -1 << QString();
        QTest::newRow("a timesyncd the bus could start") << true << -2 << QString();
        QTest::newRow("no answer from a server yet") << true << int(Answer::NoAnswerYet) << QString();
        for (const char* property : {"ServerName", "PollIntervalUSec", "NTPMessage"})
            QTest::addRow("%s of another type", property) << true << int(Answer::Garbage) << property;
    }

    void timesyncdWithoutAUsableAnswerIsNone()
    {
        QFETCH(bool, bus);
        QFETCH(int, answer);
        QFETCH(QString, garbled);
        StandInSystemServices services;
        if (bus)
            QVERIFY2(services.Start(), qPrintable(services.Error()));
        StandInSystemServices::TimeSyncd timesyncd;
        timesyncd.answer = static_cast<Answer>(answer);
        timesyncd.garbled = garbled;
        if (answer >= 0)
            QVERIFY2(services.StartTimeSyncd(timesyncd), qPrintable(services.Error()));
        if (answer == -2)
            QVERIFY2(services.MakeTimeSyncdStartable(), qPrintable(services.Error()));
        BusClient client(bus ? services.Address() : QStringLiteral("unix:path=/nonexistent/bus"));
        TimeSyncdReader reader(client.Connection());

        QVERIFY(!AnswerOf(reader).has_value());
        // Where another service keeps the clock, timesyncd must stay off.
        QVERIFY(!services.TimeSyncdWasStarted());
    }

    void aHungTimesyncdHoldsUpNothing()
    {
        StandInSystemServices services;
        QVERIFY2(services.Start(), qPrintable(services.Error()));
        StandInSystemServices::TimeSyncd timesyncd;
        timesyncd.answer = Answer::Hangs;
        QVERIFY2(services.StartTimeSyncd(timesyncd), qPrintable(services.Error()));
        BusClient client(services.Address());
        TimeSyncdReader reader(client.Connection());
        int ticks = 0;
        QTimer ticking;
        connect(&ticking, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticking.start(100);
        QSignalSpy answered(&reader, &TimeSyncdReader::Answered);

        reader.Ask();
        reader.Ask();  // while the first is under way: no second call
        QVERIFY(answered.wait(10000));
        QVERIFY(!answered.constFirst().constFirst().value<MaybeReport>().has_value());
        // The event loop ran on through the two seconds of waiting.
        QVERIFY2(ticks >= 5, qPrintable(QStringLiteral("%1 ticks").arg(ticks)));
        QTest::qWait(300);
        QCOMPARE(answered.count(), 1);
        QCOMPARE(services.Calls().size(), 1);

        // The next Ask asks again.
        reader.Ask();
        QVERIFY(answered.wait(10000));
        QCOMPARE(services.Calls().size(), 2);
    }

    void chronyTrackingLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("server");  // empty: no report
        QTest::addColumn<int>("stratum");
        QTest::addColumn<qint64>("lastCorrectionMs");
        QTest::addColumn<qint64>("pollIntervalMs");
        QTest::addColumn<qint64>("offsetUs");
        QTest::addColumn<qint64>("rootDelayUs");
        QTest::addColumn<qint64>("rootDispersionUs");
        const auto none = [](const char* name, const QByteArray& line) {
            QTest::newRow(name) << line << QString() << 0 << qint64(0) << qint64(0) << qint64(0) << qint64(0)
                                << qint64(0);
        };
        QTest::newRow("server") << QByteArray(
            "C0000201,192.0.2.1,2,1796738520.123456789,-0.000010000,0.000200000,0.000150000,"
            "-12.345,0.001,0.050,0.001500000,0.002500000,64.2,Normal\n")
                                << "192.0.2.1" << 2 << qint64(1796738520123) << qint64(64200) << qint64(200)
                                << qint64(1500) << qint64(2500);
        QTest::newRow("reference clock, clock behind, leap second announced")
            << QByteArray("47505300,GPS,1,1796738520.999999999,0.000000100,-0.000001234,0.000001000,"
                          "1.295,-0.005,0.161,0.000000001,0.000029493,16.0,Insert second")
            << "GPS" << 1 << qint64(1796738520999) << qint64(16000) << qint64(-1) << qint64(0) << qint64(29);
        none("no longer synchronised",
            "C0000201,192.0.2.1,2,1796738520.1,0.0,0.0,0.0,0.0,0.0,0.0,0.001,0.002,64.0,Not synchronised");
        none("never updated",
            "C0000201,192.0.2.1,2,0.000000000,0.0,0.0,0.0,0.0,0.0,0.0,0.001,0.002,64.0,Normal");
        none("a field short", "C0000201,192.0.2.1,2,1796738520.1,0.0,0.0,0.0,0.0,0.0,0.0,0.001,0.002,64.0");
        none("an exponent",
            "C0000201,192.0.2.1,2,1796738520.1,0.0,1e-5,0.0,0.0,0.0,0.0,0.001,0.002,64.0,Normal");
        none("too large",
            "C0000201,192.0.2.1,2,1796738520.1,0.0,18446744073710.0,0.0,0.0,0.0,0.0,0.001,0.002,64.0,"
            "Normal");
        none("not a number",
            "C0000201,192.0.2.1,2,1796738520.1,0.0,nan,0.0,0.0,0.0,0.0,0.001,0.002,64.0,Normal");
        none("a message", "506 Cannot talk to daemon\n");
        none("nothing", "");
    }

    void chronyTrackingLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, server);
        const MaybeReport report = ParseChronyTracking(line);
        QCOMPARE(report.has_value(), !server.isEmpty());
        if (!report)
            return;
        QCOMPARE(report->service, QStringLiteral("chrony"));
        QCOMPARE(report->server, server);
        QTEST(report->stratum, "stratum");
        QTEST(report->lastCorrectionMs, "lastCorrectionMs");
        QTEST(report->pollIntervalMs, "pollIntervalMs");
        QTEST(*report->offsetUs, "offsetUs");
        QTEST(report->rootDelayUs, "rootDelayUs");
        QTEST(report->rootDispersionUs, "rootDispersionUs");
    }

    void chronycIsAskedWithoutWaitingForIt_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("report");
        const QString standIn = QStringLiteral(STUDIO_CLOCK_CHRONYC_STAND_IN);
        QTest::newRow("answers") << standIn << QByteArray("CHRONYC_STAND_IN_EXIT") << QByteArray("0") << true;
        QTest::newRow("fails") << standIn << QByteArray("CHRONYC_STAND_IN_EXIT") << QByteArray("1") << false;
        QTest::newRow("hangs") << standIn << QByteArray("CHRONYC_STAND_IN_SLEEP") << QByteArray("forever")
                               << false;
        QTest::newRow("missing") << QStringLiteral("/nonexistent/chronyc")
                                 << QByteArray("CHRONYC_STAND_IN_EXIT") << QByteArray("0") << false;
    }

    void chronycIsAskedWithoutWaitingForIt()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, value);
        QFETCH(bool, report);
        const ChronycAnswer answer(variable.constData(), value);
        ChronyReader reader(program);

        const MaybeReport answered = AnswerOf(reader);
        QCOMPARE(answered.has_value(), report);
        if (report)
            QCOMPARE(answered->lastCorrectionMs, kAnsweredAtS * 1000 + 123);
    }

    void realtimeKitIsAskedOnceForTheCallingThread_data()
    {
        QTest::addColumn<int>("minNiceLevel");
        QTest::addColumn<int>("level");
        QTest::newRow("the level wanted") << -15 << -10;
        QTest::newRow("RealtimeKit's minimum") << -5 << -5;
    }

    void realtimeKitIsAskedOnceForTheCallingThread()
    {
        QFETCH(int, minNiceLevel);
        QFETCH(int, level);
        StandInSystemServices services;
        QVERIFY2(services.Start(), qPrintable(services.Error()));
        QVERIFY2(services.StartRealtimeKit(StandInSystemServices::RealtimeKit::Grants, minNiceLevel),
            qPrintable(services.Error()));
        BusClient client(services.Address());

        const ThreadGrant grant = GrantOnAThread(client.Connection());
        QCOMPARE(grant.granted, QStringLiteral("RealtimeKit nice %1").arg(level));
        QCOMPARE(grant.grants, 1);
        QCOMPARE(services.Calls(),
            QStringList{QStringLiteral("MakeThreadHighPriority %1 %2").arg(grant.thread).arg(level)});
    }

    void withoutRealtimeKitTheThreadSetsItsOwnNice_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<bool>("realtimeKit");
        QTest::newRow("refused") << true << true;
        QTest::newRow("no RealtimeKit") << true << false;
        QTest::newRow("no system bus") << false << false;
    }

    void withoutRealtimeKitTheThreadSetsItsOwnNice()
    {
        QFETCH(bool, bus);
        QFETCH(bool, realtimeKit);
        StandInSystemServices services;
        if (bus)
            QVERIFY2(services.Start(), qPrintable(services.Error()));
        if (realtimeKit)
            QVERIFY2(services.StartRealtimeKit(StandInSystemServices::RealtimeKit::Refuses),
                qPrintable(services.Error()));
        BusClient client(bus ? services.Address() : QStringLiteral("unix:path=/nonexistent/bus"));

        const ThreadGrant grant = GrantOnAThread(client.Connection());
        QCOMPARE(grant.grants, 1);
        // Lowered as far as the limits allow (root's allow -10), or, where they allow nothing, left.
        if (geteuid() == 0 || grant.granted != QLatin1String("none")) {
            QCOMPARE(grant.granted, QStringLiteral("setpriority nice %1").arg(grant.niceAfter));
            QVERIFY(grant.niceAfter < grant.niceBefore && grant.niceAfter >= -10);
        } else {
            QCOMPARE(grant.niceAfter, grant.niceBefore);
        }
        if (geteuid() == 0)
            QCOMPARE(grant.niceAfter, -10);
        if (realtimeKit)
            QCOMPARE(services.Calls(),
                QStringList{QStringLiteral("MakeThreadHighPriority %1 -10 refused").arg(grant.thread)});
    }
};

STUDIO_CLOCK_TEST_MAIN(TimeServicesTest)
#include "test_time_services.moc"
