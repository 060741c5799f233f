#include "resizer/PageLayout.h"

#include <QLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabWidget>
#include <QToolBox>

namespace resizer {

namespace {

// Qt lends the style option a tab widget lays itself out by to tab widgets only.
class TabWidgetGeometry : public QTabWidget {
public:
    // Where the tab widget puts its page stack: the rectangle it works out once shown.
    static QRect PageArea(const QTabWidget* tabs)
    {
        QStyleOptionTabWidgetFrame option;
        (tabs->*&TabWidgetGeometry::initStyleOption)(&option);
        return tabs->style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, tabs);
    }
};

void FitPages(const QStackedWidget* stack)
{
    const QRect area = stack->contentsRect();
    for (int index = 0; index < stack->count(); ++index)
        stack->widget(index)->setGeometry(area);
}

void LayOutTabWidget(const QTabWidget* tabs)
{
    // The pages sit in a stack of the tab widget's own.
    auto* stack
        = tabs->count() > 0 ? qobject_cast<QStackedWidget*>(tabs->widget(0)->parentWidget()) : nullptr;
    if (!stack)
        return;
    stack->setGeometry(TabWidgetGeometry::PageArea(tabs));
    FitPages(stack);
}

QScrollArea* ScrollAreaOf(const QWidget* page)
{
    const QWidget* viewport = page->parentWidget();
    return viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

// A tool box keeps each page in a scroll area of its own, which fits the page to its viewport. The
// current page's scroll area takes the room the item buttons leave; any other takes that same room
// when its page becomes current.
void LayOutToolBox(QToolBox* toolBox)
{
    const QScrollArea* shown = toolBox->currentWidget() ? ScrollAreaOf(toolBox->currentWidget()) : nullptr;
    if (!shown)
        return;
    toolBox->layout()->invalidate();
    toolBox->layout()->activate();
    for (int index = 0; index < toolBox->count(); ++index) {
        QScrollArea* area = ScrollAreaOf(toolBox->widget(index));
        if (!area)
            continue;
        area->resize(shown->size());
        const QRect viewport(area->contentsRect().topLeft(), area->maximumViewportSize());
        area->viewport()->setGeometry(viewport);
        toolBox->widget(index)->setGeometry(QRect(QPoint(), viewport.size()));
    }
}

}  // namespace

void LayOutPages(QWidget* container)
{
    if (const auto* tabs = qobject_cast<QTabWidget*>(container))
        LayOutTabWidget(tabs);
    else if (const auto* stack = qobject_cast<QStackedWidget*>(container))
        FitPages(stack);
    else if (auto* toolBox = qobject_cast<QToolBox*>(container))
        LayOutToolBox(toolBox);
}

}  // namespace resizer
