#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

class QFont;

namespace resizer {

// Scales the size of a font-valued property ("Font", "TabFont") with the control's client area.
// The size follows whichever of the width and height proportions gives the smaller font, and
// never drops below one point.
class STUDIOCLOCK_RESIZER_EXPORT TMRFont : public TMRPropertyHandler {
public:
    TMRFont(QWidget* control, const QString& propertyName);

    void CaptureRatios() override;
    // The same capture against a given size instead of the control's client size.
    void CaptureRatiosFor(int width, int height);
    void ApplyRatios() override;
    // "Not a vector font" when the font is a bitmap font that cannot take arbitrary sizes.
    QString CheckSettings() const override;

    QString PropertyName() const { return propertyName_; }
    int LastSize() const { return byWidth_.last; }
    float WidthRatio() const { return byWidth_.ratio; }
    float HeightRatio() const { return byHeight_.ratio; }

private:
    // Qt fonts are values: the handler keeps the property and reads the font through it.
    QFont Font() const;
    void SetFontSize(int points);

    QString propertyName_;
    QMetaProperty fontProperty_;
    // The size as a length of the client width and as one of its height; both note the size last
    // applied.
    TMRLength byWidth_;
    TMRLength byHeight_;
};

}  // namespace resizer
