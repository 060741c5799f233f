#include "resizer/NoBDERP.h"

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
#include "resizer/ControlHandlerVCL.h"
#include "resizer/DrawGridHandler.h"
#include "resizer/HeaderHandler.h"
#include "resizer/ScalarHandlers.h"
#include "resizer/WidthListHandlers.h"

namespace resizer {

namespace {

template <typename... Classes> bool IsOneOf(const QWidget* control)
{
    return (qobject_cast<const Classes*>(control) || ...);
}

template <const char* Property> bool Has(const QWidget* control)
{
    return HasPropInfo(control->metaObject(), QLatin1String(Property));
}

template <typename Handler> std::unique_ptr<TMRPropertyHandler> Scale(QWidget* control)
{
    return std::make_unique<Handler>(control);
}

template <const char* Property> std::unique_ptr<TMRPropertyHandler> ScaleFont(QWidget* control)
{
    return std::make_unique<TMRFont>(control, QLatin1String(Property));
}

constexpr char kFont[] = "Font";
constexpr char kTabFont[] = "TabFont";

struct HandlerRow {
    bool (*matches)(const QWidget* control);  // classes match their descendants too
    std::unique_ptr<TMRPropertyHandler> (*create)(QWidget* control);
};

using namespace controls;

// Every row that matches a control adds its handler, in this order, so a control can get several.
constexpr HandlerRow kHandlerRows[] = {
    {Has<kFont>, ScaleFont<kFont>},
    {IsOneOf<TListBox, TComboBox>, Scale<TMRItemHeight>},  // rows ItemHeight high
    {IsOneOf<TScrollBox>, Scale<TMRScrollBox>},
    {IsOneOf<TDrawGrid>, Scale<TMRDrawGrid>},
    {IsOneOf<TTabSet>, Scale<TMRTabSet>},
    {IsOneOf<TBitBtn, TSpeedButton>, Scale<TMRMarginSpacing>},  // glyph buttons
    {IsOneOf<TTabbedNotebook>, ScaleFont<kTabFont>},            // tabs with a font of their own
    {IsOneOf<TImage>, Scale<TMRStretch>},
    {IsOneOf<TLabel>, Scale<TMRAutoSize>},
    {IsOneOf<TPageControl, TTabControl>, Scale<TMRTab>},
    {IsOneOf<TStatusBar>, Scale<TMRStatusBar>},
    {IsOneOf<THeaderControl>, Scale<TMRHeaderControl>},
    {IsOneOf<TListView>, Scale<TMRListView>},
    {IsOneOf<TTreeView>, Scale<TMRTreeView>},
};

}  // namespace

TNoBDEResizerPanel::TNoBDEResizerPanel(QWidget* parent)
    : TCustomResizerPanel(parent)
{
    setControlHandlerClass(CreateControlHandler<TMRControlHandlerVCL>);
}

void TNoBDEResizerPanel::CreatePropertyHandlers(QWidget* control, TMRPropertyHandlerList& handlers)
{
    TCustomResizerPanel::CreatePropertyHandlers(control, handlers);
    for (const HandlerRow& row : kHandlerRows)
        if (row.matches(control))
            handlers.push_back(row.create(control));
}

}  // namespace resizer
