#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TControlScrollBar;
}

// Handlers that scale single integer properties of a control: tab sizes, item heights, tree
// indentation, margins, scroll ranges.
namespace resizer {

// Keeps a fixed set of integer properties, each in proportion to the control's client width or
// height. Ratios are taken again only when a value differs from the one last applied.
class STUDIOCLOCK_RESIZER_EXPORT TMRScaledProperties : public TMRPropertyHandler {
public:
    void CaptureRatios() override;
    void ApplyRatios() override;

protected:
    enum class Axis { Width, Height };
    struct Scaled {
        const char* name;
        Axis axis;
    };
    // Looks the properties up, in this order, once.
    TMRScaledProperties(QWidget* control, std::initializer_list<Scaled> properties);

    // Whether somebody else changed a value since the last apply, or the handler holds no ratios.
    virtual bool Changed() const;
    // The value of property `index` as the handler measures it, and setting it.
    virtual int Read(std::size_t index) const;
    virtual void Write(std::size_t index, int value);
    // The value to set for `scaled`, the remembered length at the new client size.
    virtual int NewValue(std::size_t index, int scaled) const;

private:
    static int Dimension(const QSize& client, Axis axis);

    struct Entry {
        QMetaProperty property;
        Axis axis;
        TMRLength length;
    };
    std::vector<Entry> entries_;
};

// "TabWidth" and "TabHeight", as 16-bit values: a size of 0 (the caption's own) stays 0, and a
// scaled size never drops to 0.
class STUDIOCLOCK_RESIZER_EXPORT TMRTab : public TMRScaledProperties {
public:
    explicit TMRTab(QWidget* control);

protected:
    int Read(std::size_t index) const override;
    int NewValue(std::size_t index, int scaled) const override;
};

// "Indent" of a tree, with the width.
class STUDIOCLOCK_RESIZER_EXPORT TMRTreeView : public TMRScaledProperties {
public:
    explicit TMRTreeView(QWidget* control);
};

// "ItemHeight" of a list, with the height.
class STUDIOCLOCK_RESIZER_EXPORT TMRItemHeight : public TMRScaledProperties {
public:
    explicit TMRItemHeight(QWidget* control);
};

// "TabHeight" with the height, "StartMargin" and "EndMargin" with the width.
class STUDIOCLOCK_RESIZER_EXPORT TMRTabSet : public TMRScaledProperties {
public:
    explicit TMRTabSet(QWidget* control);
};

// "Margin" and "Spacing" with the width; while Margin is -1 (glyph and caption centred) neither
// is touched.
class STUDIOCLOCK_RESIZER_EXPORT TMRMarginSpacing : public TMRScaledProperties {
public:
    explicit TMRMarginSpacing(QWidget* control);
    void CaptureRatios() override;
};

// The scrolled lengths ("HorzScrollBar", "VertScrollBar" ranges) with the width and height. Every
// capture scrolls back to the start first, so contents are measured from where they really are.
class STUDIOCLOCK_RESIZER_EXPORT TMRScrollBox : public TMRScaledProperties {
public:
    explicit TMRScrollBox(QWidget* control);
    void CaptureRatios() override;

protected:
    int Read(std::size_t index) const override;
    void Write(std::size_t index, int value) override;

private:
    std::vector<controls::TControlScrollBar*> bars_;  // the control's, not owned
};

}  // namespace resizer
