#include "tools/designer/ComponentWidget.h"

#include "framework/Component.h"
#include "tools/designer/ColourTaskMenu.h"
#include "tools/designer/RefusalNotice.h"

#include <QExtensionManager>
#include <QPixmap>
#include <QWidget>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>

ComponentWidget::ComponentWidget(const forms::CatalogueEntry& entry, RefusalNotice& notice, QObject* parent)
    : QObject(parent)
    , entry_(entry)
    , notice_(notice)
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
    QWidget* sample = Create(&host, true);
    sample->resize(entry_.size);
    return QIcon(sample->grab().scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ComponentWidget::initialize(QDesignerFormEditorInterface* core)
{
    if (designing_)
        return;
    designing_ = true;
    designer_ = core;
    notice_.SetDesigner(core);
    if (QExtensionManager* extensions = core ? core->extensionManager() : nullptr) {
        extensions->registerExtensions(
            new ColourTaskMenuFactory(entry_.className, extensions), Q_TYPEID(QDesignerTaskMenuExtension));
    }
}

QWidget* ComponentWidget::createWidget(QWidget* parent)
{
    QWidget* widget = Create(parent, designing_);
    SaveCaptionThatFollowsName(widget);
    return widget;
}

// A label's caption follows its name while nobody has typed one, and is part of the form: Designer
// saves only the properties it has seen change, so it is told the caption did.
void ComponentWidget::SaveCaptionThatFollowsName(QWidget* widget) const
{
    if (!designer_ || widget->metaObject()->indexOfProperty("Caption") < 0)
        return;
    connect(widget, &QObject::objectNameChanged, widget, [designer = designer_, widget](const QString& name) {
        auto* sheet = designer
            ? qt_extension<QDesignerPropertySheetExtension*>(designer->extensionManager(), widget)
            : nullptr;
        const int caption = sheet ? sheet->indexOf(QStringLiteral("Caption")) : -1;
        if (caption >= 0 && widget->property("Caption").toString() == name)
            sheet->setChanged(caption, true);
    });
}

QWidget* ComponentWidget::Create(QWidget* parent, bool designing) const
{
    QWidget* widget = entry_.create(parent, notice_.Handler());
    if (auto* component = dynamic_cast<framework::Component*>(widget))
        component->SetDesigning(designing);
    return widget;
}

QString ComponentWidget::domXml() const
{
    return QStringLiteral(R"(<ui language="c++">
 <widget class="%1" name="%2">
  <property name="geometry"><rect><x>0</x><y>0</y><width>%4</width><height>%5</height></rect></property>
 </widget>
 <customwidgets>
  <customwidget><class>%1</class><extends>QWidget</extends><header>%3</header></customwidget>
 </customwidgets>
</ui>
)")
        .arg(entry_.className, entry_.objectName, entry_.includeFile)
        .arg(entry_.size.width())
        .arg(entry_.size.height());
}
