#include "controls/Edit.h"
#include "controls/Label.h"
#include "controls/Panel.h"
#include "display/vrLedClock.h"
#include "framework/Exceptions.h"
#include "framework/FontSize.h"
#include "resizer/ControlHandlerVCL.h"
#include "resizer/CustomRP.h"
#include "resizer/LValues.h"
#include "resizer/NoBDERP.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBox>
#include <QVBoxLayout>

using namespace resizer;

namespace {

QWidget* Child(QWidget* parent, const QRect& bounds, const QString& name = QString())
{
    auto* child = new QWidget(parent);  // owned by its parent
    child->setObjectName(name);
    child->setGeometry(bounds);
    return child;
}

int PointSize(const QWidget* widget)
{
    return framework::FontSize(widget->font());
}

// Sets the size in points, keeping the font's unit.
void SetPointSize(QWidget* widget, int points)
{
    QFont font = widget->font();
    framework::SetFontSize(font, points);
    widget->setFont(font);
}

// A window holding one resizer panel that fills it, shown so that size changes reach the panel.
struct PanelWindow {
    explicit PanelWindow(bool allowChanges, QSize size = QSize(400, 200))
    {
        window.resize(size);
        panel = new TNoBDEResizerPanel(&window);
        panel->setGeometry(QRect(QPoint(), size));
        panel->setAllowChanges(allowChanges);
        panel->Loaded();
    }
    void Show()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void Resize(int width, int height) const { panel->resize(width, height); }

    QWidget window;
    TNoBDEResizerPanel* panel = nullptr;
};

// Where a 9-point control at `place` on a plain parent of size `from` lands, and its point size,
// once the parent has become `to`: how any control on the panel scales.
std::pair<QRect, int> ScaledOnAPlainParent(const QRect& place, QSize from, QSize to)
{
    QWidget parent;
    parent.resize(from);
    QWidget* control = Child(&parent, place);
    SetPointSize(control, 9);
    TMRControlHandler handler(control);
    handler.PropertyHandlers().push_back(std::make_unique<TMRFont>(control, QStringLiteral("Font")));
    handler.Capture(from.width(), from.height());
    parent.resize(to);
    handler.Apply();
    return {control->geometry(), PointSize(control)};
}

// A property handler that writes down what happens to it, or fails on request.
// A tab widget, a stacked widget and a tool box side by side on a panel of 600 x 300.
struct PageContainers {
    explicit PageContainers(QWidget* panel)
        : tabs(new QTabWidget(panel))
        , stack(new QStackedWidget(panel))
        , toolBox(new QToolBox(panel))
    {
        tabs->setGeometry(0, 0, 200, 300);
        stack->setGeometry(200, 0, 200, 300);
        toolBox->setGeometry(400, 0, 200, 300);
    }
    // A new page for each, in that order.
    QList<QWidget*> AddPages()
    {
        QList<QWidget*> pages = {new QWidget, new QWidget, new QWidget};
        tabs->addTab(pages[0], QString::number(tabs->count()));
        stack->addWidget(pages[1]);
        toolBox->addItem(pages[2], QString::number(toolBox->count()));
        return pages;
    }
    void TurnPages(int index) const
    {
        tabs->setCurrentIndex(index);
        stack->setCurrentIndex(index);
        toolBox->setCurrentIndex(index);
    }
    QList<QSize> CurrentPageSizes() const
    {
        return {
            tabs->currentWidget()->size(), stack->currentWidget()->size(), toolBox->currentWidget()->size()};
    }

