#include "ListView.h"

#include <algorithm>
#include <numeric>

namespace {
// Arranges the icons once the sizes of a layout pass have settled.
constexpr UINT kArrangeMessage = WM_APP + 0x4D4;
}  // namespace

// ---- TListItem -----------------------------------------------------------------

int TListItem::ImageIndex() const
{
    if (fImageIndex == kDeferred || fStandIn) {
        bool drawn = fStandIn;
        fImageIndex = fOwner->ResolveImageIndex(*this);
        fStandIn = false;
        if (drawn) Update();
    }
    return fImageIndex;
}

void TListItem::SetImageIndex(int index)
{
    fImageIndex = index;
    fStandIn = false;
    Update();
}

void TListItem::MakeVisible(bool partialOK)
{
    fOwner->arrangePending();
    if (HWND h = fOwner->Handle()) ListView_EnsureVisible(h, fIndex, partialOK);
}

POINT TListItem::Position() const
{
    fOwner->arrangePending();
    POINT p{0, 0};
    if (HWND h = fOwner->Handle()) ListView_GetItemPosition(h, fIndex, &p);
    return p;
}

void TListItem::Update() const
{
    if (HWND h = fOwner->Handle(); h && !fOwner->Items.Updating()) ListView_RedrawItems(h, fIndex, fIndex);
}

// ---- TListItems ----------------------------------------------------------------

TListItem* TListItems::Add()
{
    fItems.push_back(std::make_unique<TListItem>(fOwner, Count()));
    countChanged();
    return fItems.back().get();
}

void TListItems::Delete(int index)
{
    fOwner->forgetStandIn(fItems.at(index).get());
    fItems.erase(fItems.begin() + index);
    renumber(index);
    // The control shifts the selection of the rows below by itself.
    if (HWND h = fOwner->Handle()) ListView_DeleteItem(h, index);
}

void TListItems::Clear()
{
    fOwner->fStandIns.clear();
    fItems.clear();
    if (HWND h = fOwner->Handle()) ListView_DeleteAllItems(h);
}

