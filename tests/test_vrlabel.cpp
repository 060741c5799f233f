#include "display/DrawingUtils.h"
#include "display/VrLabel.h"
#include "framework/Exceptions.h"
#include "tests/HeardAccessibleEvents.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <cmath>
#include <sys/resource.h>

using namespace display;
using namespace framework;

namespace {

// The placement formulas, written out once more from their definition, for a sweep of cases.
TPoint Reference(int w, int h, int cw, int ch, int angle, TAlignment alignment, TTextLayout layout)
{
    const long double a = angle * 0.017453292519943295;
    const long double c = std::cos(a), s = std::sin(a);
    auto t = [](long double v) { return static_cast<int>(std::trunc(v)); };
    const int addX
        = (90 < angle && angle < 270 ? t(std::fabs(c) * w) : 0) + (angle > 180 ? t(std::fabs(s) * h) : 0);
    const int addY
        = (angle < 180 ? t(std::fabs(s) * w) : 0) + (90 < angle && angle < 270 ? t(std::fabs(c) * h) : 0);
    const int xl = 2 + addX;
    int x = xl;
    if (alignment == taRightJustify)
        x = cw - (t(std::fabs(c) * w + std::fabs(s) * h) + 2) + addX;
    if (alignment == taCenter)
        x = t(cw * 0.5L - c * (w * 0.5L) - s * (h * 0.5L));
    int y = 2 + addY;
    if (layout == tlCenter)
        y = t(ch * 0.5L - c * (h * 0.5L) + s * (w * 0.5L));
    if (layout == tlBottom)
        y = ch - (t(std::fabs(c) * h + std::fabs(s) * w) + 2) + addY;
    return {std::max(xl, x), y};
}

QFont HardEdgedFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(30);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Places `label` at 200 x 60 showing `caption` black on white in the hard-edged font.
void SetUpBlackOnWhite(TVrLabel& label, const QString& caption)
{
    label.setGeometry(0, 0, 200, 60);
    label.setFont(HardEdgedFont());
    label.setCaption(caption);
    label.setColor(clWhite);
    label.setFontColor(clBlack);
}

// The most memory the process has held so far, in MB.
long PeakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

class VrLabelTest : public QObject {
    Q_OBJECT
private slots:
    void placementAtRightAngles()
    {
        // 100 x 20 text in a 300 x 200 control.
        QCOMPARE(TVrLabel::TextPosition(100, 20, 300, 200, 0, taLeftJustify, tlTop), (TPoint{2, 2}));
        QCOMPARE(TVrLabel::TextPosition(100, 20, 300, 200, 0, taRightJustify, tlBottom), (TPoint{198, 178}));
        QCOMPARE(TVrLabel::TextPosition(100, 20, 300, 200, 0, taCenter, tlCenter), (TPoint{100, 90}));
        QCOMPARE(TVrLabel::TextPosition(100, 20, 300, 200, 180, taLeftJustify, tlTop), (TPoint{102, 22}));
        // Wider than the control: from the left margin whatever the alignment.
        QCOMPARE(TVrLabel::TextPosition(400, 20, 300, 200, 0, taRightJustify, tlTop).X, 2);
        QCOMPARE(TVrLabel::TextPosition(400, 20, 300, 200, 0, taCenter, tlTop).X, 2);
        // Taller than the control: Y starts above the top edge, unclamped.
        QCOMPARE(TVrLabel::TextPosition(100, 60, 300, 40, 0, taCenter, tlCenter).Y, -10);
        QCOMPARE(TVrLabel::TextPosition(100, 60, 300, 40, 0, taCenter, tlBottom).Y, -22);
    }

    void placementFollowsItsFormulasAtEveryAngle()
    {
        const std::array<TAlignment, 3> alignments = {taLeftJustify, taRightJustify, taCenter};
        const std::array<TTextLayout, 3> layouts = {tlTop, tlCenter, tlBottom};
        for (int angle : {0, 30, 90, 180, 270, 359})
            for (QSize text : {QSize(100, 20), QSize(500, 20), QSize(60, 300)})
                for (TAlignment alignment : alignments)
                    for (TTextLayout layout : layouts) {
                        const TPoint got = TVrLabel::TextPosition(
                            text.width(), text.height(), 300, 200, angle, alignment, layout);
                        const TPoint want
                            = Reference(text.width(), text.height(), 300, 200, angle, alignment, layout);
                        QVERIFY2(got == want,
                            qPrintable(QString("angle %1, text %2 x %3, alignment %4, layout %5")
                                           .arg(angle)
                                           .arg(text.width())
                                           .arg(text.height())
                                           .arg(alignment)
                                           .arg(layout)));
                    }
    }

