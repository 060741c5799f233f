#pragma once

#include "framework/Control.h"
#include "framework/Mouse.h"

#include <QLabel>

namespace controls {

// A plain text label that can size itself to its caption and be clicked.
class TLabel : public QLabel, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TLabel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool value);

    void Loaded() override;

signals:
    void OnClick(QObject* sender);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AdjustBounds();

    bool autoSize_ = true;
    framework::ClickTracker clicks_;
};

}  // namespace controls
