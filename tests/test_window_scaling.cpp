#include "framework/Control.h"
#include "framework/FontSize.h"
#include "resizer/NoBDERP.h"
#include "tests/ShownMainWindow.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <QRandomGenerator>
#include <QScreen>
#include <map>

using namespace resizer;
using controls::TMonthCalendar;

namespace {

const QSize kStored(789, 640);  // the window's size in the stored layout

// Where every control of the window is and how large its text is.
struct Snapshot {
    QList<QRect> bounds;
    QList<int> fontSizes;
    friend bool operator==(const Snapshot& a, const Snapshot& b)
    {
        return a.bounds == b.bounds && a.fontSizes == b.fontSizes;
    }
};

char* toString(const Snapshot& snapshot)
{
    QString text;
    for (int i = 0; i < snapshot.bounds.size(); ++i) {
        const QRect& r = snapshot.bounds[i];
        text += QStringLiteral("(%1,%2 %3x%4 %5pt) ")
                    .arg(r.x())
                    .arg(r.y())
                    .arg(r.width())
                    .arg(r.height())
                    .arg(snapshot.fontSizes[i]);
    }
    return qstrdup(text.toUtf8().constData());
}

// Resizes the window and waits until its content has the new size.
void ResizeTo(TForm1& form, const QSize& size)
{
    form.resize(size);
    QTRY_COMPARE(form.NoBDEResizerPanel1->size(), size);
}

Snapshot Take(const TForm1& f)
{
    Snapshot snapshot;
    for (QWidget* control : std::initializer_list<QWidget*>{
             f.VrLabel1, f.VrLedClock1, f.Label7, f.Memo1, f.Button1, f.MonthCalendar1}) {
        snapshot.bounds << control->geometry();
        snapshot.fontSizes << framework::FontSize(control->font());
    }
    return snapshot;
}

}  // namespace

class WindowScalingTest : public ShownMainWindowTest {
    Q_OBJECT
private slots:
    void everyControlHasItsHandlersInLayoutOrder()
    {
        TForm1& f = *form_;
        const std::vector<TMRControlHandler*> handlers = f.NoBDEResizerPanel1->ControlHandlers();
        QList<QWidget*> order;
        QList<QStringList> kinds;
        for (const TMRControlHandler* handler : handlers) {
            order << handler->Control();
            QStringList names;
            for (const auto& property : handler->PropertyHandlers())
                names << (dynamic_cast<TMRFont*>(property.get()) ? "font" : "autosize");
            kinds << names;
        }
        QCOMPARE(order,
            (QList<QWidget*>{f.VrLabel1, f.VrLedClock1, f.Label7, f.Memo1, f.Button1, f.MonthCalendar1}));
        const QStringList font{"font"};
        QCOMPARE(kinds, (QList<QStringList>{font, {}, {"font", "autosize"}, font, font, font}));
        QVERIFY(f.NoBDEResizerPanel1->AllowChanges() && f.NoBDEResizerPanel1->Active());
        QCOMPARE(f.NoBDEResizerPanel1->geometry(), QRect(0, 0, 789, 640));
        // The notes' text is measured against the part of the memo that shows text.
        QCOMPARE(framework::ClientSize(f.Memo1), f.Memo1->viewport()->size());
    }

    void aLargerWindowScalesEverythingAndRestoringGivesBackEveryPixel()
    {
        const Snapshot before = Take(*form_);
        ResizeTo(*form_, QSize(1578, 1280));
        const Snapshot large = Take(*form_);
        QCOMPARE(form_->VrLedClock1->geometry(), QRect(4, 2, 1566, 748));
        QCOMPARE(form_->Memo1->geometry(), QRect(2, 844, 1570, 374));
        for (int i = 0; i < before.fontSizes.size(); ++i)
            QVERIFY2(large.fontSizes[i] > before.fontSizes[i], qPrintable(QString::number(i)));
        ResizeTo(*form_, kStored);
        QCOMPARE(Take(*form_), before);
    }

    void maximisingAndRestoringGivesBackEveryPixel()
    {
        const Snapshot before = Take(*form_);
        form_->showMaximized();
        QTRY_VERIFY(
            form_->width() > kStored.width() || form_->height() > kStored.height() || !form_->isMaximized());
        form_->showNormal();
        QTRY_COMPARE(form_->size(), kStored);
        QCOMPARE(Take(*form_), before);
    }

