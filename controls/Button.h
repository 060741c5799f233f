#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QPushButton>

namespace controls {

// A push button; OnClick reaches its handler with errors contained.
class STUDIOCLOCK_CONTROLS_EXPORT TButton : public QPushButton, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
public:
    explicit TButton(QWidget* parent = nullptr);

    void setCaption(const QString& caption) { setText(caption); }

signals:
    void OnClick(QObject* sender);
};

}  // namespace controls
