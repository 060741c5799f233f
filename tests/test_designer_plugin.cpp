// The Qt Designer plugin as Designer loads it: from the built module, through QPluginLoader.
#include "display/vrLedClock.h"
#include "framework/Component.h"
#include "tests/TestMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPluginLoader>
#include <QScreen>
#include <QSignalSpy>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>
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

// Designer's property sheet as far as the plugin uses it: the properties and which of them Designer
// counts as changed, which are those it saves.
class PropertySheet : public QObject, public QDesignerPropertySheetExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension)
public:
    PropertySheet(QObject* object, QObject* parent)
        : QObject(parent)
        , meta_(*object->metaObject())
        , object_(object)
    {
    }
    int count() const override { return meta_.propertyCount(); }
    int indexOf(const QString& name) const override { return meta_.indexOfProperty(qPrintable(name)); }
    QString propertyName(int index) const override { return QLatin1String(meta_.property(index).name()); }
    QString propertyGroup(int /*index*/) const override { return {}; }
    void setPropertyGroup(int /*index*/, const QString& /*group*/) override { }
    bool hasReset(int /*index*/) const override { return false; }
    bool reset(int /*index*/) override { return false; }
    bool isVisible(int /*index*/) const override { return true; }
    void setVisible(int /*index*/, bool /*visible*/) override { }
    bool isAttribute(int /*index*/) const override { return false; }
    void setAttribute(int /*index*/, bool /*attribute*/) override { }
    QVariant property(int index) const override { return meta_.property(index).read(object_); }
    void setProperty(int index, const QVariant& value) override
    {
        meta_.property(index).write(object_, value);
    }
    bool isChanged(int index) const override { return changed_.contains(index); }
    void setChanged(int index, bool changed) override
    {
        changed ? void(changed_.insert(index)) : void(changed_.remove(index));
    }
    bool isEnabled(int /*index*/) const override { return true; }

private:
    const QMetaObject& meta_;
    QObject* object_;
    QSet<int> changed_;
};

class PropertySheetFactory : public QExtensionFactory {
public:
    using QExtensionFactory::QExtensionFactory;

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override
    {
        return iid == Q_TYPEID(QDesignerPropertySheetExtension) ? new PropertySheet(object, parent) : nullptr;
    }
};

// What the plugin sees of Designer: its extension manager, with property sheets.
class Designer : public QDesignerFormEditorInterface {
public:
    Designer()
    {
        setExtensionManager(new QExtensionManager(this));
        extensionManager()->registerExtensions(
            new PropertySheetFactory(extensionManager()), Q_TYPEID(QDesignerPropertySheetExtension));
    }

    QDesignerPropertySheetExtension* Sheet(QObject* object) const
    {
        return qt_extension<QDesignerPropertySheetExtension*>(extensionManager(), object);
    }
};

