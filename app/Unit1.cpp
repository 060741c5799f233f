#include "app/Unit1.h"

#include "app/ClockTrustFollower.h"
#include "app/DateLine.h"
#include "app/FullScreenKey.h"
#include "app/PointerHider.h"
#include "app/ScreenAwake.h"
#include "app/StudioSignals.h"
#include "app/SystemdNotifier.h"
#include "app/UnmanagedFullScreen.h"
#include "app/WaylandActivation.h"
#include "framework/ConnectGuarded.h"
#include "framework/LocaleId.h"
#include "framework/Shell.h"
#include "framework/TimeSource.h"

#include <QShortcut>

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent)
    : controls::TForm(parent)
{
    framework::LayoutReading::Read(
        [this] {
            setupUi(this);
            clockTrust_ = new ClockTrustFollower(VrLedClock1);
            studio_ = new StudioSignals(VrLedClock1);
            BindEvents();
        },
        this);
    new FullScreenKey(this);
    auto* const onAirKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    onAirKey->setContext(Qt::WindowShortcut);  // also while the notes have the focus
    connect(onAirKey, &QShortcut::activated, studio_, [this] { studio_->SetOnAir(!studio_->OnAir()); });
    new UnmanagedFullScreen(this);
    new ScreenAwake(this);
    new PointerHider(this);
    new WaylandActivation(this);
    new SystemdNotifier(this, VrLedClock1);
}

void TForm1::BindEvents()
{
    using framework::ConnectGuarded;
    ConnectGuarded(this, &controls::TForm::OnCreate, this, &TForm1::FormCreate);
    ConnectGuarded(
        VrLedClock1, &display::TVrLedClock::OnHoursChanged, this, &TForm1::VrLedClock1HoursChanged);
    ConnectGuarded(
        VrLedClock1, &display::TVrLedClock::OnSecondsChanged, this, &TForm1::VrLedClock1SecondsChanged);
    ConnectGuarded(Label7, &controls::TLabel::OnClick, this, &TForm1::Label7Click);
    ConnectGuarded(Button1, &controls::TButton::OnClick, this, &TForm1::Button1Click);
    ConnectGuarded(
        MonthCalendar1, &controls::TMonthCalendar::OnDblClick, this, &TForm1::MonthCalendar1DblClick);
}

QUrl TForm1::MakerAddress()
{
    return QUrl(QStringLiteral("https://studioclock.example/"));
}

void TForm1::FormCreate(QObject* /*sender*/)
{
    ShowDateLine();
    MonthCalendar1->setDate(framework::Now());
    clockTrust_->Follow();
}

void TForm1::ShowDateLine()
{
    dateLineDay_ = framework::LocalNow().date();
    VrLabel1->setCaption(DateLineText(dateLineDay_, framework::ThreadLocale(), framework::ThreadQLocale()));
}

void TForm1::VrLedClock1HoursChanged(QObject* /*sender*/, quint16 /*hours*/)
{
    // A new hour may be a new day; and at every hour the calendar comes back to today.
    FollowTheDay();
    MonthCalendar1->setDate(framework::Now());
}

void TForm1::VrLedClock1SecondsChanged(QObject* /*sender*/, quint16 /*seconds*/)
{
    FollowTheDay();
    // After the second's pixels are on the screen.
    studio_->FollowSecond();
    clockTrust_->Follow();
}

void TForm1::FollowTheDay()
{
    if (framework::LocalNow().date() == dateLineDay_)
        return;
    ShowDateLine();
    MonthCalendar1->setDate(framework::Now());
}

void TForm1::Label7Click(QObject* /*sender*/)
{
    framework::OpenUrl(MakerAddress());
}

void TForm1::Button1Click(QObject* /*sender*/)
{
    Memo1->Clear();
}

void TForm1::MonthCalendar1DblClick(QObject* /*sender*/)
{
    MonthCalendar1->setAlign(
        MonthCalendar1->Align() == framework::alNone ? framework::alRight : framework::alNone);
}
