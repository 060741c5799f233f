#pragma once

#include "display/Export.h"

#include <QAccessible>
#include <QAccessibleWidget>

// What screen readers learn of the display controls, through Qt's accessibility (AT-SPI on Linux).
// The controls draw their text themselves, so without these a reader would find nameless panes.
namespace display {

class TVrLabel;
class TVrLedClock;

// Lets Qt find the interfaces below for the display controls; every display control calls it as
// it is made, and it installs them once for each application object (Qt forgets them with it).
STUDIOCLOCK_DISPLAY_EXPORT void InstallVrAccessibility();

// Tells screen readers that `what` of `control` changed; nothing while none is listening.
STUDIOCLOCK_DISPLAY_EXPORT void NotifyAccessible(QObject* control, QAccessible::Event what);

// The text a display control draws, offered read-only through Qt's text interface: an AT-SPI
// reader reads text from there, and its value interface carries numbers only.
class STUDIOCLOCK_DISPLAY_EXPORT TVrShownTextAccessible : public QAccessibleWidget,
                                                          public QAccessibleTextInterface {
public:
    TVrShownTextAccessible(QWidget* control, QAccessible::Role role);

    using QAccessibleWidget::text;
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

protected:
    virtual QString ShownText() const = 0;
};

// The LED clock: a clock named by its accessible name or "Clock", whose value and text are the
// time the face shows, HH:MM. The description is the widget's (its accessible description, else
// its tooltip), where an owner may say how far the time can be trusted.
class STUDIOCLOCK_DISPLAY_EXPORT TVrLedClockAccessible : public TVrShownTextAccessible {
public:
    explicit TVrLedClockAccessible(TVrLedClock* clock);

    using TVrShownTextAccessible::text;
    QString text(QAccessible::Text t) const override;

protected:
    QString ShownText() const override;
};

// The styled label: static text named by its accessible name or its caption, whose text is the
// caption.
class STUDIOCLOCK_DISPLAY_EXPORT TVrLabelAccessible : public TVrShownTextAccessible {
public:
    explicit TVrLabelAccessible(TVrLabel* label);

    using TVrShownTextAccessible::text;
    QString text(QAccessible::Text t) const override;

protected:
    QString ShownText() const override;
};

}  // namespace display
