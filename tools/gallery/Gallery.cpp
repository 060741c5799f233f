#include "tools/gallery/Gallery.h"

#include "controls/DrawGrid.h"
#include "controls/GlyphButtons.h"
#include "controls/HeaderControl.h"
#include "controls/Image.h"
#include "controls/ItemLists.h"
#include "controls/Label.h"
#include "controls/ListViews.h"
#include "controls/ScrollBox.h"
#include "controls/StatusBar.h"
#include "controls/TabControls.h"
#include "controls/TabSet.h"
#include "resizer/NoBDERP.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

using namespace controls;
using namespace framework;

namespace {

// Creates a control of type T on `parent` at the given bounds; the parent owns it.
template <typename T> T* Place(QWidget* parent, const QRect& bounds)
{
    auto* control = new T(parent);
    control->setGeometry(bounds);
    return control;
}

QPixmap Picture()
{
    QPixmap picture(64, 64);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 64, 64);
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::cyan);
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QPen(Qt::yellow, 4));
    painter.drawEllipse(12, 12, 40, 40);
    return picture;
}

}  // namespace

TGalleryForm::TGalleryForm(QWidget* parent)
    : TForm(parent)
{
    LayoutReading::Read(
        [this] {
            setWindowTitle(QStringLiteral("Resizer gallery"));
            resize(800, 600);
            Panel = Place<resizer::TNoBDEResizerPanel>(this, QRect(0, 0, 800, 600));
            Panel->setAlign(alClient);
            Panel->setAllowChanges(true);
            MakeTabs();
            MakeLists();
            MakeButtonsAndPictures();
            MakeGridsAndViews();
        },
        this);
}

void TGalleryForm::MakeTabs()
{
    PageControl = Place<TPageControl>(Panel, QRect(10, 10, 250, 150));
    PageControl->setTabHeight(24);
    Notebook = Place<TTabbedNotebook>(Panel, QRect(270, 10, 250, 150));
    QFont tabFont = Notebook->TabFont();
    tabFont.setPointSize(9);
    tabFont.setBold(true);
    Notebook->setTabFont(tabFont);
    for (const char* page : {"Studio", "Notes", "Log"}) {
        PageControl->addTab(new QWidget, QString::fromLatin1(page));
        Notebook->addTab(new QWidget, QString::fromLatin1(page));
    }
    TabControl = Place<TTabControl>(Panel, QRect(530, 10, 260, 30));
    TabControl->setTabWidth(80);
    TabControl->setTabHeight(24);
    TabSet = Place<TTabSet>(Panel, QRect(530, 50, 260, 30));
    for (const char* tab : {"One", "Two", "Three"}) {
        TabControl->addTab(QString::fromLatin1(tab));
        TabSet->Tabs()->addTab(QString::fromLatin1(tab));
    }
}

void TGalleryForm::MakeLists()
{
    ListBox = Place<TListBox>(Panel, QRect(10, 170, 180, 120));
    ComboBox = Place<TComboBox>(Panel, QRect(200, 170, 150, 25));
    for (const char* item : {"News", "Weather", "Traffic", "Sport", "Music"}) {
        ListBox->addItem(QString::fromLatin1(item));
        ComboBox->addItem(QString::fromLatin1(item));
    }
    ListBox->setItemHeight(18);
    ComboBox->setItemHeight(18);
}

void TGalleryForm::MakeButtonsAndPictures()
{
    BitBtn = Place<TBitBtn>(Panel, QRect(200, 205, 150, 35));
    BitBtn->setText(QStringLiteral("Apply"));
    BitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BitBtn->setMargin(6);
    BitBtn->setSpacing(6);
    SpeedButton = Place<TSpeedButton>(Panel, QRect(200, 250, 150, 35));
    SpeedButton->setText(QStringLiteral("Centred"));
    SpeedButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    Image = Place<TImage>(Panel, QRect(360, 170, 120, 120));
    Image->setPicture(Picture());
    Image->setStretch(true);
    ScrollBox = Place<TScrollBox>(Panel, QRect(490, 170, 300, 120));
    ScrollBox->Content()->resize(600, 300);
    for (int line = 0; line < 5; ++line)
        Place<TLabel>(ScrollBox->Content(), QRect(10, 10 + 55 * line, 500, 20))
            ->setCaption(QStringLiteral("Scrolled line %1").arg(line + 1));
}

void TGalleryForm::MakeGridsAndViews()
{
    DrawGrid = Place<TDrawGrid>(Panel, QRect(10, 300, 380, 150));
    DrawGrid->setDefaultColWidth(60);
    DrawGrid->setDefaultRowHeight(24);
    DrawGrid->setGridLineWidth(2);
    DrawGrid->SetColWidths(0, 100);
    ListView = Place<TListView>(Panel, QRect(400, 300, 390, 150));
    ListView->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Item"), QStringLiteral("Length")});
    for (const char* item : {"10:00", "10:04", "10:07"})
        new QTreeWidgetItem(
            ListView, {QString::fromLatin1(item), QStringLiteral("Jingle"), QStringLiteral("0:30")});
    for (int column = 0; column < 3; ++column)
        ListView->setColumnWidth(column, 120);
    Header = Place<THeaderControl>(Panel, QRect(10, 460, 380, 24));
    for (const char* section : {"Source", "Level", "Route"})
        Header->AddSection(QString::fromLatin1(section), 110)->setMinWidth(40);
    TreeView = Place<TTreeView>(Panel, QRect(400, 460, 390, 100));
    TreeView->setIndentation(20);
    auto* studio = new QTreeWidgetItem(TreeView, {QStringLiteral("Studio A")});
    auto* desk = new QTreeWidgetItem(studio, {QStringLiteral("Desk")});
    new QTreeWidgetItem(desk, {QStringLiteral("Microphone 1")});
    TreeView->expandAll();
    Caption = Place<TLabel>(Panel, QRect(10, 500, 200, 20));
    Caption->setCaption(QStringLiteral("Resize the window"));
    StatusBar = Place<TStatusBar>(Panel, QRect(0, 570, 800, 30));
    StatusBar->AddPanel(QStringLiteral("On air"), 200);
    StatusBar->AddPanel(QStringLiteral("Studio A"), 300);
    StatusBar->AddPanel(QStringLiteral("Ready"), 200);
}
