#include "resizer/ControlList.h"

#include "controls/Form.h"
#include "controls/Panel.h"

#include <QGroupBox>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBox>
#include <algorithm>

namespace resizer {

namespace {

bool IsPlainContainer(const QWidget* widget)
{
    const QMetaObject* type = widget->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject
        || type == &QGroupBox::staticMetaObject || qobject_cast<const controls::TForm*>(widget)
        || qobject_cast<const controls::TPanel*>(widget);
}

template <typename Pages> std::vector<QWidget*> PagesOf(const Pages* container)
{
    std::vector<QWidget*> pages;
    pages.reserve(static_cast<std::size_t>(container->count()));
    for (int index = 0; index < container->count(); ++index)
        pages.push_back(container->widget(index));
    return pages;
}

bool IsWindowless(const QWidget* widget)
{
    return widget->focusPolicy() == Qt::NoFocus && !AcceptsControls(widget);
}

}  // namespace

bool AcceptsControls(const QWidget* container)
{
    return IsPlainContainer(container) || qobject_cast<const QTabWidget*>(container)
        || qobject_cast<const QToolBox*>(container) || qobject_cast<const QStackedWidget*>(container)
        || qobject_cast<const QScrollArea*>(container);
}

std::vector<QWidget*> ChildControls(const QWidget* container)
{
    if (const auto* tabs = qobject_cast<const QTabWidget*>(container))
        return PagesOf(tabs);
    if (const auto* toolBox = qobject_cast<const QToolBox*>(container))
        return PagesOf(toolBox);
    if (const auto* stack = qobject_cast<const QStackedWidget*>(container))
        return PagesOf(stack);
    if (const auto* scrollArea = qobject_cast<const QScrollArea*>(container))
        return scrollArea->widget() ? std::vector<QWidget*>{scrollArea->widget()} : std::vector<QWidget*>{};
    if (!IsPlainContainer(container))
        return {};
    const QList<QWidget*> children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::vector<QWidget*> controls;
    std::copy_if(children.begin(), children.end(), std::back_inserter(controls),
        [](const QWidget* child) { return !child->isWindow(); });
    std::stable_partition(controls.begin(), controls.end(), IsWindowless);
    return controls;
}

}  // namespace resizer
