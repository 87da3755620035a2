#include "Menus.h"

#include "ImgList.h"
#include "ModalHook.h"

TShortCut ShortCut(WORD key, TShiftState shift)
{
    TShortCut s = key & 0xFF;
    if (shift & ssShift) s |= scShift;
    if (shift & ssCtrl) s |= scCtrl;
    if (shift & ssAlt) s |= scAlt;
    return s;
}

String ShortCutToText(TShortCut sc)
{
    if (sc == scNone) return L"";
    String s;
    if (sc & scCtrl) s += L"Ctrl+";
    if (sc & scShift) s += L"Shift+";
    if (sc & scAlt) s += L"Alt+";
    WORD k = sc & 0xFF;
    if ((k >= '0' && k <= '9') || (k >= 'A' && k <= 'Z')) return s + (wchar_t)k;
    if (k >= VK_F1 && k <= VK_F24) return s + L"F" + IntToStr(k - VK_F1 + 1);
    switch (k) {
    case VK_RETURN: return s + L"Enter";
    case VK_ESCAPE: return s + L"Esc";
    case VK_UP: return s + L"Up";
    case VK_DOWN: return s + L"Down";
    case VK_LEFT: return s + L"Left";
    case VK_RIGHT: return s + L"Right";
    case VK_DELETE: return s + L"Del";
    case VK_INSERT: return s + L"Ins";
    case VK_BACK: return s + L"BkSp";
    case VK_TAB: return s + L"Tab";
    case VK_SPACE: return s + L"Space";
    case VK_HOME: return s + L"Home";
    case VK_END: return s + L"End";
    default: return s + Format(L"#%d", (int)k);
    }
}

void TMenuItem::Click()
{
    if (Enabled && OnClick) OnClick(this);
}

TMenuItem* TPopupMenu::Add(const String& name, const String& caption, TShortCut shortCut, int imageIndex,
                           TNotifyEvent onClick)
{
    auto* item = new TMenuItem(this);
    item->Name = name;
    item->Caption = caption;
    item->ShortCut = shortCut;
    item->ImageIndex = imageIndex;
    item->OnClick = std::move(onClick);
    fItems.push_back(item);
    return item;
}

bool TPopupMenu::IsShortCut(TShortCut shortCut)
{
    for (TMenuItem* item : fItems)
        if (item->ShortCut == shortCut && item->Enabled) {
            item->Click();
            return true;
        }
    return false;
}

void TPopupMenu::Popup(int x, int y)
{
    // Through the modal door: the request's text lists the visible items, one
    // a line; an answer picks one by its 1-based place in that list (0: none).
    std::vector<size_t> shown;
    String list;
    for (size_t i = 0; i < fItems.size(); ++i)
        if (fItems[i]->Visible) {
            shown.push_back(i);
            list += (list.empty() ? L"" : L"\n") + fItems[i]->Caption;
        }
    TModalAnswer answer;
    if (Modal_Intercept({L"TPopupMenu", Name, list}, answer) && !answer.Drive) {
        if (answer.Result >= 1 && answer.Result <= (int)shown.size()) fItems[shown[answer.Result - 1]]->Click();
        return;
    }

    std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)> owned(CreatePopupMenu(), &DestroyMenu);
    HMENU menu = owned.get();
    std::vector<TGdiObject> images;  // the items' bitmaps, freed with the menu
    for (size_t i : shown) {
        TMenuItem* item = fItems[i];
        String text = item->Caption;
        if (item->ShortCut) text += L"\t" + ShortCutToText(item->ShortCut);
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        mi.wID = (UINT)(i + 1);
        mi.dwTypeData = text.data();
        mi.fState = (item->Enabled ? MFS_ENABLED : MFS_DISABLED) | (item->Checked ? MFS_CHECKED : 0);
        if (item->Caption == L"-") {  // a separator line
            mi.fMask = MIIM_FTYPE;
            mi.fType = MFT_SEPARATOR;
        }
        if (Images && item->ImageIndex >= 0) {
            if (HBITMAP b = Images->MakeBitmap(item->ImageIndex)) {
                images.emplace_back(b);
                mi.fMask |= MIIM_BITMAP;
                mi.hbmpItem = b;
            }
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
    }
    HWND owner = PopupComponent && PopupComponent->Handle() ? PopupComponent->Handle() : GetActiveWindow();
    UINT cmd;
    {
        // The menu's own loop hands the menu window to the responder's Drive.
        TModalDrive drive(std::move(answer.Drive), [] { return FindWindowW(L"#32768", nullptr); }, [] { EndMenu(); },
                          1500);
        cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
        drive.RaiseError();
    }
    if (cmd >= 1 && cmd <= fItems.size()) fItems[cmd - 1]->Click();
}
