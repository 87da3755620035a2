// The file list view against its floor, side by side in one run: a plain
// owner-data list view written straight on Win32 doing the same work
// (enumerate the folder, sort folders first and then by name, the type icons
// of the first screen, texts given as drawn, the first paint). Listing a
// folder until its first screenful is drawn with icons, at 10,000 and
// 100,000 entries; sorting by size against sorting by name; re-listing with
// a thousand rows selected against none; and the growth from 10,000 to
// 100,000 entries. Each folder begins with folders (one marked with an icon
// of its own) and files that show their own icons (.ico, .exe, .lnk), so
// that the first screen goes the own-icon way. The folders are made
// beforehand by bench/listview_setup.sh.
//
//   wine bench_listview.exe FOLDER_1K FOLDER_10K FOLDER_100K
#include "BenchSupport.h"
#include "xaIconize.h"
#include "xaShellListView.h"

#include "Forms.h"
#include "Handles.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

double msOf(const std::function<void()>& body)
{
    auto t0 = std::chrono::steady_clock::now();
    body();
    return msSince(t0);
}

size_t workingSet()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.WorkingSetSize;
}

// The floor: an owner-data report list view in a window of the same size,
// with the least a file list must do to show a folder.
class TPlainList {
public:
    TPlainList()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"DolvBenchPlainList";
        RegisterClassW(&wc);
        fFrame = CreateWindowExW(0, wc.lpszClassName, L"Plain", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                 wc.hInstance, this);
        fList = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS,
                                0, 0, 780, 560, fFrame, nullptr, wc.hInstance, nullptr);
        ListView_SetExtendedListViewStyle(fList, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        int widths[] = {400, 80, 80};
        for (int c = 0; c < 3; ++c) {
            LVCOLUMNW col{};
            col.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
            col.cx = widths[c];
            col.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            col.pszText = const_cast<wchar_t*>(L"");
            ListView_InsertColumn(fList, c, &col);
        }
        SHFILEINFOW info{};
        auto system = (HIMAGELIST)SHGetFileInfoW(L"x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                                 SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        ListView_SetImageList(fList, system, LVSIL_SMALL);
        ShowWindow(fFrame, SW_SHOW);
    }
    ~TPlainList() { DestroyWindow(fFrame); }
    HWND Frame() const { return fFrame; }
    int Count() const { return (int)fRows.size(); }

    void Clear()
    {
        ListView_SetItemCountEx(fList, 0, 0);
        fRows.clear();
        UpdateWindow(fList);
    }

    // Enumerates, sorts and shows Folder until its first screen is drawn.
    // The folder is read in large batches of entries without short names:
    // the find functions fetch a few dozen entries a call and make each
    // entry's short name, which a list of long names never shows.
    void Show(const String& folder)
    {
        fFolder = folder;
        fRows.clear();
        fIcons.clear();
        TFileHandle dir(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        fBatch.resize(1 << 20);
        for (auto kind = FileFullDirectoryRestartInfo;
             dir && GetFileInformationByHandleEx(dir.Get(), kind, fBatch.data(), (DWORD)fBatch.size());
             kind = FileFullDirectoryInfo)
            for (size_t at = 0;;) {
                auto& e = *(FILE_FULL_DIR_INFO*)(fBatch.data() + at);
                TRow r;
                r.Name.assign(e.FileName, e.FileNameLength / sizeof(wchar_t));
                if (r.Name != L"." && r.Name != L"..") {
                    r.Folder = e.FileAttributes & FILE_ATTRIBUTE_DIRECTORY;
                    r.Size = e.EndOfFile.QuadPart;
                    r.Key = r.Name;
                    CharUpperBuffW(r.Key.data(), (DWORD)r.Key.size());
                    fRows.push_back(std::move(r));
                }
                if (!e.NextEntryOffset) break;
                at += e.NextEntryOffset;
            }
        std::sort(fRows.begin(), fRows.end(), [](const TRow& a, const TRow& b) {
            return a.Folder != b.Folder ? a.Folder : a.Key < b.Key;
        });
        ListView_SetItemCountEx(fList, (int)fRows.size(), LVSICF_NOSCROLL);
        UpdateWindow(fList);
    }

private:
    struct TRow {
        String Name, Key;
        bool Folder;
        int64_t Size;
    };
    HWND fFrame, fList;
    String fFolder;
    std::vector<TRow> fRows;
    std::vector<BYTE> fBatch;  // entries as the file system hands them over
    std::map<String, int> fIcons;  // a type's icon, asked of the shell once

    int typeIcon(const TRow& r)
    {
        size_t dot = r.Name.rfind(L'.');
        String type = r.Folder ? String(L"\\") : dot == String::npos ? String() : r.Name.substr(dot);
        CharLowerBuffW(type.data(), (DWORD)type.size());
        auto [it, added] = fIcons.try_emplace(type, 0);
        if (added) {
            SHFILEINFOW info{};
            SHGetFileInfoW(r.Folder ? L"folder" : (L"x" + type).c_str(),
                           r.Folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
            it->second = info.iIcon;
        }
        return it->second;
    }

    void dispInfo(LVITEMW& it)
    {
        if (it.iItem < 0 || it.iItem >= (int)fRows.size()) return;
        TRow& r = fRows[it.iItem];
        if ((it.mask & LVIF_TEXT) && it.pszText && it.cchTextMax > 0) {
            size_t dot = r.Folder ? String::npos : r.Name.rfind(L'.');
            String text = it.iSubItem == 0 ? r.Name.substr(0, dot)
                          : it.iSubItem == 1 ? (r.Folder ? String(L"Folder") : dot == String::npos ? String() : r.Name.substr(dot + 1))
                          : r.Folder ? String(L"---")
                                     : std::to_wstring(r.Size) + L" byte";
            lstrcpynW(it.pszText, text.c_str(), it.cchTextMax);
        }
        if (it.mask & LVIF_IMAGE) it.iImage = typeIcon(r);
    }

    static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_NCCREATE) SetWindowLongPtrW(h, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTW*)l)->lpCreateParams);
        auto* self = (TPlainList*)GetWindowLongPtrW(h, GWLP_USERDATA);
        if (m == WM_NOTIFY && self && ((NMHDR*)l)->code == LVN_GETDISPINFOW) {
            self->dispInfo(((NMLVDISPINFOW*)l)->item);
            return 0;
        }
        return DefWindowProcW(h, m, w, l);
    }
};

