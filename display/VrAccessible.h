#pragma once

#include "display/Export.h"
#include "display/VrControls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <functional>

// What screen readers learn of the display controls, through Qt's accessibility (AT-SPI on Linux).
// The controls draw their text themselves, so without these a reader would find nameless panes.
namespace display {

// Lets Qt find the interfaces below for the display controls that name an accessible role. The
// library calls it as the application object starts, or at once when it is loaded into a running
// one; it installs them once for each application object (Qt forgets them with it).
STUDIOCLOCK_DISPLAY_EXPORT void InstallVrAccessibility();

// The text a display control draws, offered read-only through Qt's text interface: an AT-SPI
// reader reads text from there, and its value interface carries numbers only. A control's role,
// text and name without an accessible name come from the control (TVrGraphicControl::
// AccessibleRole and its siblings): the LED clock is a clock named "Clock" whose value and text are
// the HH:MM its face shows; the styled label is static text named by its caption. Either takes its
// accessible name first; the description is the widget's (its accessible description, else its
// tooltip), where an owner may say how far a clock's time can be trusted.
class STUDIOCLOCK_DISPLAY_EXPORT TVrShownTextAccessible : public QAccessibleWidget,
                                                          public QAccessibleTextInterface {
public:
    // `unnamed` names a control without an accessible name; empty, its shown text does.
    TVrShownTextAccessible(
        QWidget* control, QAccessible::Role role, std::function<QString()> shownText, QString unnamed);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    // One run of text without attributes.
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    // Drawn in dots or at an angle, the text has no character cells to point at.
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    // Nobody selects, edits or scrolls it: no selection, the caret at the start.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override { }
    void removeSelection(int /*selectionIndex*/) override { }
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override { }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override { }

private:
    QString ShownText() const;

    std::function<QString()> shownText_;
    QString unnamed_;
};

}  // namespace display
