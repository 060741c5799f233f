#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QLabel>

namespace controls {

// Shows a picture; with Stretch the picture fills the control, otherwise it keeps its own size.
class STUDIOCLOCK_CONTROLS_EXPORT TImage : public QLabel, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
public:
    explicit TImage(QWidget* parent = nullptr);

    QPixmap Picture() const { return pixmap(); }
    void setPicture(const QPixmap& value) { setPixmap(value); }
    bool Stretch() const { return hasScaledContents(); }
    void setStretch(bool value) { setScaledContents(value); }
};

}  // namespace controls
