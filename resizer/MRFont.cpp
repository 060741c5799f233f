#include "resizer/MRFont.h"

#include "framework/Control.h"
#include "framework/FontSize.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>
#include <algorithm>

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
    const int size = framework::FontSize(Font());
    if (size == LastSize() && !invalid_)
        return;
    if (width == 0 || height == 0) {
        invalid_ = true;
        return;
    }
    byWidth_.Take(size, width);
    byHeight_.Take(size, height);
    invalid_ = false;
}

void TMRFont::ApplyRatios()
{
    if (invalid_)
        return;
    constexpr int kLargestSize = 32767;
    const QSize client = framework::ClientSize(control_);
    SetFontSize(std::min({byWidth_.For(client.width()), byHeight_.For(client.height()), kLargestSize}));
    if (framework::FontSize(Font()) == 0)
        SetFontSize(1);
    byWidth_.last = byHeight_.last = framework::FontSize(Font());
}

QString TMRFont::CheckSettings() const
{
    // The family and style the font really resolves to on this system.
    const QFontInfo resolved(Font());
    return QFontDatabase::isScalable(resolved.family(), resolved.styleName())
        ? QString()
        : QStringLiteral("Not a vector font");
}

}  // namespace resizer
