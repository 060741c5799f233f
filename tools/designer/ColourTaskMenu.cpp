#include "tools/designer/ColourTaskMenu.h"

#include "framework/Color.h"

#include <QAction>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMetaProperty>
#include <QPixmap>
#include <QPushButton>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

namespace {

// Colour properties are typed as plain numbers, so they are known by their names:
// Color, FontColor, HoursColor, ColorShadow, TickOutline and the like.
QStringList ColourProperties(const QObject& object)
{
    QStringList names;
    const QMetaObject* meta = object.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        const QString name = QString::fromLatin1(property.name());
        if (property.metaType() == QMetaType::fromType<framework::TColor>() && property.isWritable()
            && (name.contains(QLatin1String("Color")) || name.endsWith(QLatin1String("Outline"))))
            names << name;
    }
    return names;
}

QIcon Swatch(framework::TColor colour)
{
    QPixmap swatch(16, 16);
    swatch.fill(framework::ToQColor(colour));
    return QIcon(swatch);
}

}  // namespace

ColourTaskMenu::ColourTaskMenu(QWidget* widget, QObject* parent)
    : QObject(parent)
    , widget_(widget)
    , editColours_(new QAction(tr("Edit Colours..."), this))
{
    connect(editColours_, &QAction::triggered, this, &ColourTaskMenu::EditColours);
}

void ColourTaskMenu::EditColours()
{
    if (!widget_)
        return;
    QDialog dialog(widget_->window());
    dialog.setWindowTitle(tr("Colours of %1").arg(widget_->objectName()));
    auto* layout = new QFormLayout(&dialog);
    for (const QString& name : ColourProperties(*widget_)) {
        auto* button = new QPushButton(tr("Choose..."), &dialog);
        button->setIcon(Swatch(widget_->property(qPrintable(name)).toInt()));
        connect(button, &QPushButton::clicked, &dialog, [this, name, button] {
            PickColour(name, button);
            if (widget_)
                button->setIcon(Swatch(widget_->property(qPrintable(name)).toInt()));
        });
        layout->addRow(name, button);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    dialog.exec();
}

void ColourTaskMenu::PickColour(const QString& property, QWidget* dialog)
{
    if (!widget_)
        return;
    const framework::TColor current = widget_->property(qPrintable(property)).toInt();
    const QColor picked = QColorDialog::getColor(framework::ToQColor(current), dialog, property);
    if (!picked.isValid() || !widget_)
        return;  // cancelled, or the component was deleted meanwhile
    const QVariant value(framework::FromQColor(picked));
    if (QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(widget_))
        form->cursor()->setWidgetProperty(widget_, property, value);
    else
        widget_->setProperty(qPrintable(property), value);
}

ColourTaskMenuFactory::ColourTaskMenuFactory(QString className, QExtensionManager* parent)
    : QExtensionFactory(parent)
    , className_(std::move(className))
{
}

QObject* ColourTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || iid != Q_TYPEID(QDesignerTaskMenuExtension)
        || QLatin1String(object->metaObject()->className()) != className_
        || ColourProperties(*object).isEmpty())
        return nullptr;
    return new ColourTaskMenu(widget, parent);
}
