#include "display/VrControls.h"
#include "display/VrLabel.h"
#include "display/vrLedClock.h"
#include "framework/ConnectGuarded.h"
#include "framework/Exceptions.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <QContextMenuEvent>
#include <QMetaProperty>
#include <QSignalSpy>

using namespace display;
using namespace framework;

namespace {

// A display control that paints a 10 x 10 red square at its top left on the cleared frame.
class Square : public TVrGraphicImageControl {
public:
    using TVrGraphicImageControl::TVrGraphicImageControl;
    int paints = 0;
    bool fail = false;
    int autoWidth = 0;  // what CanAutoSize proposes for the width

protected:
    void Paint() override
    {
        ++paints;
        if (fail)
            throw Exception("paint failed");
        ClearBitmapCanvas();
        BitmapCanvas().Brush().Color = clRed;
        BitmapCanvas().FillRect(Rect(0, 0, 10, 10));
        TVrGraphicImageControl::Paint();
    }
    bool CanAutoSize(int& newWidth, int& /*newHeight*/) override
    {
        newWidth = autoWidth;
        return true;
    }
};

// Records a control's mouse events as text, in the order they come.
class MouseJournal : public QObject {
public:
    explicit MouseJournal(TVrGraphicControl& control)
        : control_(control)
    {
        using C = TVrGraphicControl;
        connect(&control, &C::OnClick, this, [this](QObject* s) { Add(s, "click"); });
        connect(&control, &C::OnDblClick, this, [this](QObject* s) { Add(s, "double"); });
        connect(
            &control, &C::OnMouseDown, this, [this](QObject* s, TMouseButton b, TShiftState k, int x, int y) {
                Add(s, QString("down %1").arg(b) + Place(k, x, y));
            });
        connect(&control, &C::OnMouseMove, this,
            [this](QObject* s, TShiftState k, int x, int y) { Add(s, "move" + Place(k, x, y)); });
        connect(
            &control, &C::OnMouseUp, this, [this](QObject* s, TMouseButton b, TShiftState k, int x, int y) {
                Add(s, QString("up %1").arg(b) + Place(k, x, y));
            });
        connect(&control, &C::OnContextPopup, this, [this](QObject* s, TPoint at, bool& handled) {
            Add(s, QString("popup %1,%2").arg(at.X).arg(at.Y));
            handled = claimPopup;
        });
    }
    QStringList entries;
    bool claimPopup = false;

private:
    static QString Place(TShiftState shift, int x, int y)
    {
        return QString(" %1 %2,%3").arg(shift.toInt()).arg(x).arg(y);
    }
    void Add(QObject* sender, const QString& entry)
    {
        entries << (sender == &control_ ? entry : entry + " from elsewhere");
    }
    TVrGraphicControl& control_;
};

// Sends the control a mouse event as the window system delivers it, buttons held included.
bool Mouse(QWidget& control, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at,
    Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QMouseEvent event(type, at, control.mapToGlobal(at), button, held, keys);
    QCoreApplication::sendEvent(&control, &event);
    return event.isAccepted();
}

}  // namespace

