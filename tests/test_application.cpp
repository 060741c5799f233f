#include "controls/Button.h"
#include "framework/ConnectGuarded.h"
#include "framework/CursorTable.h"
#include "framework/Exceptions.h"
#include "framework/Shell.h"
#include "tests/TestMain.h"

#include <QLibrary>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

using namespace controls;
using namespace framework;

namespace {

// An object whose own event handling fails, as a faulty paint or timer handler would.
class Faulty : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) {
            ++handled;
            throw Exception("handler failed");
        }
        return QObject::event(event);
    }
};

int VisibleBoxesWith(const QString& text)
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && box->text() == text)
            ++count;
    return count;
}

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void anErrorInAnEventHandlerIsReportedAndTheLoopGoesOn()
    {
        auto* application = Application::Instance();
        QSignalSpy reported(application, &Application::ExceptionReported);
        Faulty faulty;
        QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
        bool laterWorkRan = false;
        QTimer::singleShot(0, application, [&] { laterWorkRan = true; });
        QTRY_VERIFY(laterWorkRan);
        QCOMPARE(faulty.handled, 2);
        QCOMPARE(reported.count(), 2);
        QCOMPARE(reported.at(0).at(0).value<QObject*>(), &faulty);
        QCOMPARE(reported.at(0).at(1).toString(), QString("handler failed"));
    }

    void aRepeatedErrorKeepsOneMessageBox()
    {
        auto* application = Application::Instance();
        application->HandleException(nullptr, Exception("disk on fire"));
        application->HandleException(nullptr, Exception("disk on fire"));
        application->HandleException(nullptr, std::runtime_error("something else"));
        QTRY_COMPARE(VisibleBoxesWith("something else"), 1);
        QCOMPARE(VisibleBoxesWith("disk on fire"), 1);
        application->HandleException(nullptr, Exception("disk on fire"));
        QTest::qWait(10);
        QCOMPARE(VisibleBoxesWith("disk on fire"), 1);
    }

    void aClickHandlerThatRaisesLeavesTheButtonWorking()
    {
        auto* application = Application::Instance();
        QSignalSpy reported(application, &Application::ExceptionReported);
        TButton button;
        button.resize(80, 25);
        button.show();
        int clicks = 0;
        ConnectGuarded(&button, &TButton::OnClick, &button, [&](QObject* sender) {
            QCOMPARE(sender, &button);
            if (++clicks == 1)
                throw ERangeError();
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 2);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(1).toString(), QString("Range check error"));
        QVERIFY(!button.isDown());
    }

    void aHandlerThatFreesItsSenderAndFailsIsReportedWithoutIt()
    {
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        auto* sender = new QObject;
        Guarded(sender, [sender] {
            delete sender;
            throw Exception("handler failed");
        });
        // Connected to an event: freed by its handler, or before a queued call came.
        auto* button = new TButton;
        ConnectGuarded(button, &TButton::OnClick, this, [button] {
            delete button;
            throw Exception("handler failed");
        });
        emit button->OnClick(button);
        button = new TButton;
        ConnectGuarded(
            button, &TButton::OnClick, this, [] { throw Exception("handler failed"); }, Qt::QueuedConnection);
        emit button->OnClick(button);
        delete button;
        QTRY_COMPARE(reported.count(), 3);
        for (const QList<QVariant>& report : reported)  // QCOMPARE would print what it points to
            QVERIFY(!report.at(0).value<QObject*>());
    }

    void unknownErrorsAreReportedToo()
    {
        QCOMPARE(ExceptionMessage(std::make_exception_ptr(42)), QString("Unknown error"));
        QCOMPARE(ExceptionMessage(std::make_exception_ptr(EOutOfResources("No timer resources left."))),
            QString("No timer resources left."));
    }

    void openingAnAddressGoesToTheInstalledOpener()
    {
        QList<QUrl> opened;
        SetUrlOpener([&](const QUrl& url) {
            opened << url;
            return false;  // a desktop without a browser: not an error
        });
        OpenUrl(QUrl("https://example.org/"));
        SetUrlOpener(nullptr);
        QCOMPARE(opened, QList<QUrl>{QUrl("https://example.org/")});
    }

    // As Designer loads the components' plugin, after the application started.
    void aDisplayLibraryLoadedLaterStillRegistersThePointingHand()
    {
        constexpr TCursor kHandPoint = 99;
        QCOMPARE(ScreenCursors().Cursor(kHandPoint).shape(), Qt::ArrowCursor);
        QLibrary display(QStringLiteral(STUDIO_CLOCK_DISPLAY_LIBRARY));
        QVERIFY2(display.load(), qPrintable(display.errorString()));
        const QCursor hand = ScreenCursors().Cursor(kHandPoint);
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.bitmap().size(), QSize(32, 32));
    }

    // Last: it ends the message loop for good.
    void terminatedIsSetWhenTheLoopIsToldToQuit()
    {
        auto* application = Application::Instance();
        QVERIFY(!application->Terminated());
        QTimer::singleShot(0, application, &QCoreApplication::quit);
        application->exec();
        QVERIFY(application->Terminated());
    }
};

STUDIO_CLOCK_TEST_MAIN(ApplicationTest)
#include "test_application.moc"
