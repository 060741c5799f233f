#include "controls/HeaderControl.h"

#include <QStandardItemModel>
#include <algorithm>

namespace controls {

int THeaderSection::Width() const
{
    return owner_->sectionSize(index_);
}

void THeaderSection::setWidth(int value)
{
    const int width = std::clamp(value, minWidth_, std::max(minWidth_, maxWidth_));
    if (width != Width())
        owner_->resizeSection(index_, width);
}

void THeaderSection::setMinWidth(int value)
{
    minWidth_ = std::max(0, value);
    setWidth(Width());
}

void THeaderSection::setMaxWidth(int value)
{
    maxWidth_ = std::max(minWidth_, value);
    setWidth(Width());
}

THeaderControl::THeaderControl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
    , framework::Control(this)
    , captions_(new QStandardItemModel(this))
    , sections_(new THeaderSections(this, &QHeaderView::count))
{
    setModel(captions_);
    setMinimumSectionSize(0);
    setStretchLastSection(false);
    setSectionsClickable(true);
    // A section dragged past its bounds springs back to them.
    connect(this, &QHeaderView::sectionResized, this, [this](int index, int /*old*/, int /*size*/) {
        if (index >= 0 && index < sections_->Count())
            sections_->Items(index)->setWidth(sections_->Items(index)->Width());
    });
}

THeaderSection* THeaderControl::AddSection(const QString& text, int width)
{
    const int index = captions_->columnCount();
    captions_->setColumnCount(index + 1);
    captions_->setHeaderData(index, Qt::Horizontal, text);
    THeaderSection* section = sections_->Items(index);
    section->setWidth(width);
    return section;
}

}  // namespace controls
