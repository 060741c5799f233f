#include "CursorTable.h"
#include "Exceptions.h"
#include "TestMain.h"
#include "TestWidgets.h"
#include "VrControls.h"

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

}  // namespace

class VrControlsTest : public QObject {
    Q_OBJECT
private slots:
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

    void theHandCursorIsRegisteredUnder99()
    {
        RegisterDisplayCursors();
        const QCursor hand = ScreenCursors().Cursor(HandPointCursor);
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.hotSpot(), QPoint(10, 5));
        QCOMPARE(hand.bitmap().size(), QSize(32, 32));
        QCOMPARE(hand.mask().size(), QSize(32, 32));
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