void TListItems::BeginUpdate()
{
    if (fUpdating++ == 0 && fOwner->Handle()) SendMessageW(fOwner->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate()
{
    if (fUpdating == 0 || --fUpdating > 0) return;
    if (fCountChanged) countChanged();
    if (HWND h = fOwner->Handle()) {
        // A view not shown yet (a window filled before its first show) is
        // arranged once, after the show has given it its size: arranged now,
        // its thousands of icons would be placed twice. Drawing stays off
        // until then; a read of a row's place arranges it at once.
        if (!IsWindowVisible(h) && fOwner->arrangesIcons()) {
            if (!fOwner->fArrangePending) {
                fOwner->fArrangePending = true;
                PostMessageW(h, kArrangeMessage, 0, 0);
            }
            return;
        }
        // Arranged while drawing is off, the icons are placed without each
        // being invalidated on its own, which costs far more with thousands of
        // rows; turning drawing on then finds them in place.
        if (fOwner->arrangesIcons()) SendMessageW(h, LVM_ARRANGE, LVA_DEFAULT, 0);
        fOwner->fArrangePending = false;
        SendMessageW(h, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(h, nullptr, TRUE);
    }
}

void TListItems::CountNow()
{
    fCountChanged = false;
    if (HWND h = fOwner->Handle()) ListView_SetItemCountEx(h, Count(), LVSICF_NOSCROLL);
}

void TListItems::countChanged()
{
    fCountChanged = fUpdating > 0;
    if (fCountChanged) return;
    if (HWND h = fOwner->Handle()) ListView_SetItemCountEx(h, Count(), LVSICF_NOSCROLL);
}

void TListItems::renumber(int from)
{
    for (int i = from; i < Count(); ++i) fItems[i]->fIndex = i;
}

// ---- TListColumn ---------------------------------------------------------------

void TListColumn::apply(UINT mask) const
{
    HWND h = fOwner->Handle();
    if (!h) return;
    LVCOLUMNW c{};
    c.mask = mask;
    c.cx = fWidth;
    c.pszText = const_cast<wchar_t*>(fCaption.c_str());
    c.fmt = fAlignment == taRightJustify ? LVCFMT_RIGHT : fAlignment == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
    ListView_SetColumn(h, fIndex, &c);
}

void TListColumn::SetCaption(const String& caption)
{
    fCaption = caption;
    apply(LVCF_TEXT);
}

int TListColumn::Width() const
{
    // Read from the column itself in every view style: the user may have dragged it.
    if (HWND h = fOwner->Handle()) {
        LVCOLUMNW c{};
        c.mask = LVCF_WIDTH;
        if (ListView_GetColumn(h, fIndex, &c)) fWidth = c.cx;
    }
    return fWidth;
}

void TListColumn::SetWidth(int width)
{
    fWidth = width;
    apply(LVCF_WIDTH);
}

void TListColumn::SetAlignment(TAlignment alignment)
{
    fAlignment = alignment;
    apply(LVCF_FMT);
}

TListColumn* TListColumns::Add()
{
    fColumns.push_back(std::make_unique<TListColumn>(fOwner, Count()));
    TListColumn* c = fColumns.back().get();
    if (HWND h = fOwner->Handle()) {
        LVCOLUMNW lc{};
        lc.mask = LVCF_WIDTH | LVCF_TEXT;
        lc.cx = c->fWidth;
        lc.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(h, c->fIndex, &lc);
    }
    return c;
}

// ---- TListView -----------------------------------------------------------------

TListView::TListView(TComponent* owner) : TWinControl(owner)
{
    fColor = clWindow;
    fTabStop = true;
}

TListView::~TListView()
{
    // The window may still ask for rows while it goes; it must go before they do.
    DestroyHandle();
}

namespace {
DWORD viewBits(TViewStyle style)
{
    switch (style) {
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    default: return LVS_ICON;
    }
}
}  // namespace

void TListView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.ClassName = WC_LISTVIEWW;
    // The image lists belong to TImageList components (or to the shell): the
    // control must never destroy them.
    params.Style |= LVS_OWNERDATA | LVS_SHAREIMAGELISTS | viewBits(fViewStyle);
    if (!MultiSelect) params.Style |= LVS_SINGLESEL;
    if (!ReadOnly) params.Style |= LVS_EDITLABELS;
    if (!HideSelection) params.Style |= LVS_SHOWSELALWAYS;
    if (IconOptions.AutoArrange) params.Style |= LVS_AUTOARRANGE;
    params.ExStyle = (params.ExStyle & ~WS_EX_CONTROLPARENT) | WS_EX_CLIENTEDGE;
}

void TListView::HandleCreated()
{
    TWinControl::HandleCreated();
    applyExStyle();
    for (auto& c : Columns.fColumns) {
        LVCOLUMNW lc{};
        lc.mask = LVCF_WIDTH | LVCF_TEXT;
        lc.cx = c->fWidth;
        lc.pszText = const_cast<wchar_t*>(L"");
        ListView_InsertColumn(fHandle, c->fIndex, &lc);
        c->apply(LVCF_TEXT | LVCF_FMT);
    }
    applyImages();
    ColorChanged();
    ListView_SetTextColor(fHandle, ColorToRGB(Font.Color()));
    ListView_SetItemCountEx(fHandle, Items.Count(), LVSICF_NOSCROLL);
}

void TListView::applyExStyle()
{
    DWORD ex = LVS_EX_DOUBLEBUFFER | (RowSelect ? LVS_EX_FULLROWSELECT : 0);
    ListView_SetExtendedListViewStyleEx(fHandle, LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT, ex);
}

void TListView::FontChanged()
{
    TWinControl::FontChanged();
    if (!fHandle) return;
    ListView_SetTextColor(fHandle, ColorToRGB(Font.Color()));
    Invalidate();
}

void TListView::ColorChanged()
{
    if (fHandle) {
        ListView_SetBkColor(fHandle, ColorToRGB(fColor));
        ListView_SetTextBkColor(fHandle, ColorToRGB(fColor));
    }
    Invalidate();
}

void TListView::SetViewStyle(TViewStyle style)
{
    fViewStyle = style;
    if (!fHandle) return;
    LONG_PTR s = GetWindowLongPtrW(fHandle, GWL_STYLE);
    SetWindowLongPtrW(fHandle, GWL_STYLE, (s & ~(LONG_PTR)LVS_TYPEMASK) | viewBits(style));
    Invalidate();
}

void TListView::SetSmallImages(TImageList* list)
{
    fSmallImages = list;
    applyImages();
}

void TListView::SetLargeImages(TImageList* list)
{
    fLargeImages = list;
    applyImages();
}

void TListView::applyImages()
{
    if (!fHandle) return;
    ListView_SetImageList(fHandle, fSmallImages ? fSmallImages->Handle() : nullptr, LVSIL_SMALL);
    ListView_SetImageList(fHandle, fLargeImages ? fLargeImages->Handle() : nullptr, LVSIL_NORMAL);
}

LRESULT TListView::lvCall(UINT msg, WPARAM wp, LPARAM lp) const
{
    return fHandle ? const_cast<TListView*>(this)->DefaultHandler(msg, wp, lp) : 0;
}

UINT TListView::itemState(int index, UINT mask) const { return (UINT)lvCall(LVM_GETITEMSTATE, index, mask); }

void TListView::setItemState(int index, UINT state, UINT mask) const
{
    LVITEMW it{};
    it.stateMask = mask;
    it.state = state;
    lvCall(LVM_SETITEMSTATE, (WPARAM)index, (LPARAM)&it);
}

int TListView::GetNextItem(int start, UINT flags) const
{
    return fHandle ? (int)lvCall(LVM_GETNEXTITEM, (WPARAM)start, MAKELPARAM(flags, 0)) : -1;
}

TListItem* TListView::Selected() const
{
    int i = GetNextItem(-1, LVNI_SELECTED);
    return i >= 0 && i < Items.Count() ? Items.Item(i) : nullptr;
}

int TListView::SelCount() const { return (int)lvCall(LVM_GETSELECTEDCOUNT, 0, 0); }

TListItem* TListView::ItemFocused() const
{
    int i = GetNextItem(-1, LVNI_FOCUSED);
    return i >= 0 && i < Items.Count() ? Items.Item(i) : nullptr;
}

void TListView::SelectAll()
{
    if (MultiSelect) setItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void TListView::ClearSelection()
{
    setItemState(-1, 0, LVIS_SELECTED);
}

void TListView::DeleteSelected()
{
    std::vector<int> rows;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && i < Items.Count(); i = GetNextItem(i, LVNI_SELECTED))
        rows.push_back(i);
    // From the bottom up, so that the indexes still to go stay valid.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) Items.Delete(*it);
}

TListItem* TListView::GetItemAt(int x, int y) const
{
    if (!fHandle) return nullptr;
    arrangePending();
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    int i = ListView_HitTest(fHandle, &hit);
    return i >= 0 && i < Items.Count() && (hit.flags & LVHT_ONITEM) ? Items.Item(i) : nullptr;
}

void TListView::Scroll(int dx, int dy)
{
    arrangePending();
    if (fHandle) ListView_Scroll(fHandle, dx, dy);
}

void TListView::reorder(const std::vector<int>& order)
{
    int n = Items.Count();

    // Looking for selected rows where there are none walks every row.
    std::vector<int> selected;
    int focused = -1;
    if (fHandle) {
        if (SelCount() > 0)
            for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && i < n; i = GetNextItem(i, LVNI_SELECTED))
                selected.push_back(i);
        focused = GetNextItem(-1, LVNI_FOCUSED);
    }
    std::vector<std::unique_ptr<TListItem>> sorted(n);
    std::vector<int> newIndex(n);
    for (int k = 0; k < n; ++k) {
        sorted[k] = std::move(Items.fItems[order[k]]);
        newIndex[order[k]] = k;
    }
    Items.fItems = std::move(sorted);
    Items.renumber(0);
    if (!fHandle) return;
    if (!selected.empty() || focused >= 0) {
        // With no row selected, the focused row alone: the control's way for
        // all rows at once walks every row.
        if (selected.empty())
            setItemState(focused, 0, LVIS_FOCUSED);
        else
            setItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int i : selected) setItemState(newIndex[i], LVIS_SELECTED, LVIS_SELECTED);
        if (focused >= 0 && focused < n) setItemState(newIndex[focused], LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (!Items.Updating()) InvalidateRect(fHandle, nullptr, TRUE);
}

int TListView::ResolveImageIndex(const TListItem&) { return -1; }

int TListView::QuickImageIndex(const TListItem& item, bool& final)
{
    final = true;
    return ResolveImageIndex(item);
}

namespace {
// The timer that resolves stand-ins: WM_TIMER comes only when no input,
// posted message or paint is waiting, so the rows drawn first reach the
// screen and the user's keys and clicks go before it.
constexpr UINT_PTR kStandInTimer = 0x444C;
// A step of the timer stops after this long, or as soon as input or a message
// sent from another thread (another program asking the window) waits.
constexpr DWORD kStandInStepMs = 30;
}  // namespace

int TListView::drawnImageIndex(TListItem& row)
{
    if (row.fImageIndex == TListItem::kDeferred) {
        bool final = true;
        row.fImageIndex = QuickImageIndex(row, final);
        row.fStandIn = !final;
    }
    if (row.fStandIn && !row.fQueued && fHandle) {
        if (fStandIns.empty()) SetTimer(fHandle, kStandInTimer, USER_TIMER_MINIMUM, nullptr);
        fStandIns.push_back(&row);
        row.fQueued = true;
    }
    return row.fImageIndex;
}

void TListView::forgetStandIn(TListItem* row)
{
    if (row->fQueued) fStandIns.erase(std::find(fStandIns.begin(), fStandIns.end(), row));
}

void TListView::resolveStandIns()
{
    RECT client;
    GetClientRect(fHandle, &client);
    DWORD start = GetTickCount();
    size_t done = 0;
    while (done < fStandIns.size()) {
        TListItem* row = fStandIns[done++];
        row->fQueued = false;
        // A row scrolled out of view waits until it is drawn again.
        RECT r{};
        r.left = LVIR_BOUNDS;
        if (!row->fStandIn || !lvCall(LVM_GETITEMRECT, row->fIndex, (LPARAM)&r) || !IntersectRect(&r, &r, &client))
            continue;
        row->ImageIndex();
        if (GetTickCount() - start >= kStandInStepMs || HIWORD(GetQueueStatus(QS_INPUT | QS_SENDMESSAGE))) break;
    }
    fStandIns.erase(fStandIns.begin(), fStandIns.begin() + done);
    if (fStandIns.empty()) KillTimer(fHandle, kStandInTimer);
}

// An owner-data control that moves the selection with a key first
// deselects every row but the one it goes to, and under Wine it walks every
// row for that (with the full-row look, asking the header for each): a tenth
// of a second and more per key in a folder of 100,000. It skips the walk when
// no row is selected, so the one row a plain arrow key or page key moves
// away from is deselected here, just before; the control then selects the row
// it moves to, as it would have.
void TListView::keyMoving(WORD key)
{
    fKeyDeselected = -1;
    if (fViewStyle != vsReport || (KeyboardShiftState() & (ssShift | ssCtrl))) return;
    int n = Items.Count(), focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused < 0 || focused >= n) return;
    bool moves = false;
    switch (key) {
    case VK_DOWN:
    case VK_NEXT:
    case VK_END: moves = focused < n - 1; break;
    case VK_UP:
    case VK_PRIOR:
    case VK_HOME: moves = focused > 0; break;
    default: break;
    }
    if (!moves || SelCount() != 1 || !(itemState(focused, LVIS_SELECTED) & LVIS_SELECTED)) return;
    fKeyDeselected = focused;
    setItemState(focused, 0, LVIS_SELECTED);
}

// A key that did not move the focus after all leaves its row selected.
void TListView::keyMoved()
{
    int row = fKeyDeselected;
    fKeyDeselected = -1;
    if (row >= 0 && fHandle && GetNextItem(-1, LVNI_FOCUSED) == row && !SelCount())
        setItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

LRESULT TListView::WndProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_KEYDOWN) {
        LRESULT r = TWinControl::WndProc(msg, wp, lp);
        keyMoved();
        return r;
    }
    if (msg == WM_TIMER && wp == kStandInTimer) {
        resolveStandIns();
        return 0;
    }
    if (msg == kArrangeMessage) {
        arrangePending();
        return 0;
    }
    if (msg == WM_WINDOWPOSCHANGED && !(((WINDOWPOS*)lp)->flags & SWP_NOSIZE)) return sizeChanged(msg, wp, lp);
    return TWinControl::WndProc(msg, wp, lp);
}

