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

}  // namespace

TNoBDEResizerPanel::TNoBDEResizerPanel(QWidget* parent)
    : TCustomResizerPanel(parent)
{
    controlHandlerClass_ = CreateControlHandler<TMRControlHandlerVCL>;
}

// Every row that matches adds one handler, in this order, so a control can get several. The
// classes of each row (descendants included):
//   1  any control with a design-time "Font"          TMRFont("Font")
//   2  TListBox, TComboBox (rows ItemHeight high)      TMRItemHeight
//   3  TScrollBox                                      TMRScrollBox
//   4  TDrawGrid                                       TMRDrawGrid
//   5  TTabSet                                         TMRTabSet
//   6  TBitBtn, TSpeedButton (glyph buttons)           TMRMarginSpacing
//   7  TTabbedNotebook (tabs with a font of their own) TMRFont("TabFont")
//   8  TImage                                          TMRStretch
//   9  TLabel                                          TMRAutoSize
//  10  TPageControl, TTabControl                       TMRTab
//  11  TStatusBar                                      TMRStatusBar
//  12  THeaderControl                                  TMRHeaderControl
//  13  TListView                                       TMRListView
//  14  TTreeView                                       TMRTreeView
void TNoBDEResizerPanel::CreatePropertyHandlers(QWidget* control, TMRPropertyHandlerList& handlers)
{
    using namespace controls;
    TCustomResizerPanel::CreatePropertyHandlers(control, handlers);
    if (HasPropInfo(control->metaObject(), QStringLiteral("Font")))
        handlers.push_back(std::make_unique<TMRFont>(control, QStringLiteral("Font")));
    if (IsOneOf<TListBox, TComboBox>(control))
        handlers.push_back(std::make_unique<TMRItemHeight>(control));
    if (IsOneOf<TScrollBox>(control))
        handlers.push_back(std::make_unique<TMRScrollBox>(control));
    if (IsOneOf<TDrawGrid>(control))
        handlers.push_back(std::make_unique<TMRDrawGrid>(control));
    if (IsOneOf<TTabSet>(control))
        handlers.push_back(std::make_unique<TMRTabSet>(control));
    if (IsOneOf<TBitBtn, TSpeedButton>(control))
        handlers.push_back(std::make_unique<TMRMarginSpacing>(control));
    if (IsOneOf<TTabbedNotebook>(control))
        handlers.push_back(std::make_unique<TMRFont>(control, QStringLiteral("TabFont")));
    if (IsOneOf<TImage>(control))
        handlers.push_back(std::make_unique<TMRStretch>(control));
    if (IsOneOf<TLabel>(control))
        handlers.push_back(std::make_unique<TMRAutoSize>(control));
    if (IsOneOf<TPageControl, TTabControl>(control))
        handlers.push_back(std::make_unique<TMRTab>(control));
    if (IsOneOf<TStatusBar>(control))
        handlers.push_back(std::make_unique<TMRStatusBar>(control));
    if (IsOneOf<THeaderControl>(control))
        handlers.push_back(std::make_unique<TMRHeaderControl>(control));
    if (IsOneOf<TListView>(control))
        handlers.push_back(std::make_unique<TMRListView>(control));
    if (IsOneOf<TTreeView>(control))
        handlers.push_back(std::make_unique<TMRTreeView>(control));
}

}  // namespace resizer
