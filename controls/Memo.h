#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QPlainTextEdit>

namespace controls {

// A multi-line plain text editor.
class STUDIOCLOCK_CONTROLS_EXPORT TMemo : public QPlainTextEdit, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
public:
    explicit TMemo(QWidget* parent = nullptr);

    // Removes all the text. Unlike QPlainTextEdit::clear, it can be undone, so a slip on the
    // button costs the operator nothing.
    void Clear();
};

}  // namespace controls
