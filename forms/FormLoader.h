#pragma once

#include "forms/Export.h"

#include <QUiLoader>

class QIODevice;

namespace forms {

// Qt's run-time form loader that also knows the studio clock's components, so a program reads a
// form holding them without finding Designer's plugin folder. What it creates runs: it is not
// being designed.
class STUDIOCLOCK_FORMS_EXPORT FormLoader : public QUiLoader {
    Q_OBJECT
public:
    explicit FormLoader(QObject* parent = nullptr);

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;
};

// Reads a form made in Qt Designer as a stored layout: each component's Loaded runs once every
// value of the form has been applied. Returns the form's top widget, a child of `parent`; raises
// framework::EReadError, with the reason, when the form cannot be read.
STUDIOCLOCK_FORMS_EXPORT QWidget* LoadForm(QIODevice& device, QWidget* parent = nullptr);

}  // namespace forms