    void aFreshLabelAndItsAngle()
    {
        TVrLabel label;
        QCOMPARE(label.size(), QSize(100, 25));
        QCOMPARE(label.Color(), clBtnFace);
        QCOMPARE(label.font().family(), QString("Arial"));
        QCOMPARE(label.font().pointSize(), 14);
        QCOMPARE(label.Style(), lsRaised);
        QVERIFY(label.testAttribute(Qt::WA_OpaquePaintEvent));
        label.setAngle(90);
        QCOMPARE(label.RadianAngle(), 90 * 0.017453292519943295);
        QVERIFY_THROWS_EXCEPTION(ERangeError, label.setAngle(360));
        QVERIFY_THROWS_EXCEPTION(ERangeError, label.setAngle(-1));
        QCOMPARE(label.Angle(), 90);
    }

    void autoSizeTakesTheRotatedBoxPlusAMargin()
    {
        QWidget parent;  // declared first: it outlives the label it will hold
        parent.resize(400, 300);
        TVrLabel label;
        label.setCaption("Studio");
        label.setAutoSize(true);
        const int w = label.CaptionWidth();
        const int h = label.CaptionHeight();
        QCOMPARE(label.size(), QSize(w + 4, h + 4));
        label.setAngle(90);
        QVERIFY(qAbs(label.width() - (h + 4)) <= 1 && qAbs(label.height() - (w + 4)) <= 1);
        label.setParent(&parent);
        label.setAlign(alClient);
        label.setCaption("A much longer caption");
        QCOMPARE(label.size(), QSize(400, 300));  // the parent decides
        // Along a side the parent decides one dimension and the caption the other.
        label.setAngle(0);
        QString caption = label.Caption();
        for (TAlign align : {alLeft, alRight, alTop, alBottom}) {
            label.setAlign(align);
            caption += '\n' + caption.section('\n', -1) + 'W';  // a line more, and wider
            label.setCaption(caption);
            const bool sideways = align == alLeft || align == alRight;
            QCOMPARE(label.size(),
                sideways ? QSize(label.CaptionWidth() + 4, 300) : QSize(400, label.CaptionHeight() + 4));
        }
    }

    void autoSizeMeasuresTheCaptionBeforeAnyPaint()
    {
        TVrLabel label;  // never shown: nothing has painted it yet
        label.setCaption("Studio");
        label.setAutoSize(true);
        QFontMetrics metrics(label.font());
        QCOMPARE(label.size(), QSize(metrics.horizontalAdvance("Studio") + 4, metrics.height() + 4));

        label.setFont(HardEdgedFont());
        label.setCaption("On &air\nnow");  // the widest line, the ampersand taking no room
        metrics = QFontMetrics(label.font());
        const QSize natural(metrics.horizontalAdvance("On air") + 4, 2 * metrics.height() + 4);
        QCOMPARE(label.size(), natural);
        label.grab();  // the frame measures the same way
        QCOMPARE(QSize(label.CaptionWidth() + 4, label.CaptionHeight() + 4), natural);
    }

    void stylesDrawTheirEdges()
    {
        Backdrop parent(Qt::yellow, QSize(200, 60));
        TVrLabel label(&parent);
        SetUpBlackOnWhite(label, "HI");
        label.setColorHighlight(clRed);
        label.setColorShadow(clBlue);

        auto centre = [](const QImage& image, QColor colour) {
            QPointF sum;
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == colour) {
                        sum += QPointF(x, y);
                        ++n;
                    }
            return n ? sum / n : QPointF(-1, -1);
        };
        QImage frame = parent.grab().toImage();
        const QPointF face = centre(frame, Qt::black);
        QVERIFY(centre(frame, Qt::red).x() < face.x() && centre(frame, Qt::red).y() < face.y());
        QVERIFY(centre(frame, Qt::blue).x() > face.x() && centre(frame, Qt::blue).y() > face.y());

        label.setStyle(lsLowered);
        frame = parent.grab().toImage();
        QVERIFY(centre(frame, Qt::blue).x() < face.x() && centre(frame, Qt::red).y() > face.y());

