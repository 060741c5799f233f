#include "forms/FormLoader.h"

#include "forms/FormComponents.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"

#include <QWidget>

namespace forms {

FormLoader::FormLoader(QObject* parent)
    : QUiLoader(parent)
{
}

QWidget* FormLoader::createWidget(const QString& className, QWidget* parent, const QString& name)
{
    const FormComponent* component = FindFormComponent(className);
    if (!component)
        return QUiLoader::createWidget(className, parent, name);
    QWidget* widget = component->create(parent);
    widget->setObjectName(name);
    return widget;
}

QWidget* LoadForm(QIODevice& device, QWidget* parent)
{
    FormLoader loader;
    QWidget* form = nullptr;
    framework::LayoutReading::Read([&] { form = loader.load(&device, parent); });
    if (!form)
        throw framework::EReadError(QStringLiteral("The form cannot be read: %1").arg(loader.errorString()));
    return form;
}

}  // namespace forms
