#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QWidget>
#include <memory>

namespace controls {

// A plain container: a raised one-pixel bevel, an optional centred caption, and alignment of the
// controls placed on it. Its client area is its whole rectangle; the bevel only narrows the room
// docked controls get.
class STUDIOCLOCK_CONTROLS_EXPORT TPanel : public QWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TPanel(QWidget* parent = nullptr);
    ~TPanel() override;

    QString Caption() const;
    void setCaption(const QString& value);

    // With AutoSize, shrinks or grows the panel to just hold its controls, in the dimensions its
    // alignment leaves free (both when free, the height when docked top or bottom, the width when
    // docked left or right, neither when it fills its parent).
    void AdjustAutoSize() override;
    void Loaded() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace controls
