// Which way keeps the screen awake: the first, in order, that holds, and only while the window is
// full screen and shown. Stand-in ways play the compositor's protocol, the desktop's services on
// the bus and the X server's screen saver.
#include "app/AwakeWay.h"
#include "app/ScreenAwake.h"
#include "app/WaylandIdleInhibitor.h"
#include "tests/TestMain.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QWidget>

#include <algorithm>

namespace {

// Answers at once whether it accepts, or, told to answer late, only when granted or refused.
class StandInWay : public AwakeWay {
    Q_OBJECT
public:
    StandInWay(char letter, bool accepting, bool answersLate)
        : name(letter)
        , accepts(accepting)
        , late(answersLate)
    {
    }

    void Hold() override
    {
        asked = true;
        if (!late)
            Answer(accepts);
    }
    void Release() override { held = false; }
    void Answer(bool holds)
    {
        held = holds;
        emit Answered(holds);
    }

    char name;
    bool accepts;
    bool late;
    bool asked = false;
    bool held = false;
};

class Ways {
public:
    // Each way is named by a letter; `accepting` names those that accept at once, `late` the one
    // that answers late.
    explicit Ways(const QString& accepting, char late = 0)
    {
        for (char name : {'W', 'D', 'X'})
            ways_ << new StandInWay(name, accepting.contains(QLatin1Char(name)), name == late);
    }

    QList<AwakeWay*> All() const { return {ways_.cbegin(), ways_.cend()}; }
    StandInWay* Named(char name) const
    {
        return *std::find_if(ways_.cbegin(), ways_.cend(), [name](auto* way) { return way->name == name; });
    }
    QString Asked() const { return Those(&StandInWay::asked); }
    QString Held() const { return Those(&StandInWay::held); }

private:
    QString Those(bool StandInWay::*flag) const
    {
        QString names;
        for (const StandInWay* way : ways_)
            if (way->*flag)
                names += QLatin1Char(way->name);
        return names;
    }

    QList<StandInWay*> ways_;
};

}  // namespace

class ScreenAwakeTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void theFirstWayThatHoldsIsTheOne_data()
    {
        QTest::addColumn<QString>("accepting");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("held");
        QTest::newRow("the compositor's protocol offered") << "WDX"
                                                           << "W"
                                                           << "W";
        QTest::newRow("no protocol, a service on the bus") << "DX"
                                                           << "WD"
                                                           << "D";
        QTest::newRow("an X server alone") << "X"
                                           << "WDX"
                                           << "X";
        QTest::newRow("none") << ""
                              << "WDX"
                              << "";
    }

    void theFirstWayThatHoldsIsTheOne()
    {
        QFETCH(QString, accepting);
        QFETCH(QString, asked);
        QFETCH(QString, held);
        QWidget window;
        const Ways ways(accepting);
        new ScreenAwake(&window, ways.All());
        window.setWindowState(Qt::WindowFullScreen);
        QCOMPARE(ways.Asked(), QString());
        window.show();
        QCOMPARE(ways.Asked(), asked);
        QCOMPARE(ways.Held(), held);
        window.setWindowState(Qt::WindowNoState);
        QCOMPARE(ways.Held(), QString());
        window.setWindowState(Qt::WindowFullScreen);
        QCOMPARE(ways.Held(), held);
        window.hide();
        QCOMPARE(ways.Held(), QString());
        window.show();
        QCOMPARE(ways.Held(), held);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{&window});
    }

    // The bus's services answer when they can: the X server's screen saver waits for their answer,
    // holds while none does, and gives back once one grants.
    void aLateAnswerTakesOverOrPassesOn()
    {
        QWidget window;
        const Ways ways(QStringLiteral("X"), 'D');
        new ScreenAwake(&window, ways.All());
        window.showFullScreen();
        QCOMPARE(ways.Asked(), QStringLiteral("WD"));
        ways.Named('D')->Answer(false);
        QCOMPARE(ways.Held(), QStringLiteral("X"));
        ways.Named('D')->Answer(true);
        QCOMPARE(ways.Held(), QStringLiteral("D"));
        window.close();
        QCOMPARE(ways.Held(), QString());
    }

    // Off Wayland the compositor's way has nothing to ask, and passes the request on.
    void theCompositorsWayHoldsNothingOffWayland()
    {
        QWidget window;
        window.showFullScreen();
        WaylandIdleInhibitor compositor(&window);
        QSignalSpy answers(&compositor, &AwakeWay::Answered);
        compositor.Hold();
        QCOMPARE(answers, QList<QVariantList>{{false}});
        compositor.Release();
    }
};

STUDIO_CLOCK_TEST_MAIN(ScreenAwakeTest)
#include "test_screen_awake.moc"
