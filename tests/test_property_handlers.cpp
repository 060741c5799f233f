#include "controls/DrawGrid.h"
#include "controls/GlyphButtons.h"
#include "controls/HeaderControl.h"
#include "controls/ItemLists.h"
#include "controls/ListViews.h"
#include "controls/ScrollBox.h"
#include "controls/StatusBar.h"
#include "controls/TabControls.h"
#include "framework/FontSize.h"
#include "resizer/DrawGridHandler.h"
#include "resizer/HeaderHandler.h"
#include "resizer/MRFont.h"
#include "resizer/ScalarHandlers.h"
#include "resizer/WidthListHandlers.h"
#include "tests/TestMain.h"

#include <functional>

using namespace resizer;

namespace {

// One capture at the control's size, a resize, one apply: what the panel does for each control.
void ScaleTo(TMRPropertyHandler& handler, QWidget& control, QSize size)
{
    handler.CaptureRatios();
    control.resize(size);
    handler.ApplyRatios();
}

}  // namespace

class PropertyHandlersTest : public QObject {
    Q_OBJECT
private slots:
    void aTabSizeOfZeroStaysAndAScaledOneNeverReachesZero()
    {
        controls::TTabControl tabs;
        tabs.resize(200, 40);
        tabs.setTabHeight(20);
        TMRTab handler(&tabs);
        ScaleTo(handler, tabs, QSize(400, 80));
        QCOMPARE(tabs.TabWidth(), 0);
        QCOMPARE(tabs.TabHeight(), 40);
        ScaleTo(handler, tabs, QSize(400, 1));
        QCOMPARE(tabs.TabHeight(), 1);
        QWidget plain;
        QVERIFY_THROWS_EXCEPTION(framework::Exception, TMRTab{&plain});
    }

    void aScrollBoxIsScrolledBackToTheStartAtEveryCapture()
    {
        controls::TScrollBox box;
        box.setFrameShape(QFrame::NoFrame);  // the client area is then the whole box
        box.resize(200, 100);
        box.Content()->resize(600, 300);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        TMRScrollBox handler(&box);
        for (int round = 0; round < 2; ++round) {
            box.VertScrollBar()->setPosition(100);
            QCOMPARE(box.VertScrollBar()->Position(), 100);
            handler.CaptureRatios();
            QCOMPARE(box.VertScrollBar()->Position(), 0);
        }
        box.resize(400, 200);
        handler.ApplyRatios();
        QCOMPARE(box.Content()->size(), QSize(1200, 600));
    }

    void headerBoundsKeepTheirRatiosWhenOnlyWidthsChanged()
    {
        controls::THeaderControl header;
        header.resize(300, 20);
        for (int i = 0; i < 3; ++i)
            header.AddSection(QStringLiteral("s"), 100)->setMinWidth(30);
        TMRHeaderControl handler(&header);
        ScaleTo(handler, header, QSize(300, 20));
        const TMRLSections& sections = handler.Sections();
        const float minRatio = sections.Items(0).MinWidthRatio;
        header.resize(600, 20);
        header.Sections()->Items(0)->setWidth(150);
        handler.CaptureRatios();
        QCOMPARE(sections.Items(0).MinWidthRatio, minRatio);
        QCOMPARE(sections.Items(1).WidthRatio, 100.0F / 600.0F);
        header.Sections()->Items(1)->setProperty("MaxWidth", 180);
        handler.CaptureRatios();
        QCOMPARE(sections.Items(0).MinWidthRatio, 30.0F / 600.0F);
        header.AddSection(QStringLiteral("new"), 60);
        handler.CaptureRatios();
        QCOMPARE(sections.Count(), 4);
        QVERIFY_THROWS_EXCEPTION(framework::ERangeError, sections.Items(4));
    }

    void aHeaderSectionWidthHeldBackByItsOldBoundGrowsAtTheNextResize()
    {
        controls::THeaderControl header;
        header.resize(300, 20);
        controls::THeaderSection* section = header.AddSection(QStringLiteral("s"), 100);
        section->setMaxWidth(120);
        TMRHeaderControl handler(&header);
        ScaleTo(handler, header, QSize(600, 20));
        QCOMPARE(section->Width(), 120);  // set while the bound was still 120
        QCOMPARE(section->MaxWidth(), 240);
        ScaleTo(handler, header, QSize(600, 20));
        QCOMPARE(section->Width(), 200);
    }

