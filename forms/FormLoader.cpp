#include "forms/FormLoader.h"

#include "forms/CatalogueEntry.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"

#include <QBuffer>
#include <QHash>
#include <QStringList>
#include <QWidget>
#include <QXmlStreamReader>
#include <memory>

namespace forms {

namespace {

// Each simple property value of each widget as the form writes it ("hfmtBogus" for an enumeration
// value that has no name, which reaches the component as -1), by widget and property name.
QHash<QPair<QString, QString>, QString> ValuesAsWritten(const QByteArray& form)
{
    QHash<QPair<QString, QString>, QString> values;
    QStringList widgets;  // the widgets the reader is inside, innermost last
    QXmlStreamReader xml(form);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("widget"))
            widgets.removeLast();
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("widget")) {
            widgets << xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.name() == QLatin1String("property") && !widgets.isEmpty()) {
            const QString property = xml.attributes().value(QLatin1String("name")).toString();
            if (xml.readNextStartElement())
                values.insert({widgets.last(), property},
                    xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed());
        }
    }
    return values;
}

QString Messages(const std::vector<RefusedValue>& refused, const QByteArray& form)
{
    const auto written = ValuesAsWritten(form);
    QStringList messages;
    for (RefusedValue value : refused) {
        const QString text = written.value({value.widget, value.property});
        if (!text.isEmpty())
            value.value = text;
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