// The message box in which the plugin tells Designer's user what it refused, once shown.
QMessageBox* RefusalBox()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    return nullptr;
}

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

        // A value a component refuses is left out with a warning; the program goes on.
        QBuffer refused;
        refused.setData(R"(<ui version="4.0"><widget class="display::TVrLedClock" name="clock">
            <property name="Hours"><number>24</number></property></widget></ui>)");
        QVERIFY(refused.open(QIODevice::ReadOnly));
        QTest::ignoreMessage(QtWarningMsg, "clock: Hours cannot be 24 (Range check error; allowed: 0 to 23)");
        const std::unique_ptr<QWidget> loaded(loader.load(&refused));
        QVERIFY(loaded && loaded->property("Hours").toInt() < 24);
    }

    void whatDesignerCreatesIsBeingDesignedAndNeverTicks()
    {
        QWidget form;
        for (QDesignerCustomWidgetInterface* widget : collection_->customWidgets()) {
            widget->initialize(&designer_);
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
        const auto* menu = qt_extension<QDesignerTaskMenuExtension*>(designer_.extensionManager(), clock);
        QVERIFY(menu && menu->taskActions().size() == 1);
        QVERIFY(!qt_extension<QDesignerTaskMenuExtension*>(designer_.extensionManager(), &form));

        // Designer names each new label; its caption follows the name until someone sets it, and is
        // marked changed, so that Designer saves it with the form.
        QWidget* label = form.findChildren<QWidget*>().at(1);
        QDesignerPropertySheetExtension* sheet = designer_.Sheet(label);
        const int caption = sheet->indexOf(QStringLiteral("Caption"));
        label->setObjectName(QStringLiteral("vrLabel_2"));
        QCOMPARE(label->property("Caption").toString(), QStringLiteral("vrLabel_2"));
        QVERIFY(sheet->isChanged(caption));
        label->setProperty("Caption", QStringLiteral("ON AIR"));
        label->setObjectName(QStringLiteral("onAir"));
        QCOMPARE(label->property("Caption").toString(), QStringLiteral("ON AIR"));
    }

    // Designer writes a property through Qt's meta-object system, opening a form or from its
    // property editor. A value a component refuses is dropped there, never raised into Designer;
    // the property keeps its value, and one message box says what was refused and what fits.
    void aRefusedValueKeepsTheOldOneAndDesignerSaysWhy()
    {
        QWidget form;
        const auto widgets = collection_->customWidgets();
        for (QDesignerCustomWidgetInterface* widget : widgets)
            widget->initialize(&designer_);
        QWidget* clock = widgets[0]->createWidget(&form);
        QWidget* label = widgets[1]->createWidget(&form);
        clock->setObjectName(QStringLiteral("ledClock"));
        label->setObjectName(QStringLiteral("caption"));
        QVERIFY(label->setProperty("Angle", 90));
        const struct {
            QWidget* widget;
            const char* property;
            int value;
            const char* message;
        } refused[] = {
            {clock, "Hours", 24, "ledClock: Hours cannot be 24 (Range check error; allowed: 0 to 23)"},
            {clock, "HourFormat", 7,
                "ledClock: HourFormat cannot be 7 (Range check error; allowed: hfmt24h (0), hfmt12h (1))"},
            {label, "FontHeight", 40000,
                "caption: FontHeight cannot be 40000 (Range check error; allowed: -32767 to 32767)"},
            {label, "Angle", 400, "caption: Angle cannot be 400 (Range check error; allowed: 0 to 359)"},
            {label, "Alignment", 99,
                "caption: Alignment cannot be 99 (Range check error; allowed: taLeftJustify (0), "
                "taRightJustify (1), taCenter (2))"},
        };
        for (const auto& row : refused) {
            const QVariant before = row.widget->property(row.property);
            QVERIFY(!row.widget->setProperty(row.property, row.value));
            QCOMPARE(row.widget->property(row.property), before);
        }
        QVERIFY(!RefusalBox());  // not from inside Designer's write
        QTRY_VERIFY(RefusalBox());
        const std::unique_ptr<QMessageBox> box(RefusalBox());
        QStringList messages;
        for (const auto& row : refused)
            messages << QLatin1String(row.message);
        QCOMPARE(box->informativeText(), messages.join(QLatin1Char('\n')));
    }

    // However much is refused at once, the box fits on the screen with its OK button on it: it
    // lists the first refusals and counts the rest.
    void aBoxOfManyRefusalsFitsOnTheScreen()
    {
        QWidget form;
        QDesignerCustomWidgetInterface* clockWidget = collection_->customWidgets().at(0);
        clockWidget->initialize(&designer_);
        QWidget* clock = clockWidget->createWidget(&form);
        for (int hours = 24; hours < 224; ++hours)
            QVERIFY(!clock->setProperty("Hours", hours));
        QTRY_VERIFY(RefusalBox());
        const std::unique_ptr<QMessageBox> box(RefusalBox());
        QVERIFY(box->informativeText().endsWith(QStringLiteral("\nand 190 more")));
        const QRect screen = box->screen()->availableGeometry();
        QVERIFY(box->frameGeometry().height() <= screen.height());
        const QAbstractButton* ok = box->button(QMessageBox::Ok);
        QVERIFY(ok->isVisible() && screen.contains(QRect(ok->mapToGlobal(QPoint()), ok->size())));
    }

private:
    Designer designer_;
    QPluginLoader loader_;
    QDesignerCustomWidgetCollectionInterface* collection_ = nullptr;
};

STUDIO_CLOCK_TEST_MAIN(DesignerPluginTest)
#include "test_designer_plugin.moc"