    void widthsScaleFromTheCurrentItemsAfterOneCameOrWent()
    {
        controls::TStatusBar bar;
        bar.resize(400, 20);
        bar.AddPanel(QStringLiteral("a"), 100);
        TMRStatusBar handler(&bar);
        ScaleTo(handler, bar, QSize(400, 20));
        bar.AddPanel(QStringLiteral("b"), 200);
        ScaleTo(handler, bar, QSize(200, 20));
        QCOMPARE(bar.Panels()->Items(0)->Width(), 50);
        QCOMPARE(bar.Panels()->Items(1)->Width(), 100);

        // A column removed between capture and apply: the others still scale.
        controls::TListView list;
        list.setFrameShape(QFrame::NoFrame);
        list.resize(400, 100);
        list.setColumnCount(3);
        list.Columns()->Items(0)->setWidth(100);
        TMRListView listHandler(&list);
        listHandler.CaptureRatios();
        list.setColumnCount(2);
        list.resize(200, 100);
        listHandler.ApplyRatios();
        QCOMPARE(list.Columns()->Items(0)->Width(), 50);
    }

    void aGridTakesItsRatiosAgainWhenItsShapeOrLineChanged()
    {
        controls::TDrawGrid grid;
        grid.setFrameShape(QFrame::NoFrame);
        grid.resize(300, 200);
        grid.setColCount(2);
        grid.setDefaultColWidth(60);
        TMRDrawGrid handler(&grid);
        ScaleTo(handler, grid, QSize(300, 200));
        grid.setColCount(3);  // the new column has the default width, 60
        ScaleTo(handler, grid, QSize(600, 200));
        QCOMPARE(grid.ColWidths(2), 120);
        ScaleTo(handler, grid, QSize(6, 200));
        QCOMPARE(grid.GridLineWidth(), 1);
        grid.setGridLineWidth(3);  // only the line changed: the ratios are taken at 6 wide
        ScaleTo(handler, grid, QSize(12, 200));
        QCOMPARE(grid.GridLineWidth(), 6);
        QCOMPARE(grid.ColWidths(0), 2);
    }

    void aCentredGlyphKeepsMarginAndSpacingButASpacingOfMinusOneScales()
    {
        controls::TBitBtn button;
        button.resize(100, 30);
        button.setMargin(-1);
        button.setSpacing(8);
        TMRMarginSpacing handler(&button);
        ScaleTo(handler, button, QSize(200, 30));
        QCOMPARE(button.Margin(), -1);
        QCOMPARE(button.Spacing(), 8);
        button.resize(128, 30);  // ratios that are exact in binary
        button.setMargin(16);
        button.setSpacing(-1);
        ScaleTo(handler, button, QSize(512, 30));
        QCOMPARE(button.Margin(), 64);
        QCOMPARE(button.Spacing(), -4);
    }

