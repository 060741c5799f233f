#pragma once

#include <QIcon>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

// One component in Qt Designer's widget box. What Designer creates is in the designing state
// before any property reaches it, so a clock placed on a form never starts its timer.
class ComponentWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    struct Description {
        QString className;    // with its namespace, as uic writes it
        QString includeFile;  // by folder, as an outside program includes it
        QString toolTip;
        QString objectName;  // the name Designer numbers for each new one
        QSize size;
        bool container = false;
        std::function<QWidget*(QWidget* parent)> create;
    };

    ComponentWidget(Description description, QObject* parent);

    QString name() const override { return description_.className; }
    QString group() const override;
    QString toolTip() const override { return description_.toolTip; }
    QString whatsThis() const override { return description_.toolTip; }
    QString includeFile() const override { return description_.includeFile; }
    QIcon icon() const override;
    bool isContainer() const override { return description_.container; }
    QWidget* createWidget(QWidget* parent) override;
    QString domXml() const override;

private:
    QWidget* CreateDesigned(QWidget* parent) const;

    Description description_;
};
