// Bad input never breaks the window: extreme property values, a huge paste, a storm of double
// clicks, an error every second, a close in the middle of a tick.
#include "display/VrThreads.h"
#include "framework/ConnectGuarded.h"
#include "framework/Exceptions.h"
#include "tests/ShownMainWindow.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <QClipboard>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPointer>
#include <QSignalSpy>
#include <climits>
#include <cmath>

namespace {

// Values at and past every edge, for a property of `type`; the last one is ordinary, so the next
// property is tried on a component in a sane state.
QVariantList ExtremesOf(const QMetaProperty& property)
{
    if (property.isEnumType() || property.typeId() == QMetaType::Int)
        return {INT_MIN, INT_MAX, -1, 359, 360, 720, 0};
    switch (property.typeId()) {
    case QMetaType::UInt:
        return {UINT_MAX, 0U, 1U};
    case QMetaType::Double:
        return {std::nan(""), INFINITY, -INFINITY, 1e300, -1e300, 0.0};
    case QMetaType::Bool:
        return {true, false};
    case QMetaType::QString:
        return {QString(100000, QLatin1Char('W')), QString()};
    case QMetaType::QImage:
        return {QImage(1, 1, QImage::Format_RGB32), QImage()};
    default:
        return {};
    }
}

// Whether the system's own classes declare `property` (Qt's widget properties are Qt's business).
bool IsDesignTimeProperty(const QMetaProperty& property)
{
    const QString owner = QString::fromLatin1(property.enclosingMetaObject()->className());
    return property.isWritable() && property.isDesignable()
        && (owner.startsWith(QLatin1String("framework::")) || owner.startsWith(QLatin1String("display::"))
            || owner.startsWith(QLatin1String("resizer::")));
}

// What a component shows, painted: the control itself, or the whole window for a component
// that shows nothing or a control grown past the window.
QPixmap Shown(QObject* component, QWidget& window)
{
    auto* widget = qobject_cast<QWidget*>(component);
    const auto area = [](const QWidget* w) { return qint64(w->width()) * w->height(); };
    if (widget && area(widget) > 0 && area(widget) <= area(&window))
        return widget->grab();
    return window.grab();
}

// Whether `value` is one of the enumeration's, or for a set of flags, made of its flags only.
bool Names(const QMetaEnum& type, int value)
{
    if (!type.isFlag())
        return type.valueToKey(value) != nullptr;
    int flags = 0;
    for (int index = 0; index < type.keyCount(); ++index)
        flags |= type.value(index);
    return (value & ~flags) == 0;
}

// Writes every extreme value into every design-time property of the component, painting what it
// shows after each; a setter may refuse a value, the window goes on.
void Mistreat(QObject* component, QWidget& window)
{
    const QMetaObject* type = component->metaObject();
    for (int index = 0; index < type->propertyCount(); ++index) {
        const QMetaProperty property = type->property(index);
        if (!IsDesignTimeProperty(property))
            continue;
        for (const QVariant& value : ExtremesOf(property)) {
            bool outOfRange = false;
            try {
                property.write(component, value);
            } catch (const framework::ERangeError&) {
                outOfRange = true;
            } catch (const framework::Exception&) {
                // refused with a clear error: fine
            }
            // An enumerated property refuses, as out of range, exactly the values its type lacks.
            if (property.isEnumType())
                QVERIFY2(outOfRange != Names(property.enumerator(), value.toInt()), property.name());
            QVERIFY2(!Shown(component, window).isNull(), property.name());
        }
    }
}

int VisibleMessageBoxes()
{
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<const QMessageBox*>(widget) && widget->isVisible();
    return count;
}

}  // namespace

