#include "controls/GlyphButtons.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace controls {

namespace {

// Draws the glyph and the caption of `button` over a frame the style has already drawn.
void PaintGlyphAndCaption(
    QAbstractButton* button, QPainter& painter, const QRect& area, int margin, int spacing)
{
    const QSize glyph = button->icon().isNull() ? QSize() : button->iconSize();
    const QSize caption = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const GlyphLayout layout = LayOutGlyph(area, glyph, caption, margin, spacing);
    if (!glyph.isEmpty())
        button->icon().paint(
            &painter, layout.glyph, Qt::AlignCenter, button->isEnabled() ? QIcon::Normal : QIcon::Disabled);
    painter.setPen(button->palette().color(QPalette::ButtonText));
    painter.drawText(layout.caption, Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
}

}  // namespace

GlyphLayout LayOutGlyph(const QRect& area, QSize glyph, QSize caption, int margin, int spacing)
{
    const int free = area.width() - glyph.width() - caption.width();
    if (glyph.isEmpty())
        spacing = 0;
    if (margin < 0 && spacing < 0)
        margin = spacing = free / 3;  // glyph and caption spread evenly
    else if (margin < 0)
        margin = (free - spacing) / 2;
    else if (spacing < 0)
        spacing = (free - margin) / 2;
    const int glyphLeft = area.left() + margin;
    const int captionLeft = glyphLeft + glyph.width() + spacing;
    return {QRect(QPoint(glyphLeft, area.center().y() - glyph.height() / 2), glyph),
        QRect(QPoint(captionLeft, area.center().y() - caption.height() / 2), caption)};
}

void GlyphPlacement::setMargin(int value)
{
    margin_ = value;
    button_->update();
}

void GlyphPlacement::setSpacing(int value)
{
    spacing_ = value;
    button_->update();
}

TBitBtn::TBitBtn(QWidget* parent)
    : QPushButton(parent)
    , framework::Control(this)
    , GlyphPlacement(this)
{
}

void TBitBtn::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);
    PaintGlyphAndCaption(this, painter, style()->subElementRect(QStyle::SE_PushButtonContents, &option, this),
        Margin(), Spacing());
}

TSpeedButton::TSpeedButton(QWidget* parent)
    : QToolButton(parent)
    , framework::Control(this)
    , GlyphPlacement(this)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void TSpeedButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    PaintGlyphAndCaption(this, painter, rect().adjusted(2, 2, -2, -2), Margin(), Spacing());
}

}  // namespace controls
