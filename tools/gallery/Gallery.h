#pragma once

#include "Form.h"

namespace resizer {
class TNoBDEResizerPanel;
}

namespace framework {
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
}  // namespace framework

// A window with one of each control the resizer panel has a property handler for, on a panel
// that fills it: resize it and every control's inner layout follows.
class TGalleryForm : public framework::TForm {
    Q_OBJECT
public:
    explicit TGalleryForm(QWidget* parent = nullptr);

    resizer::TNoBDEResizerPanel* Panel = nullptr;
    framework::TPageControl* PageControl = nullptr;
    framework::TTabbedNotebook* Notebook = nullptr;
    framework::TTabControl* TabControl = nullptr;
    framework::TTabSet* TabSet = nullptr;
    framework::TListBox* ListBox = nullptr;
    framework::TComboBox* ComboBox = nullptr;
    framework::TBitBtn* BitBtn = nullptr;
    framework::TSpeedButton* SpeedButton = nullptr;
    framework::TImage* Image = nullptr;
    framework::TScrollBox* ScrollBox = nullptr;
    framework::TDrawGrid* DrawGrid = nullptr;
    framework::TListView* ListView = nullptr;
    framework::THeaderControl* Header = nullptr;
    framework::TTreeView* TreeView = nullptr;
    framework::TLabel* Caption = nullptr;
    framework::TStatusBar* StatusBar = nullptr;

private:
    void MakeTabs();
    void MakeLists();
    void MakeButtonsAndPictures();
    void MakeGridsAndViews();
};
