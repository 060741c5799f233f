#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QLineEdit>

namespace controls {

// A single-line text edit. With AutoSize its height is the one its font needs, whoever sizes it.
class STUDIOCLOCK_CONTROLS_EXPORT TEdit : public QLineEdit, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TEdit(QWidget* parent = nullptr);

    void AdjustAutoSize() override;

protected:
    void changeEvent(QEvent* event) override;
};

}  // namespace controls