        label.setStyle(lsNone);
        frame = parent.grab().toImage();
        QCOMPARE(centre(frame, Qt::red), QPointF(-1, -1));
        QCOMPARE(frame.pixelColor(1, 1), QColor(Qt::white));
        label.setTransparent(true);  // no fill: the parent shows, the text stays
        frame = parent.grab().toImage();
        QCOMPARE(frame.pixelColor(1, 1), QColor(Qt::yellow));
        QCOMPARE(centre(frame, Qt::black), face);
    }

    void aLabelLargerThanItsWindowDrawsOnlyWhatTheWindowCanShow()
    {
        // Cut on every side by a small frame, a label shows the pixels it shows whole; at a ratio of
        // 1.5 the frame's corner lies between device pixels, the label's does not.
        const auto dress = [](TVrLabel& label) {
            label.setGeometry(0, 0, 300, 120);
            label.setFontHeight(-60);
            label.setCaption("On air");
            label.setAngle(20);
        };
        QWidget whole;
        whole.resize(300, 120);
        TVrLabel full(&whole);
        dress(full);
        QWidget small;
        small.resize(160, 60);
        QWidget frame(&small);
        frame.setGeometry(3, 5, 150, 50);
        TVrLabel cut(&frame);
        dress(cut);
        cut.move(-75, -41);
        whole.show();
        small.show();
        QVERIFY(QTest::qWaitForWindowExposed(&whole) && QTest::qWaitForWindowExposed(&small));
        // Compared a pixel inside the frame's edges, which lie between device pixels at 1.5.
        const QRect inner(76, 44, 148, 44);  // of the label
        const QTransform device = QTransform::fromScale(small.devicePixelRatioF(), small.devicePixelRatioF());
        const QImage shown = Shown(small).copy(device.mapRect(inner.translated(cut.mapTo(&small, QPoint()))));
        QVERIFY(!shown.isNull());
        QCOMPARE(shown, Shown(whole).copy(device.mapRect(inner)));

        // Thousands of pixels beyond its window, memory stays that of a screen.
        QWidget window;
        window.resize(800, 600);
        TVrLabel huge(&window);
        huge.setCaption("Studio");
        huge.setAutoSize(true);
        huge.setFontHeight(-9000);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(huge.width() > 20000 && huge.height() > 9000);
        QVERIFY2(PeakMemoryMB() < 300, qPrintable(QString("%1 MB").arg(PeakMemoryMB())));
        // Past what the font engine can measure, a height is refused and the label keeps its own.
        QVERIFY_THROWS_EXCEPTION(ERangeError, huge.setFontHeight(-20000));
        QCOMPARE(huge.FontHeight(), -9000);
    }

    // A screen reader reads the caption as the label's name and text, and is told of each new one.
    void aScreenReaderReadsTheCaption()
    {
        TVrLabel label;
        const HeardAccessibleEvents heard;
        label.setCaption("ON AIR");
        label.setCaption("ON AIR");  // the same caption again: nothing new
        QCOMPARE(heard.Take(), QStringList{"name ON AIR"});
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&label);
        QCOMPARE(read->role(), QAccessible::StaticText);
        QAccessibleTextInterface* text = read->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), QString("ON AIR"));
        label.setAccessibleName("Studio status");
        QCOMPARE(read->text(QAccessible::Name), QString("Studio status"));
        QCOMPARE(text->text(0, text->characterCount()), QString("ON AIR"));
    }

    void pictureFillFollowsEveryAssignment()
    {
        QWidget parent;
        TVrLabel label(&parent);
        SetUpBlackOnWhite(label, "HHHH");
        label.setStyle(lsNone);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        PaintCounter counter(label);
        QImage picture(1, 1, QImage::Format_RGB32);
        picture.fill(Qt::green);
        label.setBitmap(picture);
        label.setBitmap(picture);
        QCOMPARE(counter.paints, 2);
        QImage frame = label.grab().toImage();
        bool green = false, black = false;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x) {
                green |= frame.pixelColor(x, y) == Qt::green;
                black |= frame.pixelColor(x, y) == Qt::black;
            }
        QVERIFY(green && !black);
        label.setBitmap(QImage());
        frame = label.grab().toImage();
        green = false;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x)
                green |= frame.pixelColor(x, y) == Qt::green;
        QVERIFY(!green);
    }
};

STUDIO_CLOCK_TEST_MAIN(VrLabelTest)
#include "test_vrlabel.moc"
