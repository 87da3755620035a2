#include "Menus.h"

#include "ImgList.h"
#include "ModalHook.h"

#include <algorithm>

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

TMenuItem* TPopupMenu::Insert(int index, const String& name, const String& caption)
{
    TMenuItem* item = Add(name, caption, scNone, -1, nullptr);
    fItems.pop_back();
    fItems.insert(fItems.begin() + std::clamp(index, 0, (int)fItems.size()), item);
    return item;
}

namespace {
// Clicks the first enabled item with the shortcut, looking into enabled submenus.
bool clickShortCut(const std::vector<TMenuItem*>& items, TShortCut shortCut)
{
    for (TMenuItem* item : items) {
        if (!item->Enabled) continue;
        if (item->Count() && item->IsShortCut(shortCut)) return true;
        if (!item->Count() && item->ShortCut == shortCut) {
            item->Click();
            return true;
        }
    }
    return false;
}
}  // namespace

bool TPopupMenu::IsShortCut(TShortCut shortCut) { return clickShortCut(fItems, shortCut); }

TMenuItem* TMenuItem::Add(const String& name, const String& caption)
{
    auto* item = new TMenuItem(this);
    item->Name = name;
    item->Caption = caption;
    fItems.push_back(item);
    return item;
}

bool TMenuItem::IsShortCut(TShortCut shortCut) { return clickShortCut(fItems, shortCut); }

namespace {
// The visible items in the door's order: a submenu's items follow it, named
// "Submenu > Item"; the submenu itself cannot be picked.
void listShown(const std::vector<TMenuItem*>& items, const String& prefix, std::vector<TMenuItem*>& shown, String& list)
{
    for (TMenuItem* item : items) {
        if (!item->Visible) continue;
        if (item->Count()) {
            std::vector<TMenuItem*> sub;
            for (int i = 0; i < item->Count(); ++i) sub.push_back(item->Items(i));
            listShown(sub, prefix + item->Caption + L" > ", shown, list);
            continue;
        }
        shown.push_back(item);
        list += (list.empty() ? L"" : L"\n") + prefix + item->Caption;
    }
}

// Builds the platform menu of the visible items; a chosen item comes back as
// its place in Ids plus one.
HMENU buildMenu(const std::vector<TMenuItem*>& items, TImageList* images, std::vector<TMenuItem*>& ids,
                std::vector<TGdiObject>& bitmaps)
{
    HMENU menu = CreatePopupMenu();
    for (TMenuItem* item : items) {
        if (!item->Visible) continue;
        String text = item->Caption;
        if (item->ShortCut) text += L"\t" + ShortCutToText(item->ShortCut);
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
        mi.fType = item->RadioItem ? MFT_RADIOCHECK : 0;
        mi.dwTypeData = text.data();
        mi.fState = (item->Enabled ? MFS_ENABLED : MFS_DISABLED) | (item->Checked ? MFS_CHECKED : 0);
        if (item->Count()) {
            std::vector<TMenuItem*> sub;
            for (int i = 0; i < item->Count(); ++i) sub.push_back(item->Items(i));
            mi.fMask |= MIIM_SUBMENU;
            mi.hSubMenu = buildMenu(sub, images, ids, bitmaps);  // destroyed with its parent menu
        } else {
            ids.push_back(item);
            mi.wID = (UINT)ids.size();
        }
        if (item->Caption == L"-") {  // a separator line
            mi.fMask = MIIM_FTYPE;
            mi.fType = MFT_SEPARATOR;
        }
        if (images && item->ImageIndex >= 0 && !item->Checked) {
            if (HBITMAP b = images->MakeBitmap(item->ImageIndex)) {
                bitmaps.emplace_back(b);
                mi.fMask |= MIIM_BITMAP;
                mi.hbmpItem = b;
            }
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
    }
    return menu;
}
}  // namespace

void TPopupMenu::Popup(int x, int y)
{
    std::vector<TMenuItem*> shown;
    String list;
    listShown(fItems, L"", shown, list);
    TModalAnswer answer;
    if (Modal_Intercept({L"TPopupMenu", Name, list}, answer) && !answer.Drive) {
        if (answer.Result >= 1 && answer.Result <= (int)shown.size()) shown[answer.Result - 1]->Click();
        return;
    }

    std::vector<TMenuItem*> ids;
    std::vector<TGdiObject> images;  // the items' bitmaps, freed with the menu
    std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)> owned(buildMenu(fItems, Images, ids, images),
                                                                            &DestroyMenu);
    HMENU menu = owned.get();
    HWND owner = PopupComponent && PopupComponent->Handle() ? PopupComponent->Handle() : GetActiveWindow();
    UINT cmd;
    {
        // The menu's own loop hands the menu window to the responder's Drive.
        TModalDrive drive(std::move(answer.Drive), [] { return FindWindowW(L"#32768", nullptr); }, [] { EndMenu(); },
                          1500);
        cmd = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
        drive.RaiseError();
    }
    if (cmd >= 1 && cmd <= ids.size()) ids[cmd - 1]->Click();
}
