#pragma once

#include "controls/Export.h"
#include "framework/Control.h"
#include "framework/Mouse.h"

#include <QLabel>

namespace controls {

// A plain text label that can size itself to its caption and be clicked.
class STUDIOCLOCK_CONTROLS_EXPORT TLabel : public QLabel, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TLabel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);

    // The size follows the caption once the layout is complete; until then the stored size holds.
    void AdjustAutoSize() override;
    void Loaded() override;

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnClick(QObject* sender);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    framework::ClickTracker clicks_;
};

}  // namespace controls
