#pragma once

#include "forms/Export.h"
#include "forms/RefusedValue.h"

#include <QUiLoader>
#include <memory>
#include <vector>

class QIODevice;

namespace forms {

// Qt's run-time form loader that also knows the studio clock's components, so a program reads a
// form holding them without finding Designer's plugin folder. What it creates runs: it is not
// being designed. A value a component refuses does not end the program: it is dropped, and kept
// in Refused().
class STUDIOCLOCK_FORMS_EXPORT FormLoader : public QUiLoader {
    Q_OBJECT
public:
    explicit FormLoader(QObject* parent = nullptr);

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;

    // What the components it made refused while it lived, and those it could not make, in order.
    // Once it is gone, a component it made reports a refused value as a warning.
    const std::vector<RefusedValue>& Refused() const { return *refused_; }

private:
    // Shared with the components' handlers, which outlive the loader.
    std::shared_ptr<std::vector<RefusedValue>> refused_ = std::make_shared<std::vector<RefusedValue>>();
};

// Reads a form made in Qt Designer as a stored layout: each component's Loaded runs once every
// value of the form has been applied. Returns the form's top widget, a child of `parent`. When the
// form cannot be read, or a component refuses one of its values, raises framework::EReadError
// naming the widget, the property, the value as the form writes it and the values allowed, and
// leaves nothing behind: no half-built form, under `parent` or on its own.
STUDIOCLOCK_FORMS_EXPORT QWidget* LoadForm(QIODevice& device, QWidget* parent = nullptr);

}  // namespace forms
