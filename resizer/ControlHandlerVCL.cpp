#include "resizer/ControlHandlerVCL.h"

#include "controls/Edit.h"
#include "framework/Control.h"
#include "framework/FontSize.h"
#include "resizer/PageLayout.h"

#include <QTabWidget>
#include <QToolBox>
#include <algorithm>

namespace resizer {

namespace {

// The tab widget `page` is a page of (its pages sit in the tab widget's own stack), or null.
QTabWidget* PagedContainerOf(const QWidget* page)
{
    const QWidget* stack = page->parentWidget();
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

// The tool box `page` is an item of (each item sits in a scroll area of the tool box), or null.
QToolBox* PageListContainerOf(const QWidget* page)
{
    for (QWidget* ancestor = page->parentWidget(); ancestor; ancestor = ancestor->parentWidget())
        if (auto* toolBox = qobject_cast<QToolBox*>(ancestor))
            return toolBox->indexOf(page) >= 0 ? toolBox : nullptr;
    return nullptr;
}

QWidget* CurrentPage(const QToolBox* toolBox)
{
    return toolBox->widget(toolBox->currentIndex());
}

void EmptyCurrentPage(const QToolBox* toolBox)
{
    if (QWidget* page = CurrentPage(toolBox))
        page->setGeometry(0, 0, 0, 0);
}

bool IsFontHeightControl(const QWidget* control)
{
    return qobject_cast<const controls::TEdit*>(control)
        && HasPropInfo(control->metaObject(), QStringLiteral("Font"));
}

}  // namespace

void TMRControlHandlerVCL::CaptureBounds(int width, int height)
{
    QWidget* control = Control();
    if (const QTabWidget* tabs = PagedContainerOf(control); tabs && tabs->currentWidget())
        control->setGeometry(tabs->currentWidget()->geometry());
    if (const QToolBox* toolBox = PageListContainerOf(control); toolBox && CurrentPage(toolBox))
        control->setGeometry(CurrentPage(toolBox)->geometry());
    if (const auto* toolBox = qobject_cast<QToolBox*>(control))
        EmptyCurrentPage(toolBox);
    // Its pages are captured next, against the room it keeps for them.
    LayOutPages(control);
    TMRControlHandler::CaptureBounds(width, height);
}

void TMRControlHandlerVCL::ApplyBounds(framework::TRect& rect)
{
    TMRControlHandler::ApplyBounds(rect);
    QWidget* control = Control();
    if (IsFontHeightControl(control))
        FitFontToHeight();
    if (const QTabWidget* tabs = PagedContainerOf(control); tabs && tabs->currentWidget()) {
        tabs->currentWidget()->setGeometry(framework::ToQRect(rect));
        control->setGeometry(tabs->currentWidget()->geometry());
    }
    if (const QToolBox* toolBox = PageListContainerOf(control); toolBox && CurrentPage(toolBox))
        control->setGeometry(CurrentPage(toolBox)->geometry());
}

void TMRControlHandlerVCL::ApplyProperties()
{
    TMRControlHandler::ApplyProperties();
    QWidget* control = Control();
    if (const QTabWidget* tabs = PagedContainerOf(control); tabs && tabs->currentWidget())
        control->setGeometry(tabs->currentWidget()->geometry());
    if (const auto* toolBox = qobject_cast<QToolBox*>(control))
        EmptyCurrentPage(toolBox);
    // Its size and fonts are final now; its pages, applied next, scale against the room they leave.
    LayOutPages(control);
}

// The font's pixel height becomes the scaled control height less the control's own margin
// around the text, so the edit reaches its scaled height instead of keeping its font's.
void TMRControlHandlerVCL::FitFontToHeight()
{
    QWidget* control = Control();
    const QMetaProperty property = FindPropInfo(control->metaObject(), QStringLiteral("Font"));
    auto font = property.read(control).value<QFont>();
    const int textHeight = font.pixelSize() > 0
        ? font.pixelSize()
        : framework::FontSize(font) * framework::PixelsPerInch() / framework::kPointsPerInch;
    const int extra = control->height() - textHeight;
    const int parentHeight = framework::ClientSize(control->parentWidget()).height();
    const int scaled = ScaledLength(HeightRatio(), parentHeight, Rounding::ToNearest);
    font.setPixelSize(std::max(1, scaled - extra));
    property.write(control, font);
}

}  // namespace resizer
