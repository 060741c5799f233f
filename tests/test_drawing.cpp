#include "display/DrawingUtils.h"
#include "framework/Arithmetic.h"
#include "tests/TestMain.h"

#include <QPainter>

using namespace display;
using namespace framework;

namespace {

// A white image with a canvas whose font draws hard-edged letters, so that colours are exact.
struct Surface {
    QImage image;
    TCanvas canvas;
    explicit Surface(int width = 240, int height = 120, QColor fill = Qt::white)
        : image(width, height, QImage::Format_ARGB32_Premultiplied)
        , canvas(&image)
    {
        image.fill(fill);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(40);
        font.setStyleStrategy(QFont::NoAntialias);
        canvas.Font().Font = font;
        canvas.Font().Color = clBlack;
    }
    QImage Result()
    {
        canvas.Flush();
        return image;
    }
};

// Pixels of one colour: how many, and their centre.
struct Spot {
    int count = 0;
    QPointF centre;
};

Spot Find(const QImage& image, QColor colour)
{
    Spot spot;
    double sx = 0, sy = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) {
                ++spot.count;
                sx += x;
                sy += y;
            }
    if (spot.count)
        spot.centre = QPointF(sx / spot.count, sy / spot.count);
    return spot;
}

QRect InkBounds(const QImage& image, QColor background)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

}  // namespace

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void measuringText()
    {
        Surface s;
        const QFontMetrics metrics(s.canvas.Font().Font, &s.image);
        QCOMPARE(
            MeasureText(s.canvas, "Studio"), (TPoint{metrics.horizontalAdvance("Studio"), metrics.height()}));
        const TPoint twoLines = MeasureText(s.canvas, "On\r\nAir today");
        QCOMPARE(twoLines, (TPoint{metrics.horizontalAdvance("Air today"), 2 * metrics.height()}));
        QCOMPARE(MeasureText(s.canvas, "a\nb\rc").Y, 3 * metrics.height());
        QCOMPARE(MeasureText(s.canvas, "&&").X, metrics.horizontalAdvance("&"));
        QCOMPARE(MeasureText(s.canvas, "&File").X, metrics.horizontalAdvance("File"));
        QCOMPARE(MeasureText(s.canvas, ""), (TPoint{0, 0}));
    }

    void rotatedTextRunsFromItsReferencePoint()
    {
        Surface s(240, 240);
        const TPoint size = MeasureText(s.canvas, "WWW");
        s.canvas.Brush().Style = bsClear;
        SetCanvasFontAngle(s.canvas, 90);
        QCOMPARE(s.canvas.Font().Escapement, 900);
        s.canvas.TextOut(120, 120, "WWW");
        QRect ink = InkBounds(s.Result(), Qt::white);
        // Upward: above the reference, the cell's top edge along x = 120.
        QVERIFY(ink.bottom() <= 121 && ink.top() >= 120 - size.X - 1);
        QVERIFY(ink.left() >= 119 && ink.right() <= 120 + size.Y);

        Surface t(240, 240);
        t.canvas.Brush().Style = bsClear;
        SetCanvasFontAngle(t.canvas, 180);
        t.canvas.TextOut(120, 120, "WWW");
        ink = InkBounds(t.Result(), Qt::white);
        // Leftward and upside down: up and to the left of the reference.
        QVERIFY(ink.right() <= 121 && ink.left() >= 120 - size.X - 1);
        QVERIFY(ink.bottom() <= 121 && ink.top() >= 120 - size.Y - 1);
    }

    void raisedTextHasItsEdgesUpLeftAndDownRight()
    {
        Surface alone;
        alone.canvas.Brush().Style = bsClear;
        alone.canvas.TextOut(20, 20, "HI");
        const Spot face = Find(alone.Result(), Qt::black);

        Surface s;
        s.canvas.Brush().Style = bsSolid;
        TextOut3D(s.canvas, 20, 20, "HI", clRed, clBlue);
        QCOMPARE(s.canvas.Font().Color, clBlack);
        QCOMPARE(s.canvas.Brush().Style, bsClear);
        const QImage result = s.Result();
        const Spot light = Find(result, Qt::red);
        const Spot dark = Find(result, Qt::blue);
        QCOMPARE(Find(result, Qt::black).count, face.count);  // the face is drawn last, whole
        QVERIFY(light.count > 0 && dark.count > 0);
        QVERIFY(light.centre.x() < face.centre.x() && light.centre.y() < face.centre.y());
        QVERIFY(dark.centre.x() > face.centre.x() && dark.centre.y() > face.centre.y());
    }

    void shadowIsOffsetByItsDepth()
    {
        Surface s;
        TextOutShadow(s.canvas, 20, 20, "HI", clGray, 5, 7);
        QCOMPARE(s.canvas.Brush().Style, bsClear);
        Surface shadowAlone;
        shadowAlone.canvas.Brush().Style = bsClear;
        shadowAlone.canvas.TextOut(25, 27, "HI");
        Surface faceAlone;
        faceAlone.canvas.Brush().Style = bsClear;
        faceAlone.canvas.TextOut(20, 20, "HI");
        const QImage result = s.Result();
        QCOMPARE(Find(result, Qt::black).count, Find(faceAlone.Result(), Qt::black).count);
        const QColor grey = ToQColor(clGray);
        // Every grey pixel sits where the shadow alone would be drawn, outside the face.
        const QImage shadowImage = shadowAlone.Result();
        for (int y = 0; y < result.height(); ++y)
            for (int x = 0; x < result.width(); ++x)
                if (result.pixelColor(x, y) == grey)
                    QCOMPARE(shadowImage.pixelColor(x, y), QColor(Qt::black));
    }

    void opaqueTextFillsItsCell()
    {
        Surface s;
        s.canvas.Brush().Color = clYellow;
        s.canvas.Brush().Style = bsSolid;
        s.canvas.TextOut(10, 10, "x");
        const TPoint cell = MeasureText(s.canvas, "x");
        QCOMPARE(InkBounds(s.Result(), Qt::white), QRect(10, 10, cell.X, cell.Y));
    }

    void pictureFilledLettersLeaveEverythingElseAlone()
    {
        Surface s(240, 80, Qt::green);
        // Quarters once stretched: red and blue above, yellow and cyan below.
        const QColor quarters[2][2] = {{Qt::red, Qt::blue}, {Qt::yellow, Qt::cyan}};
        QImage picture(2, 2, QImage::Format_RGB32);
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                picture.setPixelColor(column, row, quarters[row][column]);
        // The rectangle's position does not matter: the picture is stretched from the origin.
        TextOutBitmap(s.canvas, Rect(50, 30, 290, 110), 10, 10, "HHHHHHHH", picture, 0);
        const QImage result = s.Result();

        Surface letters(240, 80, Qt::white);
        letters.canvas.Brush().Style = bsClear;
        letters.canvas.TextOut(10, 10, "HHHHHHHH");
        const QImage mask = letters.Result();
        int inked[2][2] = {};
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 240; ++x) {
                const QColor pixel = result.pixelColor(x, y);
                if (mask.pixelColor(x, y) == Qt::white) {
                    QCOMPARE(pixel, QColor(Qt::green));
                } else {
                    QCOMPARE(pixel, quarters[y >= 40][x >= 120]);
                    ++inked[y >= 40][x >= 120];
                }
            }
        QVERIFY(inked[0][0] > 0 && inked[0][1] > 0 && inked[1][0] > 0 && inked[1][1] > 0);

        // An empty picture or an empty rectangle draws nothing.
        Surface untouched(60, 30, Qt::green);
        TextOutBitmap(untouched.canvas, Rect(0, 0, 60, 30), 0, 0, "HH", QImage(), 0);
        TextOutBitmap(untouched.canvas, Rect(0, 0, 0, 30), 0, 0, "HH", picture, 0);
        QCOMPARE(InkBounds(untouched.Result(), Qt::green), QRect());
    }

    void ellipsesLeaveOutTheirRightAndBottomEdges()
    {
        Surface s(40, 40);
        s.canvas.Pen().Color = clRed;
        s.canvas.Brush().Color = clRed;
        s.canvas.Ellipse(10, 10, 21, 21);
        const QRect ink = InkBounds(s.Result(), Qt::white);
        QCOMPARE(ink, QRect(10, 10, 11, 11));
        QCOMPARE(s.Result().pixelColor(15, 15), QColor(Qt::red));
        // What one may touch, its corners either way round, whatever the pen.
        for (const int pen : {1, 3}) {
            Surface t(40, 40);
            t.canvas.Pen() = {clRed, pen, psSolid};
            t.canvas.Ellipse(21, 21, 10, 10);
            QCOMPARE(
                InkBounds(t.Result(), Qt::white), ToQRect(TCanvas::EllipseExtent(Rect(21, 21, 10, 10), pen)));
        }
    }

    void brushCopyTreatsTheKeyColour()
    {
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.setPixelColor(0, 0, Qt::black);  // the key
        Surface solid(20, 20, Qt::green);
        solid.canvas.Brush().Color = clYellow;
        solid.canvas.Brush().Style = bsSolid;
        solid.canvas.BrushCopy(Rect(0, 0, 20, 20), picture, Rect(0, 0, 2, 2), clBlack);
        QCOMPARE(solid.Result().pixelColor(2, 2), QColor(Qt::yellow));
        QCOMPARE(solid.Result().pixelColor(15, 15), QColor(Qt::blue));

        Surface clear(20, 20, Qt::green);
        clear.canvas.Brush().Style = bsClear;
        clear.canvas.BrushCopy(Rect(0, 0, 20, 20), picture, Rect(0, 0, 2, 2), clBlack);
        QCOMPARE(clear.Result().pixelColor(2, 2), QColor(Qt::green));
        QCOMPARE(clear.Result().pixelColor(15, 2), QColor(Qt::blue));
    }
};

STUDIO_CLOCK_TEST_MAIN(DrawingTest)
#include "test_drawing.moc"