    void everyValueComesBackWholeAtTheSizeItWasTakenAt()
    {
        // At 388 x 149 every one of these values times its ratio, taken as the nearest float,
        // falls a hair under the whole value, as an exact product or as a float one.
        const QSize taken(388, 149);
        QWidget text;
        QFont font = text.font();
        font.setPointSize(8);
        text.setFont(font);
        controls::TTabControl tabs;
        tabs.setTabWidth(80);
        tabs.setTabHeight(24);
        controls::TListBox list;
        list.setItemHeight(18);
        controls::TBitBtn button;
        button.setMargin(6);
        button.setSpacing(6);
        controls::TTreeView tree;
        tree.setIndentation(20);
        controls::TStatusBar bar;
        bar.AddPanel(QStringLiteral("a"), 110);
        bar.AddPanel(QStringLiteral("b"), 40);
        controls::THeaderControl header;
        controls::THeaderSection* section = header.AddSection(QStringLiteral("s"), 110);
        section->setMinWidth(40);
        controls::TDrawGrid grid;
        grid.setColCount(2);
        grid.setRowCount(2);
        grid.setDefaultColWidth(60);
        grid.setDefaultRowHeight(24);
        grid.setGridLineWidth(2);
        grid.SetColWidths(0, 110);
        for (QFrame* frame : std::initializer_list<QFrame*>{&list, &tree, &header, &grid})
            frame->setFrameShape(QFrame::NoFrame);  // the client area is then the whole control
        TMRFont textHandler(&text, QStringLiteral("Font"));
        TMRTab tabsHandler(&tabs);
        TMRItemHeight listHandler(&list);
        TMRMarginSpacing buttonHandler(&button);
        TMRTreeView treeHandler(&tree);
        TMRStatusBar barHandler(&bar);
        TMRHeaderControl headerHandler(&header);
        TMRDrawGrid gridHandler(&grid);
        const auto widths = [](const controls::TCollection& items) {
            QList<int> result;
            for (int index = 0; index < items.Count(); ++index)
                result << items.Items(index)->Width();
            return result;
        };
        struct Case {
            QWidget& control;
            TMRPropertyHandler& handler;
            std::function<QList<int>()> values;
        };
        const QList<Case> cases = {
            {text, textHandler, [&] { return QList<int>() << framework::FontSize(text.font()); }},
            {tabs, tabsHandler, [&] { return QList<int>() << tabs.TabWidth() << tabs.TabHeight(); }},
            {list, listHandler, [&] { return QList<int>() << list.ItemHeight(); }},
            {button, buttonHandler, [&] { return QList<int>() << button.Margin() << button.Spacing(); }},
            {tree, treeHandler, [&] { return QList<int>() << tree.indentation(); }},
            {bar, barHandler, [&] { return widths(*bar.Panels()); }},
            {header, headerHandler, [&] { return widths(*header.Sections()) << section->MinWidth(); }},
            {grid, gridHandler,
                [&] {
                    return QList<int>()
                        << grid.DefaultColWidth() << grid.DefaultRowHeight() << grid.GridLineWidth()
                        << grid.ColWidths(0) << grid.ColWidths(1) << grid.RowHeights(1);
                }},
        };
        for (const Case& scaled : cases) {
            scaled.control.resize(taken);
            const QList<int> values = scaled.values();
            ScaleTo(scaled.handler, scaled.control, taken);
            QCOMPARE(scaled.values(), values);
            for (const QSize size : {taken * 2, QSize(250, 97), taken})
                ScaleTo(scaled.handler, scaled.control, size);
            QCOMPARE(scaled.values(), values);
        }
    }

    void aHandlerSaysWhatIsWrongWithItsControl()
    {
        QWidget plain;
        controls::TStatusBar bar;
        const QList<std::pair<std::function<void()>, QString>> cases = {
            {[&] { TMRDrawGrid{&plain}; }, "QWidget is not a grid"},
            {[&] { TMRTab{&plain}; }, "No TabWidth property"},
            {[&] { TMRHeaderControl{&bar}; }, "No Sections property"},
        };
        for (const auto& [make, message] : cases) {
            try {
                make();
                QFAIL(qPrintable(QStringLiteral("no error, not: ") + message));
            } catch (const framework::Exception& error) {
                QCOMPARE(error.Message(), message);
            }
        }
    }

    void aZeroWidthAtCaptureKeepsValuesUntilAWidthReturns()
    {
        controls::TTreeView tree;
        tree.setFrameShape(QFrame::NoFrame);
        tree.resize(0, 100);
        tree.setIndentation(20);
        TMRTreeView handler(&tree);
        ScaleTo(handler, tree, QSize(400, 100));
        QVERIFY(handler.Invalid());
        QCOMPARE(tree.indentation(), 20);
        ScaleTo(handler, tree, QSize(200, 100));
        QCOMPARE(tree.indentation(), 10);
    }
};

STUDIO_CLOCK_TEST_MAIN(PropertyHandlersTest)
#include "test_property_handlers.moc"
