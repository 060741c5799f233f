// Forms made in Qt Designer, read at run time by the components' own loader.
#include "display/VrLabel.h"
#include "display/vrLedClock.h"
#include "forms/FormLoader.h"
#include "framework/Exceptions.h"
#include "resizer/NoBDERP.h"
#include "tests/TestMain.h"

#include <QBuffer>
#include <QFile>
#include <QSignalSpy>

using namespace display;

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void aFormWithTheThreeComponentsLoadsWithItsValuesRunsAndScales()
    {
        QFile file(QStringLiteral(STUDIO_CLOCK_EXAMPLE_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::unique_ptr<QWidget> form(forms::LoadForm(file));

        auto* panel = form->findChild<resizer::TNoBDEResizerPanel*>(QStringLiteral("resizerPanel"));
        auto* clock = form->findChild<TVrLedClock*>(QStringLiteral("ledClock"));
        auto* caption = form->findChild<TVrLabel*>(QStringLiteral("caption"));
        QVERIFY(panel && clock && caption);
        QCOMPARE(clock->HoursColor(), framework::clLime);
        QCOMPARE(clock->TickColor(), framework::clBlue);
        QCOMPARE(clock->SecWidth(), 3);
        QCOMPARE(caption->Caption(), QStringLiteral("ON AIR"));
        QCOMPARE(caption->FontColor(), framework::clRed);
        QCOMPARE(caption->FontHeight(), -36);
        for (framework::Component* component :
            std::initializer_list<framework::Component*>{panel, clock, caption})
            QVERIFY(!component->IsLoading() && !component->IsDesigning());

        // The panel's Loaded ran after its children were read, so it keeps them in proportion.
        form->show();
        form->resize(960, 640);
        QTRY_COMPARE(clock->geometry(), QRect(0, 0, 960, 520));
        QSignalSpy seconds(clock, &TVrLedClock::OnSecondsChanged);
        QVERIFY(seconds.wait(2500));
    }

    void aFormThatCannotBeReadRaisesWithTheReason()
    {
        QBuffer broken;
        broken.setData(R"(<ui version="4.0"><widget class="QWidget")");
        QVERIFY(broken.open(QIODevice::ReadOnly));
        try {
            forms::LoadForm(broken);
            QFAIL("a broken form was read");
        } catch (const framework::EReadError& error) {
            QVERIFY(error.Message().startsWith(QStringLiteral("The form cannot be read: ")));
        }
    }
};

STUDIO_CLOCK_TEST_MAIN(FormsTest)
#include "test_forms.moc"