class VrControlsTest : public QObject {
    Q_OBJECT
private slots:
    // First, before any display control exists.
    void thePointingHandIsUnder99FromTheStart()
    {
        const QCursor hand = ScreenCursors().Cursor(HandPointCursor);
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.bitmap().size(), QSize(32, 32));
        QCOMPARE(hand.hotSpot(), QPoint(10, 5));
        const QImage shape = hand.bitmap().toImage();
        QCOMPARE(shape.pixelColor(10, 5), QColor(Qt::black));  // the tip of the index finger
        QCOMPARE(shape.pixelColor(10, 4), QColor(Qt::white));
        QCOMPARE(hand.mask().toImage().pixelColor(10, 5), QColor(Qt::black));
        QCOMPARE(ScreenCursors().Cursor(HandPointCursor - 1).shape(), Qt::ArrowCursor);
    }

    void versionIsReportedButNeverStored()
    {
        TVrComponent component;
        Square control;
        for (QObject* object : std::initializer_list<QObject*>{&component, &control}) {
            const QMetaObject* meta = object->metaObject();
            const QMetaProperty version = meta->property(meta->indexOfProperty("Version"));
            QCOMPARE(version.read(object).toString(), QString("1.3"));
            QVERIFY(!version.isStored());
            QVERIFY(!version.isWritable());
        }
    }

    void theFrameIsDrawnOffscreenAndShownWhole()
    {
        Backdrop parent(Qt::white);
        Square control(&parent);
        control.setColor(clLime);
        control.setGeometry(10, 10, 40, 30);
        const QImage shot = parent.grab().toImage();
        QCOMPARE(shot.pixelColor(12, 12), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(40, 30), QColor(Qt::green));  // clLime
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::white));
        QCOMPARE(control.OffscreenBitmap().Width(), 40);
        QCOMPARE(control.OffscreenBitmap().Height(), 30);
        QCOMPARE(control.Canvas().Device(), nullptr);  // the screen canvas is attached only while painting
    }

    void theFrameFollowsTheScreenDensity()
    {
        TBitmap bitmap;
        bitmap.SetDevicePixelRatio(2.0);
        bitmap.SetSize(40, 30);
        QCOMPARE(bitmap.Width(), 40);
        QCOMPARE(bitmap.Image().size(), QSize(80, 60));
        QVERIFY_THROWS_EXCEPTION(ERangeError, bitmap.SetSize(-1, 5));
        bitmap.SetSize(0, 5);
        QVERIFY(bitmap.Empty());
    }

    void aTransparentControlShowsItsParent()
    {
        Backdrop parent(Qt::yellow);
        Square control(&parent);
        control.setColor(clLime);
        control.setGeometry(10, 10, 40, 30);
        QVERIFY(!control.testAttribute(Qt::WA_OpaquePaintEvent));
        control.setTransparent(true);
        QVERIFY(!control.testAttribute(Qt::WA_OpaquePaintEvent));
        QImage shot = parent.grab().toImage();
        QCOMPARE(shot.pixelColor(40, 30), QColor(Qt::yellow));
        QCOMPARE(shot.pixelColor(12, 12), QColor(Qt::red));

        parent.SetColour(Qt::blue);  // a new background shows at the next paint
        shot = parent.grab().toImage();
        QCOMPARE(shot.pixelColor(40, 30), QColor(Qt::blue));

        control.setTransparent(false);
        QVERIFY(control.testAttribute(Qt::WA_OpaquePaintEvent));
        QCOMPARE(parent.grab().toImage().pixelColor(40, 30), QColor(Qt::green));
    }

    void settersRepaintOnlyOnAChange()
    {
        Backdrop parent(Qt::white);
        Square control(&parent);
        control.setGeometry(0, 0, 20, 20);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const int before = control.paints;
        control.setTransparent(false);  // already false
        QCOMPARE(control.paints, before);
        control.setTransparent(true);
        QCOMPARE(control.paints, before + 1);  // redrawn at once
        control.UpdateControl();
        QCOMPARE(control.paints, before + 2);

        Square* loading = nullptr;
        LayoutReading::Read([&] {
            loading = new Square(&parent);
            loading->UpdateControl();
            QCOMPARE(loading->paints, 0);  // nothing while the layout is read
        });
        delete loading;
    }

    void autoSizeAppliesExceptForClientAlignment()
    {
        Backdrop parent(Qt::white);
        Square control(&parent);
        control.setGeometry(0, 0, 20, 20);
        control.autoWidth = 50;
        control.setAutoSize(true);
        QCOMPARE(control.width(), 50);
        control.autoWidth = 70;
        control.setAlign(alClient);
        QCOMPARE(control.geometry(), QRect(0, 0, 100, 100));
        control.AdjustAutoSize();
        QCOMPARE(control.geometry(), QRect(0, 0, 100, 100));
        control.setAlign(alNone);
        control.AdjustAutoSize();
        QCOMPARE(control.width(), 70);

        // Bounds that stay are drawn again at once; new ones by the resize's own repaint, later.
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const int paints = control.paints;
        control.AdjustAutoSize();
        QCOMPARE(control.paints, paints + 1);
        control.autoWidth = 80;
        control.AdjustAutoSize();
        QCOMPARE(control.width(), 80);
        QCOMPARE(control.paints, paints + 1);
    }

    void hooksRaiseTheirEvents()
    {
        Square control;
        QSignalSpy entered(&control, &TVrGraphicControl::OnMouseEnter);
        QSignalSpy left(&control, &TVrGraphicControl::OnMouseLeave);
        QSignalSpy font(&control, &TVrGraphicControl::OnFontChanged);
        QSignalSpy text(&control, &TVrGraphicControl::OnTextChanged);
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&control, &enter);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&control, &leave);
        control.setFont(QFont("Liberation Serif", 31));
        control.setCaption("On air");
        control.setCaption("On air");
        QCOMPARE(entered.count(), 1);
        QCOMPARE(left.count(), 1);
        QCOMPARE(font.count(), 1);
        QCOMPARE(text.count(), 1);
        QCOMPARE(entered.at(0).at(0).value<QObject*>(), &control);
    }

    void mouseEventsReachTheirHandlers()
    {
        TVrLabel label;
        TVrLedClock clock;
        for (TVrGraphicControl* control : std::initializer_list<TVrGraphicControl*>{&label, &clock}) {
            MouseJournal journal(*control);
            const auto shift = [](TShiftState s) { return QString::number(s.toInt()); };
            // A click with Shift held, dragged a little with Ctrl held instead.
            QVERIFY(Mouse(*control, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {3, 4},
                Qt::ShiftModifier));
            Mouse(*control, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {5, 6}, Qt::ControlModifier);
            Mouse(*control, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {5, 6},
                Qt::ControlModifier);
            // The second press of a double click, then its release: no second click.
            Mouse(*control, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {5, 6});
            Mouse(*control, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {5, 6});
            // A right button released off the control, and a move with no button held.
            Mouse(*control, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {1, 1},
                Qt::AltModifier);
            Mouse(*control, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {-8, 1});
            Mouse(*control, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {7, 2});
            QCOMPARE(journal.entries,
                QStringList({"down 0 " + shift(ssShift | ssLeft) + " 3,4",
                    "move " + shift(ssCtrl | ssLeft) + " 5,6", "click", "up 0 " + shift(ssCtrl) + " 5,6",
                    "double", "down 0 " + shift(ssLeft | ssDouble) + " 5,6", "up 0 0 5,6",
                    "down 1 " + shift(ssAlt | ssRight) + " 1,1", "up 1 0 -8,1", "move 0 7,2"}));

            // The popup's handler decides whether the event is spent or goes on to the parent.
            journal.entries.clear();
            QContextMenuEvent popup(
                QContextMenuEvent::Mouse, QPoint(9, 8), control->mapToGlobal(QPoint(9, 8)));
            QCoreApplication::sendEvent(control, &popup);
            QVERIFY(!popup.isAccepted());
            journal.claimPopup = true;
            QContextMenuEvent claimed(
                QContextMenuEvent::Mouse, QPoint(2, 3), control->mapToGlobal(QPoint(2, 3)));
            QCoreApplication::sendEvent(control, &claimed);
            QVERIFY(claimed.isAccepted());
            QCOMPARE(journal.entries, QStringList({"popup 9,8", "popup 2,3"}));
        }

        // A failing handler is reported, and the control goes on.
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        ConnectGuarded(
            &label, &TVrGraphicControl::OnDblClick, &label, [] { throw Exception("handler failed"); });
        Mouse(label, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {5, 6});
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(1).toString(), QString("handler failed"));
    }

    void aFailingPaintIsReportedAndReleasesTheCanvases()
    {
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        Backdrop parent(Qt::white);
        Square control(&parent);
        control.setGeometry(0, 0, 20, 20);
        control.fail = true;
        parent.grab();
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(1).toString(), QString("paint failed"));
        QCOMPARE(control.Canvas().Device(), nullptr);
        control.fail = false;
        QCOMPARE(parent.grab().toImage().pixelColor(2, 2), QColor(Qt::red));
    }
};

STUDIO_CLOCK_TEST_MAIN(VrControlsTest)
#include "test_vrcontrols.moc"
