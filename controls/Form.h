#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QWidget>

namespace controls {

// A top-level window built from a stored layout. A form class reads its layout in its constructor
// (inside LayoutReading::Read, with the form as root); Application::CreateForm then calls
// AfterConstruction, which raises OnCreate once every control has loaded.
class STUDIOCLOCK_CONTROLS_EXPORT TForm : public QWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(framework::TPosition Position READ Position WRITE setPosition)
public:
    explicit TForm(QWidget* parent = nullptr);

    framework::TPosition Position() const { return position_; }
    void setPosition(framework::TPosition value) { position_ = framework::CheckedEnum(value); }

    // Raises OnCreate.
    virtual void AfterConstruction();

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnCreate(QObject* sender);
    // The form has accepted a close request and is gone from the screen.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    framework::TPosition position_ = framework::poDesigned;
    bool placed_ = false;
};

}  // namespace controls
