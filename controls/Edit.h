#pragma once

#include "framework/Control.h"

#include <QLineEdit>

namespace controls {

// A single-line text edit. With AutoSize its height is the one its font needs, whoever sizes it.
class TEdit : public QLineEdit, public framework::Control {
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
