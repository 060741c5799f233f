#pragma once

#include "ControlHandler.h"

namespace resizer {

// A control handler that also copes with containers showing one page at a time and with controls
// whose height follows their font. The Qt classes standing for those kinds:
//
// - paged container: QTabWidget, whose active page is its current widget;
// - page-list container: QToolBox, whose page list is its items and whose current page is the
//   item at its current index;
// - page: a widget that is one of the pages of either;
// - notebook: QStackedWidget, whose setCurrentIndex raises, shows and fits the chosen page to its
//   client area and hides the one shown before;
// - font-height control: framework::TEdit, a single-line edit whose height follows its font: it
//   refuses the scaled height, so its font is made to fit that height instead.
//
// A page that is not current is only fitted to its container when it is shown, so pages take the
// bounds of the current one: a page scales from the place it will really have.
class TMRControlHandlerVCL : public TMRControlHandler {
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
