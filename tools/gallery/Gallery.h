#pragma once

#include "controls/Form.h"

namespace resizer {
class TNoBDEResizerPanel;
}

namespace controls {
class TBitBtn;
class TComboBox;
class TDrawGrid;
class THeaderControl;
class TImage;
class TLabel;
class TListBox;
class TListView;
class TPageControl;
class TScrollBox;
class TSpeedButton;
class TStatusBar;
class TTabbedNotebook;
class TTabControl;
class TTabSet;
class TTreeView;
}  // namespace controls

// A window with one of each control the resizer panel has a property handler for, on a panel
// that fills it: resize it and every control's inner layout follows.
class TGalleryForm : public controls::TForm {
    Q_OBJECT
public:
    explicit TGalleryForm(QWidget* parent = nullptr);

    resizer::TNoBDEResizerPanel* Panel = nullptr;
    controls::TPageControl* PageControl = nullptr;
    controls::TTabbedNotebook* Notebook = nullptr;
    controls::TTabControl* TabControl = nullptr;
    controls::TTabSet* TabSet = nullptr;
    controls::TListBox* ListBox = nullptr;
    controls::TComboBox* ComboBox = nullptr;
    controls::TBitBtn* BitBtn = nullptr;
    controls::TSpeedButton* SpeedButton = nullptr;
    controls::TImage* Image = nullptr;
    controls::TScrollBox* ScrollBox = nullptr;
    controls::TDrawGrid* DrawGrid = nullptr;
    controls::TListView* ListView = nullptr;
    controls::THeaderControl* Header = nullptr;
    controls::TTreeView* TreeView = nullptr;
    controls::TLabel* Caption = nullptr;
    controls::TStatusBar* StatusBar = nullptr;

private:
    void MakeTabs();
    void MakeLists();
    void MakeButtonsAndPictures();
    void MakeGridsAndViews();
};