    void sizesFromNothingToHugeKeepEveryFontReadableAndScaleBackToTheSamePlaces()
    {
        const QString notes = QStringLiteral("cue the news at ten");
        form_->Memo1->setPlainText(notes);
        const Snapshot before = Take(*form_);
        for (const QSize& size :
            {QSize(40, 30), QSize(1, 1), QSize(789, 0), QSize(300, 0), QSize(0, 0), QSize(10000, 10000)}) {
            ResizeTo(*form_, size);
            form_->repaint();
            for (int points : Take(*form_).fontSizes)
                QVERIFY(points >= 1);
        }
        ResizeTo(*form_, kStored);
        QCOMPARE(Take(*form_), before);
        QCOMPARE(form_->Memo1->toPlainText(), notes);
    }

    void manySmallResizesDoNotCreep()
    {
        const Snapshot before = Take(*form_);
        for (int step = 1; step <= 60; ++step)
            ResizeTo(*form_, QSize(789 + 3 * step, 640 + 2 * step));
        for (int step = 59; step >= 0; --step)
            ResizeTo(*form_, QSize(789 + 3 * step, 640 + 2 * step));
        QCOMPARE(Take(*form_), before);
    }

    // Whatever way leads back to a state of the window (its size, full screen or not, the calendar
    // docked or not) shows that state's first picture again, pixel for pixel; F11 flips full
    // screen alone, so a maximised window comes back maximised. Random ways, the same every run.
    void everyWayBackToAStateShowsItsFirstPicture_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    void everyWayBackToAStateShowsItsFirstPicture()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        TMonthCalendar* calendar = form_->MonthCalendar1;
        form_->activateWindow();  // where F11 reaches
        calendar->setFocus();     // so that no caret blinks in the pictures
        QTRY_VERIFY(form_->isActiveWindow());
        std::map<QString, QImage> firstPictures;
        QString way;
        for (int step = 0; step < 30; ++step) {
            const QString state = QStringLiteral("%1x%2 %3 %4")
                                      .arg(form_->width())
                                      .arg(form_->height())
                                      .arg(form_->isFullScreen())
                                      .arg(calendar->Align());
            const QImage picture = form_->grab().toImage();
            const QImage& first = firstPictures.try_emplace(state, picture).first->second;
            QVERIFY2(picture == first, qPrintable(state + QStringLiteral(" after ") + way));

            const Qt::WindowStates before = form_->windowState();
            switch (random.bounded(4)) {
            case 0:  // maximise or restore; the title bar is out of reach in full screen
                if (!before.testFlag(Qt::WindowFullScreen)) {
                    form_->setWindowState(before ^ Qt::WindowMaximized);
                    way += QLatin1Char('M');
                }
                break;
            case 1:  // dragged larger and back: between two states, some ways change the fonts, some not
                if (before == Qt::WindowNoState) {
                    ResizeTo(*form_, form_->size() == kStored ? QSize(1280, 1005) : kStored);
                    way += QLatin1Char('R');
                }
                break;
            case 2:
                QTest::keyClick(form_, Qt::Key_F11);
                QCOMPARE(form_->windowState(), before ^ Qt::WindowFullScreen);
                way += QLatin1Char('F');
                break;
            default:
                emit calendar->OnDblClick(calendar);  // what a double click on it raises
                way += QLatin1Char('D');
            }
            QCoreApplication::processEvents();
        }
    }

    void theNotesKeepTheKeyboardWhileTheWindowIsResized()
    {
        form_->activateWindow();
        form_->Memo1->setFocus();
        QTRY_VERIFY(form_->Memo1->hasFocus());
        QTest::keyClicks(form_->Memo1, "on air");
        ResizeTo(*form_, QSize(900, 700));
        QTest::keyClicks(form_->Memo1, " at ten");
        QVERIFY(form_->Memo1->hasFocus());
        QCOMPARE(form_->Memo1->toPlainText(), QStringLiteral("on air at ten"));
    }
};

STUDIO_CLOCK_TEST_MAIN(WindowScalingTest)
#include "test_window_scaling.moc"