    QTabWidget* tabs;
    QStackedWidget* stack;
    QToolBox* toolBox;
};

class RecordingHandler : public TMRPropertyHandler {
public:
    RecordingHandler(QWidget* control, QStringList& log, QString name, bool failToApply = false)
        : TMRPropertyHandler(control)
        , log_(log)
        , name_(std::move(name))
        , failToApply_(failToApply)
    {
    }
    ~RecordingHandler() override { log_ << name_ + " freed"; }
    void ApplyRatios() override
    {
        if (failToApply_)
            throw framework::Exception(QStringLiteral("apply failed"));
    }

private:
    QStringList& log_;
    QString name_;
    bool failToApply_;
};

// A panel whose factory asks every control for a property plain widgets lack.
class DemandingPanel : public TCustomResizerPanel {
protected:
    void CreatePropertyHandlers(QWidget* control, TMRPropertyHandlerList& handlers) override
    {
        handlers.push_back(std::make_unique<TMRFont>(control, QStringLiteral("Font")));
        handlers.push_back(std::make_unique<TMRFont>(control, QStringLiteral("TabFont")));
    }
};

// A control handler class of a program's own.
class OwnControlHandler : public TMRControlHandlerVCL {
public:
    using TMRControlHandlerVCL::TMRControlHandlerVCL;
};

// A one-glyph bitmap font: a font that cannot take arbitrary sizes.
const char* const kBitmapFont = "STARTFONT 2.1\n"
                                "FONT -misc-tinybitmap-medium-r-normal--8-80-75-75-c-80-iso10646-1\n"
                                "SIZE 8 75 75\n"
                                "FONTBOUNDINGBOX 8 8 0 0\n"
                                "STARTPROPERTIES 3\n"
                                "FAMILY_NAME \"TinyBitmap\"\n"
                                "FONT_ASCENT 8\n"
                                "FONT_DESCENT 0\n"
                                "ENDPROPERTIES\n"
                                "CHARS 1\n"
                                "STARTCHAR A\n"
                                "ENCODING 65\n"
                                "SWIDTH 1000 0\n"
                                "DWIDTH 8 0\n"
                                "BBX 8 8 0 0\n"
                                "BITMAP\n"
                                "18\n"
                                "24\n"
                                "42\n"
                                "42\n"
                                "7E\n"
                                "42\n"
                                "42\n"
                                "00\n"
                                "ENDCHAR\n"
                                "ENDFONT\n";

class Picture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Stretch MEMBER stretch)
public:
    bool stretch = false;
};

}  // namespace

class ResizerTest : public QObject {
    Q_OBJECT

private slots:
    void theFontFollowsTheSmallerProportionAndComesBack_data()
    {
        QTest::addColumn<bool>("inPixels");
        QTest::newRow("point-sized") << false;
        QTest::newRow("pixel-sized, as the main window's fonts are") << true;
    }

    void theFontFollowsTheSmallerProportionAndComesBack()
    {
        QFETCH(bool, inPixels);
        QWidget control;
        control.resize(200, 100);
        if (inPixels) {
            QFont font = control.font();
            font.setPixelSize(20);
            control.setFont(font);
        }
        SetPointSize(&control, 10);
        TMRFont handler(&control, QStringLiteral("font"));
        QVERIFY(handler.Invalid());
        const QList<std::pair<QSize, int>> steps = {{{400, 100}, 10}, {{300, 300}, 15}, {{150, 75}, 7},
            {{200, 100}, 10}, {{3, 3}, 1}, {{200, 100}, 10}};
        for (const auto& [size, expected] : steps) {
            handler.CaptureRatios();
            control.resize(size);
            handler.ApplyRatios();
            QCOMPARE(PointSize(&control), expected);
            QCOMPARE(handler.LastSize(), expected);
        }
        // The program sets a size of its own: the next capture starts from it.
        SetPointSize(&control, 20);
        handler.CaptureRatios();
        control.resize(100, 50);
        handler.ApplyRatios();
        QCOMPARE(PointSize(&control), 10);
        QCOMPARE(control.font().pixelSize() > 0, inPixels);
    }

    void aFontCapturedAgainstAZeroSizeIsLeftAlone()
    {
        QWidget control;
        control.resize(200, 0);
        SetPointSize(&control, 10);
        TMRFont handler(&control, QStringLiteral("Font"));
        handler.CaptureRatios();
        QVERIFY(handler.Invalid());
        control.resize(400, 400);
        handler.ApplyRatios();
        QCOMPARE(PointSize(&control), 10);
        // Nothing changed, yet the next capture derives the ratios, against 400 x 400.
        handler.CaptureRatios();
        QVERIFY(!handler.Invalid());
        control.resize(200, 200);
        handler.ApplyRatios();
        QCOMPARE(PointSize(&control), 5);
    }