bool TListView::arrangesIcons() const
{
    if (!fHandle) return false;
    LONG_PTR style = GetWindowLongPtrW(fHandle, GWL_STYLE);
    DWORD view = style & LVS_TYPEMASK;
    return (style & LVS_AUTOARRANGE) && (view == LVS_ICON || view == LVS_SMALLICON) && Items.Count() > 0;
}

// An auto-arranged icon view arranges and invalidates every row on each size
// change, and a layout pass (a window shown maximized, a pane's splitter)
// sizes it several times: drawing stays off through the pass, and the icons
// are arranged once after it.
LRESULT TListView::sizeChanged(UINT msg, WPARAM wp, LPARAM lp)
{
    if (!fArrangePending && !Items.Updating() && arrangesIcons()) {
        fArrangePending = true;
        lvCall(WM_SETREDRAW, FALSE, 0);
        PostMessageW(fHandle, kArrangeMessage, 0, 0);
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// Rows' positions are read after the arrange a size change left waiting.
void TListView::arrangePending() const
{
    if (!fArrangePending || !fHandle) return;
    fArrangePending = false;
    lvCall(LVM_ARRANGE, LVA_DEFAULT, 0);
    // An update under way turns drawing on when it ends.
    if (Items.Updating()) return;
    lvCall(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(fHandle, nullptr, TRUE);
}

void TListView::ColClick(TListColumn&) {}

void TListView::getDispInfo(NMLVDISPINFOW& info)
{
    LVITEMW& it = info.item;
    if (it.iItem < 0 || it.iItem >= Items.Count()) return;
    TListItem& row = Items[it.iItem];
    if ((it.mask & LVIF_TEXT) && it.pszText && it.cchTextMax > 0) {
        int sub = it.iSubItem - 1;
        const wchar_t* text = sub < 0 ? row.Caption.c_str() : sub < row.SubItems.Count() ? row.SubItems[sub].c_str() : L"";
        lstrcpynW(it.pszText, text, it.cchTextMax);
    }
    if (it.mask & LVIF_IMAGE) it.iImage = drawnImageIndex(row);
}

LRESULT TListView::customDraw(NMLVCUSTOMDRAW& cd)
{
    if (!OnCustomDrawItem && HideSelection) return CDRF_DODEFAULT;
    if (cd.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    int i = (int)cd.nmcd.dwItemSpec;
    if (cd.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || i < 0 || i >= Items.Count()) return CDRF_DODEFAULT;
    Canvas.Brush.Color = fColor;
    Canvas.Font.Color = Font.Color();
    bool defaultDraw = true;
    if (OnCustomDrawItem) OnCustomDrawItem(this, Items.Item(i), cd.nmcd.uItemState, defaultDraw);
    if (Canvas.Brush.Color != fColor) cd.clrTextBk = ColorToRGB(Canvas.Brush.Color);
    if (Canvas.Font.Color != Font.Color()) cd.clrText = ColorToRGB(Canvas.Font.Color);
    // A selection kept in sight without the focus is drawn in a tint of the
    // selection colour: the platform's own (the button face) can be all but
    // the list's white, and the rows' stripes hide it altogether.
    if (!HideSelection && (cd.nmcd.uItemState & CDIS_SELECTED) && GetFocus() != fHandle) {
        cd.nmcd.uItemState &= ~CDIS_SELECTED;
        COLORREF high = GetSysColor(COLOR_HIGHLIGHT), back = ColorToRGB(fColor);
        cd.clrTextBk = RGB((GetRValue(high) + GetRValue(back)) / 2, (GetGValue(high) + GetGValue(back)) / 2,
                           (GetBValue(high) + GetBValue(back)) / 2);
        cd.clrText = ColorToRGB(Font.Color());
    }
    return defaultDraw ? CDRF_NEWFONT : CDRF_SKIPDEFAULT;
}

int TListView::findItem(const NMLVFINDITEMW& find) const
{
    // Typing the first letters of a name goes to the next row that begins with them.
    const LVFINDINFOW& f = find.lvfi;
    int n = Items.Count();
    if (!(f.flags & (LVFI_STRING | LVFI_PARTIAL)) || !f.psz || n == 0) return -1;
    int len = lstrlenW(f.psz);
    int start = std::clamp(find.iStart, 0, n);
    for (int k = 0; k < n; ++k) {
        int i = start + k;
        if (i >= n) {
            if (!(f.flags & LVFI_WRAP)) return -1;
            i -= n;
        }
        const String& c = Items[i].Caption;
        int m = (f.flags & LVFI_PARTIAL) ? std::min(len, (int)c.size()) : (int)c.size();
        if ((m == len || !(f.flags & LVFI_PARTIAL)) &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, c.c_str(), m, f.psz, len) == CSTR_EQUAL)
            return i;
    }
    return -1;
}

bool TListView::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_NOTIFY) {
        NMHDR* h = (NMHDR*)lp;
        switch (h->code) {
        case LVN_GETDISPINFOW: getDispInfo(*(NMLVDISPINFOW*)lp); result = 0; return true;
        case NM_CUSTOMDRAW: result = customDraw(*(NMLVCUSTOMDRAW*)lp); return true;
        case LVN_ODFINDITEMW: result = findItem(*(NMLVFINDITEMW*)lp); return true;
        case LVN_KEYDOWN: keyMoving(((NMLVKEYDOWN*)lp)->wVKey); result = 0; return true;
        case LVN_ITEMCHANGED: {
            auto* nm = (NMLISTVIEW*)lp;
            if (OnSelectItem && (nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED))
                OnSelectItem(this, nm->iItem >= 0 && nm->iItem < Items.Count() ? Items.Item(nm->iItem) : nullptr,
                             (nm->uNewState & LVIS_SELECTED) != 0);
            result = 0;
            return true;
        }
        case LVN_COLUMNCLICK: {
            int c = ((NMLISTVIEW*)lp)->iSubItem;
            if (c >= 0 && c < Columns.Count()) ColClick(Columns[c]);
            result = 0;
            return true;
        }
        default: break;
        }
    }
    return TWinControl::Reflected(msg, wp, lp, result);
}
