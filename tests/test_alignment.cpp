#include "controls/Form.h"
#include "framework/Control.h"
#include "tests/TestMain.h"

using namespace controls;
using namespace framework;

namespace {

class Box : public QWidget, public Control {
public:
    Box(QWidget* parent, const QRect& bounds)
        : QWidget(parent)
        , Control(this)
    {
        setGeometry(bounds);
        show();
    }
};

// A 400 x 300 form on the screen, so that its resizes reach its controls as they do in use.
struct ShownForm : TForm {
    ShownForm()
    {
        resize(400, 300);
        show();
    }
};

}  // namespace

class AlignmentTest : public QObject {
    Q_OBJECT
private slots:
    void dockingRightTakesTheFullHeightAndFreeingRestoresTheBounds()
    {
        TForm form;
        form.resize(789, 640);
        Box calendar(&form, QRect(594, 1, 190, 153));
        for (int round = 0; round < 2; ++round) {
            calendar.setAlign(alRight);
            QCOMPARE(calendar.geometry(), QRect(789 - 190, 0, 190, 640));
            calendar.setAlign(alNone);
            QCOMPARE(calendar.geometry(), QRect(594, 1, 190, 153));
        }
    }

    void aDockedControlFollowsItsParent()
    {
        ShownForm form;
        Box box(&form, QRect(10, 10, 50, 50));
        box.setAlign(alRight);
        form.resize(600, 500);
        QTRY_COMPARE(box.geometry(), QRect(550, 0, 50, 500));
        form.resize(30, 20);  // narrower than the control: it keeps inside the client area
        QTRY_COMPARE(box.geometry(), QRect(0, 0, 30, 20));
    }

    void dockedControlsShareTheClientAreaInOrder()
    {
        TForm form;
        form.resize(300, 200);
        Box client(&form, QRect(0, 0, 10, 10));
        Box top(&form, QRect(0, 0, 10, 20));
        Box left(&form, QRect(0, 0, 30, 10));
        Box bottom(&form, QRect(0, 0, 10, 25));
        client.setAlign(alClient);
        top.setAlign(alTop);
        left.setAlign(alLeft);
        bottom.setAlign(alBottom);
        QCOMPARE(top.geometry(), QRect(0, 0, 300, 20));
        QCOMPARE(bottom.geometry(), QRect(0, 175, 300, 25));
        QCOMPARE(left.geometry(), QRect(0, 20, 30, 155));
        QCOMPARE(client.geometry(), QRect(30, 20, 270, 155));
    }

    void anchorsDecideHowFreeControlsFollowAResize()
    {
        ShownForm form;
        Box topLeft(&form, QRect(10, 10, 50, 20));
        Box topOnly(&form, QRect(150, 10, 100, 20));  // centre at 200, half the width
        Box stretched(&form, QRect(10, 100, 380, 20));
        Box bottomRight(&form, QRect(340, 270, 50, 20));
        topOnly.setAnchors(akTop);
        stretched.setAnchors(akLeft | akTop | akRight);
        bottomRight.setAnchors(akRight | akBottom);
        AlignControls(&form);
        const QList<std::pair<QSize, QList<QRect>>> steps = {
            {{800, 400}, {{10, 10, 50, 20}, {350, 10, 100, 20}, {10, 100, 780, 20}, {740, 370, 50, 20}}},
            // back: every control where it started
            {{400, 300}, {{10, 10, 50, 20}, {150, 10, 100, 20}, {10, 100, 380, 20}, {340, 270, 50, 20}}},
        };
        for (const auto& [size, expected] : steps) {
            form.resize(size);
            QTRY_COMPARE(form.size(), size);
            QCOMPARE((QList<QRect>{topLeft.geometry(), topOnly.geometry(), stretched.geometry(),
                         bottomRight.geometry()}),
                expected);
        }
    }

    void aControlMovedByTheProgramIsMeasuredFromItsNewPlace()
    {
        ShownForm form;
        Box box(&form, QRect(340, 10, 50, 20));
        box.setAnchors(akTop | akRight);
        AlignControls(&form);
        box.move(100, 10);
        form.resize(500, 300);
        QTRY_COMPARE(box.geometry(), QRect(200, 10, 50, 20));
    }

    void fontHeightIsThePixelHeightOfTheCharacters()
    {
        TForm form;
        form.setFontHeight(-11);
        QCOMPARE(form.font().pixelSize(), 11);
        QCOMPARE(form.FontHeight(), -11);
        form.setFontHeight(20);  // a cell height: the characters get less than all of it
        QVERIFY(form.font().pixelSize() > 0 && form.font().pixelSize() <= 20);
        QVERIFY(QFontMetrics(form.font()).height() <= 21);
    }
};

STUDIO_CLOCK_TEST_MAIN(AlignmentTest)
#include "test_alignment.moc"
