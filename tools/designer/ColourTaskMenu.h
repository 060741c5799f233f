#pragma once

#include <QExtensionFactory>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>

class QAction;

// "Edit Colours..." on a component's context menu in Qt Designer. The components keep their
// colours as numbers, which the property editor can only show as numbers; this picks each one with
// Qt's colour dialog instead. Every change goes through Designer's own property setting, so it can
// be undone and marks the form as changed.
class ColourTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    ColourTaskMenu(QWidget* widget, QObject* parent);

    QAction* preferredEditAction() const override { return nullptr; }
    QList<QAction*> taskActions() const override { return {editColours_}; }

private:
    void EditColours();
    void PickColour(const QString& property, QWidget* dialog);

    QPointer<QWidget> widget_;
    QAction* editColours_;
};

// Gives the colour menu to the widgets of one component class that have colour properties.
class ColourTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT
public:
    ColourTaskMenuFactory(QString className, QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;

private:
    QString className_;
};
