#pragma once

#include "forms/RefusedValue.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtDesigner/QDesignerFormEditorInterface>

class QMessageBox;

// Tells the person at Qt Designer which values the components refused, as they opened a form or
// edited a property: one message box, shown once the refused write has returned (never from inside
// Designer's own code), which gathers whatever else is refused while it is open and lists the first
// few, so that it fits on the screen however many there are. Each property keeps the value it had.
// Without Designer (a program's QUiLoader) each refusal is a warning instead.
class RefusalNotice : public QObject {
    Q_OBJECT
public:
    explicit RefusalNotice(QObject* parent);

    void SetDesigner(QDesignerFormEditorInterface* designer) { designer_ = designer; }
    // A handler for the components this notice reports for; safe to call after it is gone.
    forms::RefusalHandler Handler();

private:
    void Add(const forms::RefusedValue& value);
    void Show();

    QPointer<QDesignerFormEditorInterface> designer_;
    QStringList pending_;  // refused since the box last showed
    QStringList shown_;    // what the open box lists
    QPointer<QMessageBox> box_;
};
