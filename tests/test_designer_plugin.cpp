// The Qt Designer plugin as Designer loads it: from the built module, through QPluginLoader.
#include "display/vrLedClock.h"
#include "framework/Component.h"
#include "tests/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

namespace {

// The class of the one widget of a domXml and the header it names, or empty ones when the XML
// does not parse.
QStringList ClassAndHeaderOf(const QString& domXml)
{
    QXmlStreamReader xml(domXml);
    QString widgetClass;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("widget"))
            widgetClass = xml.attributes().value(QLatin1String("class")).toString();
        else if (xml.name() == QLatin1String("header"))
            return xml.hasError() ? QStringList() : QStringList{widgetClass, xml.readElementText()};
    }
    return {};
}

// What the plugin sees of Designer: its extension manager.
class Designer : public QDesignerFormEditorInterface {
public:
    Designer() { setExtensionManager(new QExtensionManager(this)); }
};

}  // namespace

class DesignerPluginTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        loader_.setFileName(QStringLiteral(STUDIO_CLOCK_DESIGNER_PLUGIN));
        QVERIFY2(loader_.load(), qPrintable(loader_.errorString()));
        collection_ = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader_.instance());
        QVERIFY(collection_);
    }

    void theCollectionOffersTheThreeComponentsInOneGroup()
    {
        const struct {
            const char* name;
            const char* header;
            bool container;
        } expected[] = {
            {"display::TVrLedClock", "display/vrLedClock.h", false},
            {"display::TVrLabel", "display/VrLabel.h", false},
            {"resizer::TNoBDEResizerPanel", "resizer/NoBDERP.h", true},
        };
        const auto widgets = collection_->customWidgets();
        QCOMPARE(widgets.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QDesignerCustomWidgetInterface* widget = widgets[i];
            QCOMPARE(widget->name(), QLatin1String(expected[i].name));
            QCOMPARE(widget->includeFile(), QLatin1String(expected[i].header));
            QCOMPARE(widget->isContainer(), expected[i].container);
            QCOMPARE(widget->group(), widgets[0]->group());
            QVERIFY(!widget->toolTip().isEmpty());
            QVERIFY(!widget->icon().isNull());
            QCOMPARE(
                ClassAndHeaderOf(widget->domXml()), QStringList({widget->name(), widget->includeFile()}));
        }
    }

    // Before Designer initialises the plugin (below): a program's QUiLoader never does.
    void aProgramsQUiLoaderWithThePluginMakesRunningComponents()
    {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QFileInfo(QStringLiteral(STUDIO_CLOCK_DESIGNER_PLUGIN)).absolutePath());
        QFile file(QStringLiteral(STUDIO_CLOCK_EXAMPLE_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::unique_ptr<QWidget> form(loader.load(&file));
        QVERIFY2(form, qPrintable(loader.errorString()));
        const auto* clock = form->findChild<display::TVrLedClock*>();
        QVERIFY(clock && !clock->IsDesigning());
        QCOMPARE(clock->HoursColor(), framework::clLime);
    }

    void whatDesignerCreatesIsBeingDesignedAndNeverTicks()
    {
        Designer designer;
        QWidget form;
        for (QDesignerCustomWidgetInterface* widget : collection_->customWidgets()) {
            widget->initialize(&designer);
            QWidget* created = widget->createWidget(&form);
            QCOMPARE(created->metaObject()->className(), qPrintable(widget->name()));
            auto* component = dynamic_cast<framework::Component*>(created);
            QVERIFY(component && component->IsDesigning());
        }
        // The plugin and this program share the component libraries, so they share one class.
        QWidget* clock = form.findChildren<QWidget*>().constFirst();
        QVERIFY(qobject_cast<display::TVrLedClock*>(clock));
        QSignalSpy seconds(clock, SIGNAL(OnSecondsChanged(QObject*, quint16)));
        QVERIFY(clock->setProperty("Active", true));
        form.show();
        QTest::qWait(1500);
        QCOMPARE(seconds.count(), 0);
        QVERIFY(clock->property("Active").toBool());

        // Its colours, kept as numbers, are edited with a colour dialog from the context menu.
        const auto* menu = qt_extension<QDesignerTaskMenuExtension*>(designer.extensionManager(), clock);
        QVERIFY(menu && menu->taskActions().size() == 1);
        QVERIFY(!qt_extension<QDesignerTaskMenuExtension*>(designer.extensionManager(), &form));

        // Designer names each new label; its caption follows the name until someone sets it.
        QWidget* label = form.findChildren<QWidget*>().at(1);
        label->setObjectName(QStringLiteral("vrLabel_2"));
        QCOMPARE(label->property("Caption").toString(), QStringLiteral("vrLabel_2"));
        label->setProperty("Caption", QStringLiteral("ON AIR"));
        label->setObjectName(QStringLiteral("onAir"));
        QCOMPARE(label->property("Caption").toString(), QStringLiteral("ON AIR"));
    }

private:
    QPluginLoader loader_;
    QDesignerCustomWidgetCollectionInterface* collection_ = nullptr;
};

STUDIO_CLOCK_TEST_MAIN(DesignerPluginTest)
#include "test_designer_plugin.moc"
