#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QPushButton>
#include <QToolButton>

// Buttons showing a glyph beside their caption. Margin is the room between the left edge and the
// glyph, Spacing the room between glyph and caption, both in pixels; a Margin of -1 centres glyph
// and caption together, a Spacing of -1 centres the caption in the room after the glyph.
namespace controls {

// The glyph settings both buttons share; a change repaints the button.
class STUDIOCLOCK_CONTROLS_EXPORT GlyphPlacement {
public:
    int Margin() const { return margin_; }
    void setMargin(int value);
    int Spacing() const { return spacing_; }
    void setSpacing(int value);

protected:
    explicit GlyphPlacement(QWidget* button)
        : button_(button)
    {
    }

private:
    QWidget* button_;
    int margin_ = -1;
    int spacing_ = 4;
};

// The design-time properties of GlyphPlacement, for the buttons that inherit it.
#define CONTROLS_GLYPH_PLACEMENT_PROPERTIES            \
    Q_PROPERTY(int Margin READ Margin WRITE setMargin) \
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)

class STUDIOCLOCK_CONTROLS_EXPORT TBitBtn : public QPushButton,
                                            public framework::Control,
                                            public GlyphPlacement {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    CONTROLS_GLYPH_PLACEMENT_PROPERTIES
public:
    explicit TBitBtn(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A flat button that never takes the keyboard focus, as on a tool bar.
class STUDIOCLOCK_CONTROLS_EXPORT TSpeedButton : public QToolButton,
                                                 public framework::Control,
                                                 public GlyphPlacement {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    CONTROLS_GLYPH_PLACEMENT_PROPERTIES
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Where a glyph and a caption go inside `area`, by the rules above.
struct STUDIOCLOCK_CONTROLS_EXPORT GlyphLayout {
    QRect glyph;
    QRect caption;
};
STUDIOCLOCK_CONTROLS_EXPORT GlyphLayout LayOutGlyph(
    const QRect& area, QSize glyph, QSize caption, int margin, int spacing);

}  // namespace controls
