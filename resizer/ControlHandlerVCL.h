#pragma once

#include "resizer/ControlHandler.h"
#include "resizer/Export.h"

namespace resizer {

// A control handler that also copes with containers showing one page at a time and with controls
// whose height follows their font. The Qt classes standing for those kinds:
//
// - paged container: QTabWidget, whose active page is its current widget;
// - page-list container: QToolBox, whose page list is its items and whose current page is the
//   item at its current index;
// - page: a widget that is one of the pages of either;
// - notebook: QStackedWidget, which shows one page at a time, fitted to its client area;
// - font-height control: controls::TEdit, a single-line edit whose height follows its font: it
//   refuses the scaled height, so its font is made to fit that height instead.
//
// Qt fits a page to its container only when the page becomes current, and lays a container out
// only while it is shown. So a container is laid out, every page fitted, before its pages are
// captured and again once it has its new size and fonts, and pages take the bounds of the current
// one: a page, shown or hidden, scales from the place it really has.
class STUDIOCLOCK_RESIZER_EXPORT TMRControlHandlerVCL : public TMRControlHandler {
public:
    using TMRControlHandler::TMRControlHandler;

protected:
    void CaptureBounds(int width, int height) override;
    void ApplyBounds(framework::TRect& rect) override;
    void ApplyProperties() override;

private:
    void FitFontToHeight();
};

}  // namespace resizer
