#include "tools/designer/ComponentWidget.h"

#include "framework/Component.h"

#include <QPixmap>
#include <QWidget>

ComponentWidget::ComponentWidget(Description description, QObject* parent)
    : QObject(parent)
    , description_(std::move(description))
{
}

QString ComponentWidget::group() const
{
    return QStringLiteral("Studio Clock");
}

// The component drawn at its default settings, so the widget box shows what it places.
QIcon ComponentWidget::icon() const
{
    QWidget host;
    QWidget* sample = CreateDesigned(&host);
    sample->resize(description_.size);
    return QIcon(sample->grab().scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QWidget* ComponentWidget::createWidget(QWidget* parent)
{
    return CreateDesigned(parent);
}

QWidget* ComponentWidget::CreateDesigned(QWidget* parent) const
{
    QWidget* widget = description_.create(parent);
    if (auto* component = dynamic_cast<framework::Component*>(widget))
        component->SetDesigning(true);
    return widget;
}

QString ComponentWidget::domXml() const
{
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
                          "<height>%4</height></rect></property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(description_.className, description_.objectName)
        .arg(description_.size.width())
        .arg(description_.size.height());
}