    void propertiesAreFoundByDesignTimeNameOnly()
    {
        controls::TLabel label;
        QCOMPARE(FindPropInfo(label.metaObject(), QStringLiteral("autosize")).name(), "AutoSize");
        display::TVrLedClock clock;  // draws no text: keeps its font out of its design-time interface
        try {
            TMRFont handler(&clock, QStringLiteral("Font"));
            QFAIL("a handler was made for a missing property");
        } catch (const framework::Exception& error) {
            QCOMPARE(error.Message(), QStringLiteral("No Font property"));
        }
    }

    void settingChecksNameWhatDefeatsScaling()
    {
        controls::TLabel label;
        TMRAutoSize autoSize(&label);
        QCOMPARE(autoSize.CheckSettings(), QStringLiteral("Set AutoSize to False"));
        label.setAutoSize(false);
        QCOMPARE(autoSize.CheckSettings(), QString());
        Picture picture;
        TMRStretch stretch(&picture);
        QCOMPARE(stretch.CheckSettings(), QStringLiteral("Set Stretch to True"));
        picture.stretch = true;
        QCOMPARE(stretch.CheckSettings(), QString());
        QVERIFY_THROWS_EXCEPTION(framework::Exception, TMRStretch(&label).CheckSettings());
        TMRFont font(&label, QStringLiteral("Font"));
        QCOMPARE(font.CheckSettings(), QString());
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("bitmap.bdf")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kBitmapFont) > 0);
        file.close();
        QVERIFY(QFontDatabase::addApplicationFont(file.fileName()) >= 0);
        label.setFont(QFont(QStringLiteral("TinyBitmap")));
        QCOMPARE(font.CheckSettings(), QStringLiteral("Not a vector font"));
    }

    void rememberedValuesToleratePositionsOutOfRange()
    {
        TMRLValues values;
        QCOMPARE(values.Count(), 0);
        QCOMPARE(values.Values(0), 0);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(values.Add(0, 0.5F * float(i)), i);
        values.SetValues(1, 7);
        values.SetValues(5, 9);
        QCOMPARE(values.Values(1), 7);
        QCOMPARE(values.Values(3), 0);
        QCOMPARE(values.Ratios(-1), 0.0F);
        QCOMPARE(values.Ratios(2), 1.0F);
        values.Clear();
        QCOMPARE(values.Count(), 0);
    }

    void boundsScaleWithoutCreepAndRoundHalfToEven()
    {
        QWidget parent;
        parent.resize(400, 100);
        QWidget* control = Child(&parent, QRect(100, 0, 200, 50));
        TMRControlHandler handler(control);
        for (int round = 0; round < 50; ++round) {
            handler.Capture(parent.width(), parent.height());
            parent.resize(round % 2 ? 400 : 200, 100);
            handler.Apply();
            QCOMPARE(control->geometry(), round % 2 ? QRect(100, 0, 200, 50) : QRect(50, 0, 100, 50));
        }
        // Ratio 0.5: 2.5 goes to 2 and 3.5 to 4; position and size are rounded on their own.
        control->setGeometry(1, 0, 2, 50);
        handler.Capture(4, 100);
        parent.resize(5, 100);
        handler.Apply();
        QCOMPARE(control->geometry(), QRect(1, 0, 2, 50));
        parent.resize(7, 100);
        handler.Apply();
        QCOMPARE(control->geometry(), QRect(2, 0, 4, 50));
    }

    void aZeroReferenceLeavesTheControlWhereItIs()
    {
        QWidget parent;
        parent.resize(400, 100);
        QWidget* control = Child(&parent, QRect(100, 10, 200, 50));
        TMRControlHandler handler(control);
        handler.Capture(400, 0);
        QVERIFY(!handler.Captured());
        QCOMPARE(handler.ParentWidth(), -1000);
        parent.resize(200, 50);
        handler.Apply();
        QCOMPARE(control->geometry(), QRect(100, 10, 200, 50));
        handler.Capture(400, 100);
        handler.Apply();
        QCOMPARE(control->geometry(), QRect(50, 5, 100, 25));
        // A left edge of minus the reference width reads as "not captured".
        control->move(-400, 0);
        handler.Capture(400, 100);
        QVERIFY(!handler.Captured());
    }

    void aControlThatRefusesASizeIsNotTakenAsMovedBySomebodyElse()
    {
        QWidget parent;
        parent.resize(400, 100);
        QWidget* control = Child(&parent, QRect(0, 0, 100, 40));
        control->setMaximumHeight(40);
        TMRControlHandler handler(control);
        handler.Capture(400, 100);
        parent.resize(800, 200);
        handler.Apply();
        QCOMPARE(handler.LastBounds(), framework::Rect(0, 0, 200, 40));
        handler.Capture(800, 200);
        QCOMPARE(handler.HeightRatio(), 0.4F);  // still the first capture's
    }

    void propertyHandlersAreFreedInTheirOrder()
    {
        QStringList log;
        {
            QWidget control;
            TMRControlHandler handler(&control);
            for (const char* name : {"first", "second", "third"})
                handler.PropertyHandlers().push_back(
                    std::make_unique<RecordingHandler>(&control, log, QString::fromLatin1(name)));
        }
        QCOMPARE(log, (QStringList{"first freed", "second freed", "third freed"}));
    }

    void aFontHeightEditReachesItsScaledHeight()
    {
        QWidget parent;
        parent.resize(400, 100);
        auto* edit = new controls::TEdit(&parent);
        edit->setFontHeight(-12);
        const int margin = edit->height() - 12;  // frame and padding around the text
        TMRControlHandlerVCL handler(edit);
        handler.Capture(400, 100);
        parent.resize(400, 200);
        handler.Apply();
        // The edit refuses the doubled height, so its text grows to fill it instead.
        QCOMPARE(edit->font().pixelSize(), 2 * (margin + 12) - margin);
    }

    void pagesKeepFillingTheirContainers()
    {
        PanelWindow w(true, QSize(600, 300));
        PageContainers containers(w.panel);
        for (int page = 0; page < 2; ++page)
            containers.AddPages();
        w.Show();
        const QList<QSize> before = containers.CurrentPageSizes();
        for (const QSize& size : {QSize(300, 150), QSize(900, 450), QSize(600, 300)}) {
            w.Resize(size.width(), size.height());
            containers.TurnPages(1 - containers.tabs->currentIndex());
            QApplication::processEvents();
        }
        for (const QSize& area : containers.CurrentPageSizes())
            QVERIFY2(!area.isEmpty(), "a page lost its area");
        QTRY_COMPARE(containers.CurrentPageSizes(), before);
    }

    void controlsOnShownAndHiddenPagesScaleWithTheirPagesAndComeBack()
    {
        const QRect place(10, 10, 120, 20);
        for (const bool allowChanges : {false, true}) {
            PanelWindow w(allowChanges, QSize(600, 300));
            PageContainers containers(w.panel);
            QList<QWidget*> labels;  // on the current page of each container, then on the hidden one
            for (int page = 0; page < 2; ++page) {
                for (QWidget* onPage : containers.AddPages()) {
                    auto* label = new controls::TLabel(onPage);
                    label->setAutoSize(false);
                    label->setGeometry(place);
                    SetPointSize(label, 9);
                    labels << label;
                }
            }
            w.Show();
            QList<QSize> rooms;  // each page's size at the design size
            for (const QWidget* label : labels)
                rooms << label->parentWidget()->size();
            // Every page fills the room its container keeps for pages, hidden pages the same room as
            // the shown one, and every label stands where it would on a plain parent of its page's size.
            const auto misplaced = [&]() -> QString {
                QApplication::processEvents();  // Qt's own layout, which must agree
                for (int i = 0; i < labels.size(); ++i) {
                    const QWidget* page = labels[i]->parentWidget();
                    const QSize room = page->parentWidget()->size();
                    const auto expected = ScaledOnAPlainParent(place, rooms[i], page->size());
                    if (room != labels[i % 3]->parentWidget()->parentWidget()->size()
                        || page->geometry() != QRect(QPoint(), room)
                        || labels[i]->geometry() != expected.first
                        || PointSize(labels[i]) != expected.second) {
                        QString text;
                        QDebug(&text).nospace()
                            << "label " << i << " at " << labels[i]->geometry() << ' ' << PointSize(labels[i])
                            << " pt on a page at " << page->geometry() << " in " << room
                            << ", allowing changes: " << allowChanges;
                        return text;
                    }
                }
                return {};
            };
            QCOMPARE(misplaced(), QString());
            QCOMPARE(labels[0]->geometry(), place);
            w.Resize(601, 300);
            QCOMPARE(misplaced(), QString());
            QCOMPARE(labels[0]->geometry(), place);
            w.Resize(1200, 600);
            QCOMPARE(misplaced(), QString());
            QVERIFY(labels[0]->width() > place.width());
            w.Resize(600, 300);
            QCOMPARE(misplaced(), QString());
            for (int i = 0; i < labels.size(); ++i) {
                QCOMPARE(labels[i]->parentWidget()->size(), rooms[i]);
                QCOMPARE(labels[i]->geometry(), place);
                QCOMPARE(PointSize(labels[i]), 9);
            }
            // Turning to the hidden pages moves nothing.
            containers.TurnPages(1);
            QCOMPARE(misplaced(), QString());
            QCOMPARE(labels[3]->parentWidget()->size(), rooms[0]);
        }
    }

    void aControlMovedByTheProgramScalesFromThereOnlyWithAllowChanges()
    {
        for (const bool allowChanges : {true, false}) {
            PanelWindow w(allowChanges);
            QWidget* moved = Child(w.panel, QRect(100, 0, 100, 50));
            w.Show();
            QVERIFY(w.panel->HandlerOf(moved));
            moved->move(200, 0);
            w.Resize(200, 100);
            QCOMPARE(moved->geometry(), allowChanges ? QRect(100, 0, 50, 25) : QRect(50, 0, 50, 25));
        }
    }

    // Docking only stretches a panel, its contents following their anchors; docked, it then shows
    // at each size what docking at that size shows, wherever it was docked.
    void aDockedPanelShowsWhatDockingAtTheSizeShows()
    {
        for (const bool allowChanges : {true, false}) {
            PanelWindow w(allowChanges);
            auto* docking = new controls::TPanel(w.panel);
            docking->setGeometry(300, 20, 80, 60);
            SetPointSize(docking, 9);
            auto* content = new controls::TPanel(docking);
            content->setGeometry(10, 10, 60, 20);
            content->setAnchors(
                framework::TAnchors(framework::akLeft | framework::akTop | framework::akBottom));
            w.Show();
            w.Resize(800, 300);
            const QRect free = docking->geometry();
            const QRect freeContent = content->geometry();
            const int points = PointSize(docking);
            docking->setAlign(framework::alLeft);
            const QRect docked = docking->geometry();
            QCOMPARE(docked.width(), free.width());
            QCOMPARE(content->geometry(), freeContent.adjusted(0, 0, 0, docked.height() - free.height()));
            QCOMPARE(PointSize(docking), points);
            const QRect dockedContent = content->geometry();

            docking->setAlign(framework::alNone);
            QCOMPARE(docking->geometry(), free);
            w.Resize(400, 200);
            docking->setAlign(framework::alLeft);
            for (const QSize size : {QSize(800, 300), QSize(400, 200), QSize(800, 300)})
                w.Resize(size.width(), size.height());
            QCOMPARE(docking->geometry(), docked);
            QCOMPARE(content->geometry(), dockedContent);
            QCOMPARE(PointSize(docking), points);
        }
    }

    // As a plain setupUi makes it: never loaded, placed or in a Qt layout.
    void aPanelNeverLoadedScalesFromTheSizeItFirstHas()
    {
        for (const bool inLayout : {false, true}) {
            for (const bool allowChanges : {false, true}) {
                QWidget window;
                window.resize(400, 200);
                auto* panel = new TNoBDEResizerPanel(&window);
                panel->setAllowChanges(allowChanges);
                auto* layout = inLayout ? new QVBoxLayout(&window) : nullptr;  // owned by the window
                if (layout) {
                    layout->setContentsMargins(0, 0, 0, 0);
                    layout->addWidget(panel);
                } else {
                    panel->setGeometry(0, 0, 400, 200);
                }
                QWidget* control = Child(panel, QRect(100, 0, 100, 50));
                window.show();
                QVERIFY(QTest::qWaitForWindowExposed(&window));
                QCOMPARE(panel->size(), QSize(400, 200));
                for (const QSize size : {QSize(200, 100), QSize(400, 200), QSize(200, 100)}) {
                    layout ? window.resize(size) : panel->resize(size);
                    QTRY_COMPARE(panel->size(), size);
                }
                QCOMPARE(control->geometry(), QRect(50, 0, 50, 25));
            }
        }
    }

    void collapsingToNothingAndBackRestoresEveryPlace()
    {
        PanelWindow w(true);
        QWidget* control = Child(w.panel, QRect(100, 20, 100, 50));
        w.Show();
        w.Resize(0, 0);
        w.Resize(400, 200);
        QCOMPARE(control->geometry(), QRect(100, 20, 100, 50));
    }

    void deactivatingDropsTheHandlersAndReactivatingStartsAfresh()
    {
        PanelWindow w(true);
        QWidget* control = Child(w.panel, QRect(100, 0, 100, 50));
        w.Show();
        w.panel->setActive(false);
        QVERIFY(w.panel->ControlHandlers().empty());
        w.Resize(200, 100);
        QCOMPARE(control->geometry(), QRect(100, 0, 100, 50));
        QCOMPARE(w.panel->OldWidth(), 200);
        w.panel->setActive(true);
        w.Resize(400, 200);
        QCOMPARE(control->geometry(), QRect(200, 0, 200, 100));
    }

    void controlsComeAndGoWhileThePanelLives()
    {
        PanelWindow w(true);
        QWidget* first = Child(w.panel, QRect(0, 0, 100, 50));
        auto* second = Child(w.panel, QRect(100, 0, 100, 50));
        w.Show();
        QCOMPARE(w.panel->ControlHandlers().size(), std::size_t(2));
        delete second;
        QCOMPARE(w.panel->ControlHandlers().size(), std::size_t(1));
        QWidget* later = Child(w.panel, QRect(200, 0, 100, 50));
        later->show();
        w.Resize(200, 100);
        const std::vector<TMRControlHandler*> handlers = w.panel->ControlHandlers();
        QCOMPARE(handlers.size(), std::size_t(2));
        QCOMPARE(handlers[0]->Control(), first);
        QCOMPARE(handlers[1]->Control(), later);
        QCOMPARE(later->geometry(), QRect(100, 0, 50, 25));
    }

    void registrationIsDepthFirstWindowlessFirstAndStopsAtANestedPanel()
    {
        PanelWindow w(true);
        QWidget* box = Child(w.panel, QRect(0, 0, 200, 200), "box");
        QWidget* inBox = Child(box, QRect(0, 0, 100, 100), "inBox");
        auto* edit = new QLineEdit(w.panel);
        auto* label = new controls::TLabel(w.panel);
        auto* nested = new TNoBDEResizerPanel(w.panel);
        nested->setGeometry(200, 0, 200, 200);
        nested->Loaded();
        QWidget* inNested = Child(nested, QRect(0, 0, 100, 100));
        w.Show();
        QList<QWidget*> order;
        for (const TMRControlHandler* handler : w.panel->ControlHandlers())
            order << handler->Control();
        QCOMPARE(order, (QList<QWidget*>{label, box, inBox, edit, nested}));
        // A label carrying "Font" gets the font handler first, then the AutoSize check.
        const TMRPropertyHandlerList& handlers = w.panel->HandlerOf(label)->PropertyHandlers();
        QCOMPARE(handlers.size(), std::size_t(2));
        QVERIFY(dynamic_cast<TMRFont*>(handlers[0].get()));
        QVERIFY(dynamic_cast<TMRAutoSize*>(handlers[1].get()));
        // The nested panel scales its own contents against its new size.
        w.Resize(200, 100);
        QCOMPARE(nested->geometry(), QRect(100, 0, 100, 100));
        QCOMPARE(inNested->geometry(), QRect(0, 0, 50, 50));
        QCOMPARE(inBox->geometry(), QRect(0, 0, 50, 50));
    }

    void aFailedRegistrationKeepsTheReferenceSize()
    {
        QWidget window;
        window.resize(400, 200);
        auto* panel = new DemandingPanel();
        panel->setParent(&window);
        panel->setGeometry(0, 0, 400, 200);
        panel->Loaded();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* control = Child(panel, QRect(100, 0, 100, 50));
        QSignalSpy reports(framework::Application::Instance(), &framework::Application::ExceptionReported);
        panel->resize(200, 100);
        QVERIFY(!reports.isEmpty());
        QCOMPARE(reports.last().at(1).toString(), QStringLiteral("No TabFont property"));
        QCOMPARE(panel->OldWidth(), 400);
        const TMRControlHandler* handler = panel->HandlerOf(control);
        QVERIFY(handler && !handler->Captured());
        QCOMPARE(handler->PropertyHandlers().size(), std::size_t(1));
        QVERIFY(panel->updatesEnabled());
    }

    void aProgramPutsItsOwnControlHandlerClassInPlace()
    {
        PanelWindow w(true);
        QWidget* control = Child(w.panel, QRect(100, 0, 100, 50));
        w.panel->setControlHandlerClass(CreateControlHandler<OwnControlHandler>);
        w.Show();
        QVERIFY(dynamic_cast<OwnControlHandler*>(w.panel->HandlerOf(control)));

        QVERIFY_THROWS_EXCEPTION(framework::Exception, w.panel->setControlHandlerClass(nullptr));
        // One that makes no handler is reported; the panel goes on without the control.
        w.panel->setControlHandlerClass(+[](QWidget*) { return std::unique_ptr<TMRControlHandler>(); });
        QWidget* later = Child(w.panel, QRect(0, 0, 100, 50));
        later->show();
        QSignalSpy reports(framework::Application::Instance(), &framework::Application::ExceptionReported);
        w.Resize(200, 100);
        QCOMPARE(reports.size(), 1);
        QCOMPARE(
            reports.last().at(1).toString(), QStringLiteral("The control handler class made no handler"));
        QVERIFY(!w.panel->HandlerOf(later));
        QVERIFY(w.panel->isVisible());
    }

    void aFailedApplyStillRestoresPaintingAndTheReferenceSize()
    {
        QStringList log;  // outlives the panel, whose handlers write to it as they go
        PanelWindow w(true);
        QWidget* control = Child(w.panel, QRect(100, 0, 100, 50));
        w.Show();
        w.panel->HandlerOf(control)->PropertyHandlers().push_back(
            std::make_unique<RecordingHandler>(control, log, QStringLiteral("failing"), true));
        QSignalSpy reports(framework::Application::Instance(), &framework::Application::ExceptionReported);
        PaintCounter paints(*w.panel);
        w.Resize(200, 100);
        QCOMPARE(reports.size(), 1);
        QVERIFY(w.panel->isVisible() && w.panel->updatesEnabled());
        QCOMPARE(w.panel->OldWidth(), 200);
        QTRY_COMPARE(paints.paints, 1);
    }

    void theOperatorKeepsTheKeyboardWhileThePanelResizes()
    {
        PanelWindow w(true);
        auto* notes = new QLineEdit(w.panel);
        notes->setGeometry(10, 10, 200, 30);
        w.Show();
        w.window.activateWindow();
        notes->setFocus();
        QTRY_VERIFY(notes->hasFocus());
        w.Resize(300, 150);
        QVERIFY(notes->hasFocus());
        w.panel->hide();
        w.Resize(400, 200);
        QVERIFY(!w.panel->isVisible());
    }
};

STUDIO_CLOCK_TEST_MAIN(ResizerTest)
#include "test_resizer.moc"
