#include "forms/FormLoader.h"

#include "forms/CatalogueEntry.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"

#include <QBuffer>
#include <QHash>
#include <QMetaEnum>
#include <QMetaObject>
#include <QStringList>
#include <QWidget>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>

namespace forms {

namespace {

// A simple property value as the form writes it.
struct WrittenValue {
    QString text;          // "24", "display::hfmt12h", "hfmtBogus"
    QString name;          // as a component names it once given it: an enumeration's name loses its scope
    bool unknown = false;  // a name the component's enumeration lacks: it is given no value of it
};

// A value written to `property` of a widget of class `widgetClass` as `element` ("number", "enum").
WrittenValue Written(
    const QString& widgetClass, const QString& property, QStringView element, const QString& text)
{
    if (element != QLatin1String("enum"))
        return {text, text};
    const QString name = text.section(QLatin1String("::"), -1);
    const CatalogueEntry* entry = FindCatalogueEntry(widgetClass);
    if (!entry)
        return {text, name};
    const QMetaObject& meta = *entry->metaObject;
    bool known = false;
    meta.property(meta.indexOfProperty(property.toUtf8().constData()))
        .enumerator()
        .keyToValue(name.toUtf8().constData(), &known);
    return {text, name, !known};
}

// Each simple property value of each widget as the form writes it, by widget and property name, in
// the form's order: a property may be written twice, and two widgets may share a name.
QHash<QPair<QString, QString>, QList<WrittenValue>> ValuesAsWritten(const QByteArray& form)
{
    QHash<QPair<QString, QString>, QList<WrittenValue>> values;
    // The name and class of each widget the reader is inside, innermost last.
    QList<QPair<QString, QString>> widgets;
    QXmlStreamReader xml(form);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("widget"))
            widgets.removeLast();
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("widget")) {
            widgets.append({xml.attributes().value(QLatin1String("name")).toString(),
                xml.attributes().value(QLatin1String("class")).toString()});
        } else if (xml.name() == QLatin1String("property") && !widgets.isEmpty()) {
            const QString property = xml.attributes().value(QLatin1String("name")).toString();
            if (xml.readNextStartElement()) {
                const QString element = xml.name().toString();
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                values[{widgets.last().first, property}].append(
                    Written(widgets.last().second, property, element, text));
            }
        }
    }
    return values;
}

// A refused value, named `given` as the component names it, as the form writes it; taken from
// `written`, the values written to that property, since each write is refused once. It is the
// written value the component names the same way, else a name it lacks ("hfmtBogus", which it is
// given as -1).
QString AsWritten(const QString& given, QList<WrittenValue>& written)
{
    auto match = std::find_if(written.begin(), written.end(),
        [&given](const WrittenValue& candidate) { return candidate.name == given; });
    if (match == written.end())
        match = std::find_if(
            written.begin(), written.end(), [](const WrittenValue& candidate) { return candidate.unknown; });
    if (match == written.end())
        return given;
    QString text = match->text;
    written.erase(match);
    return text;
}

QString Messages(const std::vector<RefusedValue>& refused, const QByteArray& form)
{
    auto written = ValuesAsWritten(form);
    QStringList messages;
    for (RefusedValue value : refused) {
        value.value = AsWritten(value.value, written[{value.widget, value.property}]);
        messages << value.Message();
    }
    return messages.join(QLatin1Char('\n'));
}

}  // namespace

FormLoader::FormLoader(QObject* parent)
    : QUiLoader(parent)
{
}

QWidget* FormLoader::createWidget(const QString& className, QWidget* parent, const QString& name)
{
    const CatalogueEntry* entry = FindCatalogueEntry(className);
    if (!entry)
        return QUiLoader::createWidget(className, parent, name);
    const RefusalHandler refused = [list = std::weak_ptr(refused_)](const RefusedValue& value) {
        if (const auto refusals = list.lock())
            refusals->push_back(value);
        else
            value.Warn();
    };
    try {
        QWidget* widget = entry->create(parent, refused);
        widget->setObjectName(name);
        return widget;
    } catch (const std::exception& error) {
        // QUiLoader's code cannot take an exception; a widget it gets none of is left out.
        refused(RefusedValue{name, {}, {}, QString::fromStdString(error.what()), {}});
        return nullptr;
    }
}

QWidget* LoadForm(QIODevice& device, QWidget* parent)
{
    const QByteArray form = device.readAll();
    QBuffer buffer;
    buffer.setData(form);
    buffer.open(QIODevice::ReadOnly);
    FormLoader loader;
    std::unique_ptr<QWidget> loaded;
    try {
        framework::LayoutReading::Read([&] { loaded.reset(loader.load(&buffer, parent)); });
    } catch (const framework::Exception& error) {  // a component's Loaded
        throw framework::EReadError(QStringLiteral("The form cannot be read: %1").arg(error.Message()));
    }
    if (!loader.Refused().empty())
        throw framework::EReadError(
            QStringLiteral("The form cannot be read: %1").arg(Messages(loader.Refused(), form)));
    if (!loaded)
        throw framework::EReadError(QStringLiteral("The form cannot be read: %1").arg(loader.errorString()));
    return loaded.release();
}

}  // namespace forms
