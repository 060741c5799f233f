#include "controls/Panel.h"

#include "framework/Application.h"
#include "framework/Property.h"

#include <QChildEvent>
#include <QPainter>
#include <numeric>

namespace controls {

namespace {

constexpr int kBevelWidth = 1;

}  // namespace

struct TPanel::Private {
    QString caption;
};

TPanel::TPanel(QWidget* parent)
    : QWidget(parent)
    , framework::Control(this)
    , d(std::make_unique<Private>())
{
    setContentsMargins(kBevelWidth, kBevelWidth, kBevelWidth, kBevelWidth);
    // The panel paints its whole background itself, whatever the parent shows behind it.
    setAutoFillBackground(true);
}

TPanel::~TPanel() = default;

QString TPanel::Caption() const
{
    return d->caption;
}

void TPanel::setCaption(const QString& value)
{
    if (framework::SetIfChanged(d->caption, value))
        update();
}

void TPanel::Loaded()
{
    framework::Control::Loaded();
    AdjustAutoSize();
}

void TPanel::AdjustAutoSize()
{
    if (!AutoSize() || IsLoading() || Align() == framework::alClient)
        return;
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const QRect used
        = std::accumulate(children.begin(), children.end(), QRect(), [this](QRect sum, const QWidget* child) {
              return child->isWindow() || !child->isVisibleTo(this) ? sum : sum | child->geometry();
          });
    if (used.isEmpty())
        return;
    const QMargins margins = contentsMargins();
    QSize size(used.right() + 1 + margins.right(), used.bottom() + 1 + margins.bottom());
    if (Align() == framework::alTop || Align() == framework::alBottom)
        size.setWidth(width());
    if (Align() == framework::alLeft || Align() == framework::alRight)
        size.setHeight(height());
    if (size != this->size())
        resize(size);
}

void TPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
    if (!d->caption.isEmpty()) {
        painter.setPen(colours.color(QPalette::WindowText));
        painter.drawText(contentsRect(), Qt::AlignCenter, d->caption);
    }
}

void TPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    framework::Guarded(this, [this] { framework::AlignControls(this); });
}

void TPanel::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    if (event->type() == QEvent::ChildRemoved || event->type() == QEvent::ChildPolished)
        framework::Guarded(this, [this] { AdjustAutoSize(); });
}

}  // namespace controls
