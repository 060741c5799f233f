#pragma once

#include "forms/CatalogueEntry.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class RefusalNotice;

// One component in Qt Designer's widget box. Inside Designer (once it has initialised the plugin)
// what it creates is in the designing state before any property reaches it, so a clock placed on a
// form never starts its timer; for a program's QUiLoader, which never initialises it, the same
// plugin creates running components. A value a component refuses, in a form Designer opens or in
// its property editor, is dropped with a message instead of ending Designer.
class ComponentWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    // Values the components refuse are reported through `notice`.
    ComponentWidget(const forms::CatalogueEntry& entry, RefusalNotice& notice, QObject* parent);

    QString name() const override { return entry_.className; }
    QString group() const override;
    QString toolTip() const override { return entry_.toolTip; }
    QString whatsThis() const override { return entry_.toolTip; }
    QString includeFile() const override { return entry_.includeFile; }
    QIcon icon() const override;
    bool isContainer() const override { return entry_.container; }
    bool isInitialized() const override { return designing_; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QWidget* createWidget(QWidget* parent) override;
    QString domXml() const override;

private:
    QWidget* Create(QWidget* parent, bool designing) const;
    void SaveCaptionThatFollowsName(QWidget* widget) const;

    const forms::CatalogueEntry& entry_;
    RefusalNotice& notice_;
    bool designing_ = false;
    QPointer<QDesignerFormEditorInterface> designer_;
};