void ratio(const char* name, double value, double goal) { std::printf("ratio %s %.2f %g\n", name, value, goal); }

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::printf("usage: bench_listview FOLDER_1K FOLDER_10K FOLDER_100K\n");
        return 2;
    }
    CoInitialize(nullptr);
    String small = argv[2], large = argv[3];
    for (int i = 1; i <= 3; ++i) Bench_MakeOwnIconEntries(argv[i]);

    TPlainList plain;
    TForm form(nullptr);
    form.SetBounds(0, 0, 800, 600);
    auto* lv = new TxaShellListView(&form);
    lv->SetParent(&form);
    lv->SetBounds(0, 0, 780, 560);
    lv->SetViewStyle(vsReport);
    lv->SetShowHide(true);  // the marked folder is a system one
    lv->Sort(0, 1);         // by name, as the floor sorts
    form.Show();
    Application.ProcessMessages();
    HWND h = lv->Handle();
    // Each side is raised over the other before its turn, so that each draws
    // a whole screen; what is cleared or raised is not timed.
    auto ours = [&](const String& path) {
        SetWindowPos(form.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        lv->SetPath(L"");
        Application.ProcessMessages();
        return msOf([&] {
            lv->SetPath(path);
            UpdateWindow(h);  // the first screenful, drawn with its icons
        });
    };
    auto floor = [&](const String& path) {
        SetWindowPos(plain.Frame(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        plain.Clear();
        Application.ProcessMessages();
        return msOf([&] { plain.Show(path); });
    };
    // Taken in turns, each side going first every other round, the best
    // round of each kept: other work on the machine only ever adds time.
    auto pair = [&](const String& path, int rounds, double& oursMs, double& floorMs) {
        oursMs = floorMs = 1e300;
        for (int r = 0; r < rounds; ++r) {
            if (r % 2) floorMs = std::min(floorMs, floor(path));
            oursMs = std::min(oursMs, ours(path));
            if (r % 2 == 0) floorMs = std::min(floorMs, floor(path));
        }
    };
    ours(small);  // warms the shell's caches for both sides
    floor(small);
    double smallMs, smallFloor, largeMs, largeFloor;
    pair(small, 9, smallMs, smallFloor);
    int smallRows = plain.Count();
    int ownShown = 0;
    lv->SetPath(small);
    UpdateWindow(h);
    for (int i = 0; i < lv->Items.Count() && lv->Items[i].ImageResolved(); ++i) ownShown += lv->Items[i].ImageStandIn();

    lv->SetPath(L"");
    Application.ProcessMessages();
    size_t before = workingSet();
    ours(large);
    int largeRows = lv->Items.Count();
    double perRow = largeRows ? double(workingSet() - before) / largeRows : 0;
    floor(large);  // the floor's first reading of the folder, as ours had above
    pair(large, 3, largeMs, largeFloor);

    lv->SetPath(small);
    int rows = lv->Items.Count();
    // The two sorts alternate, each from the other's order, so that a slow
    // moment of the machine falls on both alike; the best round of each counts.
    int nap = 1;
    double captionMs = 1e300, sizeMs = 1e300;
    for (int i = 0; i < 15; ++i) {
        captionMs = std::min(captionMs, msOf([&] { lv->Sort(0, nap = -nap); }));
        sizeMs = std::min(sizeMs, msOf([&] { lv->Sort(2, nap); }));
    }
    double reloadNone = 1e300, reload1000 = 1e300;
    for (int i = 0; i < 5; ++i) {
        lv->DeselectAll();
        reloadNone = std::min(reloadNone, msOf([&] { lv->Reload(); }));
        lv->DeselectAll();
        for (int k = 0; k < rows; k += std::max(1, rows / 1000)) lv->Items[k].Selected = true;
        reload1000 = std::min(reload1000, msOf([&] { lv->Reload(); }));
    }
    int reselected = lv->SelCount();

    std::printf("%-48s %10s %10s\n", "best of the rounds, ms", "Dolv", "floor");
    std::printf("%-48s %10.1f %10.1f\n", "list 10,000 entries, first screenful drawn", smallMs, smallFloor);
    std::printf("%-48s %10.1f %10.1f\n", "list 100,000 entries, first screenful drawn", largeMs, largeFloor);
    std::printf("%-48s %10.1f\n", "sort by caption", captionMs);
    std::printf("%-48s %10.1f\n", "sort by size", sizeMs);
    std::printf("%-48s %10.1f\n", "reload, nothing selected", reloadNone);
    std::printf("%-48s %10.1f\n", "reload, 1000 selected", reload1000);
    std::printf("rows %d (floor %d) and %d, own-icon rows on the first screen %d, reselected %d, memory %.0f bytes per row\n",
                rows, smallRows, largeRows, ownShown, reselected, perRow);
    if (ownShown < 13) {
        std::printf("the first screen does not hold the files with icons of their own\n");
        return 1;
    }
    ratio("list_10k_vs_plain", smallMs / smallFloor, 1.1);
    ratio("list_100k_vs_plain", largeMs / largeFloor, 1.1);
    ratio("list_growth_100k_vs_10k", (largeMs / largeRows) / (smallMs / rows), 1.3);
    ratio("sort_size_vs_caption", sizeMs / captionMs, 1.2);
    ratio("reload_1000_selected_vs_none", reload1000 / reloadNone, 1.3);
    ratio("memory_per_row_kib", perRow / 1024, 1);
    CoUninitialize();
    return 0;
}
