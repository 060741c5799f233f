#include "MRFont.h"

#include "Control.h"
#include "FontSize.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>

namespace resizer {

TMRFont::TMRFont(QWidget* control, const QString& propertyName)
    : TMRPropertyHandler(control)
    , propertyName_(propertyName)
    , fontProperty_(FindPropInfo(control->metaObject(), propertyName))
{
}

QFont TMRFont::Font() const
{
    return fontProperty_.read(control_).value<QFont>();
}

void TMRFont::SetFontSize(int points)
{
    QFont font = Font();
    framework::SetFontSize(font, points);
    fontProperty_.write(control_, font);
}

void TMRFont::CaptureRatios()
{
    const QSize client = framework::ClientSize(control_);
    CaptureRatiosFor(client.width(), client.height());
}

void TMRFont::CaptureRatiosFor(int width, int height)
{
    const auto size = static_cast<float>(framework::FontSize(Font()));
    if (static_cast<int>(size) == lastSize_ && !invalid_)
        return;
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    if (w == 0.0F || h == 0.0F) {
        invalid_ = true;
        return;
    }
    widthRatio_ = static_cast<float>(static_cast<long double>(size) / w);
    heightRatio_ = static_cast<float>(static_cast<long double>(size) / h);
    invalid_ = false;
}

void TMRFont::ApplyRatios()
{
    if (invalid_)
        return;
    const QSize client = framework::ClientSize(control_);
    const auto byWidth = static_cast<float>(static_cast<long double>(widthRatio_) * client.width());
    const auto byHeight = static_cast<float>(static_cast<long double>(heightRatio_) * client.height());
    // Truncated toward zero; a float beyond the int range cannot be a font size.
    SetFontSize(static_cast<int>(std::min({byWidth, byHeight, 32767.0F})));
    if (framework::FontSize(Font()) == 0)
        SetFontSize(1);
    lastSize_ = framework::FontSize(Font());
}

QString TMRFont::CheckSettings() const
{
    // The family and style the font really resolves to on this system.
    const QFontInfo resolved(Font());
    return QFontDatabase::isScalable(resolved.family(), resolved.styleName())
        ? QString()
        : QStringLiteral("Not a vector font. ");
}

}  // namespace resizer
