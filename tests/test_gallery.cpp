#include "controls/DrawGrid.h"
#include "controls/GlyphButtons.h"
#include "controls/HeaderControl.h"
#include "controls/Image.h"
#include "controls/ItemLists.h"
#include "controls/Label.h"
#include "controls/ListViews.h"
#include "controls/ScrollBox.h"
#include "controls/StatusBar.h"
#include "controls/TabControls.h"
#include "controls/TabSet.h"
#include "framework/FontSize.h"
#include "resizer/DrawGridHandler.h"
#include "resizer/HeaderHandler.h"
#include "resizer/NoBDERP.h"
#include "resizer/ScalarHandlers.h"
#include "resizer/WidthListHandlers.h"
#include "tests/TestMain.h"
#include "tools/gallery/Gallery.h"

#include <QHeaderView>
#include <cxxabi.h>
#include <typeinfo>

using namespace resizer;

namespace {

QString ClassName(const TMRPropertyHandler& handler)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(typeid(handler).name(), nullptr, nullptr, &status), std::free);
    return QString::fromLatin1(status == 0 ? name.get() : typeid(handler).name())
        .remove(QStringLiteral("resizer::"));
}

QStringList HandlerNames(const TNoBDEResizerPanel& panel, const QWidget* control)
{
    QStringList names;
    for (const auto& handler : panel.HandlerOf(control)->PropertyHandlers()) {
        const auto* font = dynamic_cast<const TMRFont*>(handler.get());
        names << (font ? QStringLiteral("TMRFont(%1)").arg(font->PropertyName()) : ClassName(*handler));
    }
    return names;
}

// What each control shows, in numbers that the handlers should scale.
QList<int> InnerLengths(const TGalleryForm& g)
{
    return {g.PageControl->tabBar()->tabRect(0).height(), g.TabControl->tabRect(0).width(),
        g.TabSet->Tabs()->tabRect(0).height(), g.TabSet->Tabs()->x(),
        g.ListBox->visualItemRect(g.ListBox->item(0)).height(), g.ComboBox->ItemHeight(), g.BitBtn->Margin(),
        framework::FontSize(g.Notebook->tabBar()->font()), g.ScrollBox->HorzScrollBar()->Range(),
        g.DrawGrid->columnWidth(0), g.DrawGrid->rowHeight(1), g.DrawGrid->GridLineWidth(),
        g.ListView->columnWidth(1), g.Header->sectionSize(0), g.TreeView->indentation(),
        g.StatusBar->Panels()->Items(1)->Width()};
}

// The lengths the gallery is laid out with, which its design size must show unchanged.
QList<int> DesignValues(const TGalleryForm& g)
{
    QList<int> values = {g.PageControl->TabHeight(), g.TabControl->TabWidth(), g.TabControl->TabHeight(),
        g.TabSet->StartMargin(), g.TabSet->EndMargin(), g.ListBox->ItemHeight(), g.ComboBox->ItemHeight(),
        g.BitBtn->Margin(), g.BitBtn->Spacing(), framework::FontSize(g.Notebook->TabFont()),
        g.DrawGrid->DefaultColWidth(), g.DrawGrid->DefaultRowHeight(), g.DrawGrid->GridLineWidth(),
        g.DrawGrid->ColWidths(0), g.DrawGrid->ColWidths(1), g.DrawGrid->RowHeights(1),
        g.TreeView->indentation(), g.Header->Sections()->Items(0)->property("MinWidth").toInt()};
    for (const controls::TCollection* items :
        {g.ListView->Columns(), g.Header->Sections(), g.StatusBar->Panels()})
        for (int index = 0; index < items->Count(); ++index)
            values << items->Items(index)->Width();
    return values;
}

}  // namespace

class GalleryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TGalleryForm> gallery_;

private slots:
    void init()
    {
        gallery_ = std::make_unique<TGalleryForm>();
        gallery_->show();
        QVERIFY(QTest::qWaitForWindowExposed(gallery_.get()));
    }

    void cleanup() { gallery_.reset(); }

    void everyControlGetsTheHandlersOfItsRowsInTableOrder()
    {
        const TGalleryForm& g = *gallery_;
        const TNoBDEResizerPanel& panel = *g.Panel;
        const QString font = QStringLiteral("TMRFont(Font)");
        const QList<std::pair<QWidget*, QStringList>> expected = {
            {g.ListBox, {font, "TMRItemHeight"}},
            {g.ComboBox, {font, "TMRItemHeight"}},
            {g.ScrollBox, {font, "TMRScrollBox"}},
            {g.DrawGrid, {font, "TMRDrawGrid"}},
            {g.TabSet, {font, "TMRTabSet"}},
            {g.BitBtn, {font, "TMRMarginSpacing"}},
            {g.SpeedButton, {font, "TMRMarginSpacing"}},
            {g.Notebook, {font, "TMRFont(TabFont)"}},
            {g.Image, {font, "TMRStretch"}},
            {g.Caption, {font, "TMRAutoSize"}},
            {g.PageControl, {font, "TMRTab"}},
            {g.TabControl, {font, "TMRTab"}},
            {g.StatusBar, {font, "TMRStatusBar"}},
            {g.Header, {font, "TMRHeaderControl"}},
            {g.ListView, {font, "TMRListView"}},
            {g.TreeView, {font, "TMRTreeView"}},
        };
        for (const auto& [control, handlers] : expected)
            QCOMPARE(HandlerNames(panel, control), handlers);
    }

    void theDesignSizeShowsTheDesignValuesAlsoAfterARoundTrip()
    {
        const QList<int> design = {24, 80, 24, 5, 5, 18, 18, 6, 6, 9, 60, 24, 2, 100, 60, 24, 20, 40, 120,
            120, 120, 110, 110, 110, 200, 300, 200};
        QCOMPARE(DesignValues(*gallery_), design);
        gallery_->resize(1000, 700);
        QTRY_COMPARE(gallery_->Panel->size(), QSize(1000, 700));
        gallery_->resize(800, 600);
        QTRY_COMPARE(gallery_->Panel->size(), QSize(800, 600));
        QCOMPARE(DesignValues(*gallery_), design);
    }

    void resizingTheGalleryScalesWhatEveryControlShows()
    {
        const QList<int> before = InnerLengths(*gallery_);
        gallery_->resize(1600, 1200);
        QTRY_COMPARE(gallery_->Panel->size(), QSize(1600, 1200));
        QCoreApplication::processEvents();
        const QList<int> larger = InnerLengths(*gallery_);
        for (int i = 0; i < before.size(); ++i)
            QVERIFY2(larger[i] > before[i],
                qPrintable(QStringLiteral("length %1: %2 -> %3").arg(i).arg(before[i]).arg(larger[i])));
        gallery_->resize(800, 600);
        QTRY_COMPARE(gallery_->Panel->size(), QSize(800, 600));
        QCoreApplication::processEvents();
        QCOMPARE(InnerLengths(*gallery_), before);
    }
};

STUDIO_CLOCK_TEST_MAIN(GalleryTest)
#include "test_gallery.moc"