class BadInputTest : public ShownMainWindowTest {
    Q_OBJECT
private slots:
    void extremeDesignTimeValuesNeverBreakTheWindow()
    {
        TForm1& f = *form_;
        f.Memo1->setPlainText(QStringLiteral("cue the news at ten"));
        for (QObject* component : std::initializer_list<QObject*>{&f, f.NoBDEResizerPanel1, f.VrLabel1,
                 f.VrLedClock1, f.VrLedClock1->Timer(), f.Label7, f.Memo1, f.Button1, f.MonthCalendar1})
            Mistreat(component, f);
        // A value no enumeration has is refused, not stored.
        QVERIFY_THROWS_EXCEPTION(framework::ERangeError, f.MonthCalendar1->setAlign(framework::TAlign(999)));
        QVERIFY_THROWS_EXCEPTION(
            framework::ERangeError, f.MonthCalendar1->setAnchors(framework::TAnchors(0x10)));
        f.VrLedClock1->UpdateTime(nullptr);
        QCoreApplication::processEvents();
        QVERIFY(!f.grab().isNull());
        QCOMPARE(f.Memo1->toPlainText(), QStringLiteral("cue the news at ten"));
    }

    void anErrorEverySecondShowsOneMessageAndTheClockRunsOn()
    {
        display::TVrLedClock* clock = form_->VrLedClock1;
        framework::ConnectGuarded(clock, &display::TVrLedClock::OnSecondsChanged, this,
            [] { throw framework::Exception(QStringLiteral("the studio feed is down")); });
        clock->setLedSize(INT_MAX / 2);  // every paint fails as well
        for (int second = 1; second <= 5; ++second) {
            window_->time->AdvanceMSecs(1000);
            clock->Timer()->Timer();  // a tick, delivered as the timer delivers it
            clock->repaint();
            QCoreApplication::processEvents();
        }
        QCOMPARE(clock->Seconds(), 20);
        QCOMPARE(VisibleMessageBoxes(), 2);  // the failing handler and the failing paint
    }

    void aTenMegabytePasteIsKeptWhole()
    {
        constexpr qsizetype kTenMegabytes = qsizetype(10) * 1024 * 1024;
        QString text;
        const QString line = QStringLiteral("%1\n").arg(QString(99, QLatin1Char('x')));
        text.reserve(kTenMegabytes);
        while (text.size() < kTenMegabytes)
            text += line;
        QGuiApplication::clipboard()->setText(text);
        form_->Memo1->clear();
        form_->Memo1->paste();
        form_->resize(1000, 800);
        form_->resize(789, 640);
        QCoreApplication::processEvents();
        QCOMPARE(form_->Memo1->toPlainText().size(), text.size());
        QVERIFY(form_->Memo1->toPlainText() == text);
    }

    void aStormOfDoubleClicksLeavesTheCalendarWhereItBelongs()
    {
        controls::TMonthCalendar* calendar = form_->MonthCalendar1;
        const QRect free = calendar->geometry();
        QWidget* days = nullptr;
        for (QWidget* child : calendar->findChildren<QWidget*>())
            if (child->objectName() == QLatin1String("qt_calendar_calendarview"))
                days = static_cast<QAbstractScrollArea*>(child)->viewport();
        if (!days)
            QFAIL("the calendar has no grid of days");
        for (int click = 0; click < 300; ++click)
            QTest::mouseDClick(days, Qt::LeftButton, {}, days->rect().center());
        QCOMPARE(calendar->Align(), framework::alNone);
        QCOMPARE(calendar->geometry(), free);
    }

    void closingTheWindowInTheMiddleOfATickEndsCleanly()
    {
        QPointer<TForm1> form = window_->form.release();
        window_.reset();  // the real clock, so the timer really ticks
        connect(form->VrLedClock1, &display::TVrLedClock::OnSecondsChanged, form, [form] {
            form->close();
            form->deleteLater();
        });
        QTRY_VERIFY_WITH_TIMEOUT(form.isNull(), 5000);
        QTest::qWait(1200);  // a tick that was due now finds no window
    }
};

STUDIO_CLOCK_TEST_MAIN(BadInputTest)
#include "test_bad_input.moc"
