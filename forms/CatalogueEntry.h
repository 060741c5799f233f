#pragma once

#include "forms/Export.h"
#include "forms/RefusedValue.h"

#include <QSize>
#include <QString>
#include <vector>

class QWidget;
struct QMetaObject;

// The catalogue of components a form made in Qt Designer may hold: what the Designer plugin offers
// and what the form loader creates, described once, an entry per component class.
namespace forms {

struct CatalogueEntry {
    QString className;    // with its namespace, as uic writes it
    QString includeFile;  // by folder, as an outside program includes it
    QString toolTip;
    QString objectName;  // the name Designer numbers for each new one
    QSize size;          // as first placed on a form
    bool container = false;
    // Makes one, as a GuardedComponent: a value it refuses is dropped and `refused` is told.
    QWidget* (*create)(QWidget* parent, RefusalHandler refused) = nullptr;
    const QMetaObject* metaObject = nullptr;  // its properties, and the names of their values
};

STUDIOCLOCK_FORMS_EXPORT const std::vector<CatalogueEntry>& Catalogue();

// The entry for `className`, or none.
STUDIOCLOCK_FORMS_EXPORT const CatalogueEntry* FindCatalogueEntry(const QString& className);

}  // namespace forms
