#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QPushButton>

namespace controls {

// A push button that raises OnClick when clicked.
class STUDIOCLOCK_CONTROLS_EXPORT TButton : public QPushButton, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
public:
    explicit TButton(QWidget* parent = nullptr);

    void setCaption(const QString& caption) { setText(caption); }

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnClick(QObject* sender);
};

}  // namespace controls
