#include "tools/designer/RefusalNotice.h"

#include <QMessageBox>

namespace {

// The refusals the box lists before it only counts the rest, so that it fits on any screen; all of
// them are in its details, which scroll.
constexpr qsizetype kListed = 10;

}  // namespace

RefusalNotice::RefusalNotice(QObject* parent)
    : QObject(parent)
{
}

forms::RefusalHandler RefusalNotice::Handler()
{
    return [notice = QPointer<RefusalNotice>(this)](const forms::RefusedValue& value) {
        if (notice && notice->designer_)
            notice->Add(value);
        else
            value.Warn();
    };
}

void RefusalNotice::Add(const forms::RefusedValue& value)
{
    pending_ << value.Message();
    if (pending_.size() == 1)
        QMetaObject::invokeMethod(this, &RefusalNotice::Show, Qt::QueuedConnection);
}

void RefusalNotice::Show()
{
    if (pending_.isEmpty())
        return;
    if (!box_) {
        shown_.clear();
        box_ = new QMessageBox(QMessageBox::Warning, tr("Values refused"),
            tr("These values were refused; each property keeps the value it had."), QMessageBox::Ok,
            designer_ ? designer_->topLevel() : nullptr);
        box_->setAttribute(Qt::WA_DeleteOnClose);
    }
    shown_ << pending_;
    pending_.clear();
    QStringList listed = shown_.first(std::min(shown_.size(), kListed));
    if (shown_.size() > kListed) {
        listed << tr("and %1 more").arg(shown_.size() - kListed);
        box_->setDetailedText(shown_.join(QLatin1Char('\n')));
    }
    box_->setInformativeText(listed.join(QLatin1Char('\n')));
    box_->show();
    box_->raise();
}
