// NoBDERP: TNoBDEResizerPanel, the resizer panel placed on forms, with its handler factory.
#pragma once

#include "resizer/CustomRP.h"
#include "resizer/Export.h"

namespace resizer {

// The resizer panel placed on windows: its control handlers cope with paged containers and
// font-height edits, and its factory gives each control the property handlers its class needs.
class STUDIOCLOCK_RESIZER_EXPORT TNoBDEResizerPanel : public TCustomResizerPanel {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE setActive STORED true)
public:
    explicit TNoBDEResizerPanel(QWidget* parent = nullptr);

protected:
    void CreatePropertyHandlers(QWidget* control, TMRPropertyHandlerList& handlers) override;
};

}  // namespace resizer
