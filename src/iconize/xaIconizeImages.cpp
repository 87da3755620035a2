// The shell's system image list and the icons inside an icon file.
#include "xaIconize.h"

#include "Handles.h"
#include "xaModulPath.h"
#include "xaY.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {
bool iconFileBroken(const String& file);
bool iconFileSound(const String& file);
}

int Ico_GetSysIndex(const String& path)
{
    // The shell draws an icon file's own picture from its icon directory, as
    // the file gives it; one that runs past the file makes the shell read
    // past it. Such a file shows its type's picture.
    if (AnsiSameText(File_Ext(path), L"ico") && iconFileBroken(path)) return Ico_GetTypeSysIndex(path, false);
    SHFILEINFOW info{};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    return info.iIcon;
}

int Ico_GetIconSysIndex(const String& iconFile, int iconIndex)
{
    // The shell's cache of icon locations adds a picture to every list it
    // keeps (more sizes than the two the panes draw), so that its indexes
    // stay one picture each. Later systems export the call by name, all by
    // its ordinal.
    using TGetCached = int(WINAPI*)(LPCWSTR, int, UINT);
    static const TGetCached getCached = [] {
        HMODULE shell = GetModuleHandleW(L"shell32.dll");
        FARPROC proc = shell ? GetProcAddress(shell, "Shell_GetCachedImageIndexW") : nullptr;
        if (shell && !proc) proc = GetProcAddress(shell, MAKEINTRESOURCEA(72));
        return reinterpret_cast<TGetCached>(reinterpret_cast<void (*)()>(proc));
    }();
    // The shell reads the file's icon directories as they stand; one that
    // lies makes it read past the file.
    if (!getCached || !iconFileSound(iconFile)) return -1;
    int index = getCached(iconFile.c_str(), iconIndex, 0);
    return index >= 0 ? index : -1;
}

int Ico_GetTypeSysIndex(const String& name, bool folder)
{
    // Some shells open the file named after all, for a type whose icon is
    // the file's own ("%1"), and a bare name is looked for in the current
    // folder, which may hold a broken icon file of that name. The name goes
    // under a file, where nothing can be.
    static const String under = [] {
        wchar_t self[MAX_PATH] = {};
        DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
        return n > 0 && n < MAX_PATH ? String(self) + L"\\" : String();
    }();
    String shown = under.empty() ? name : under + ExtractFileName(name);
    SHFILEINFOW info{};
    SHGetFileInfoW(shown.c_str(), folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
    return info.iIcon;
}

bool Ico_TypeIconPerFile(const String& ext)
{
    // The shell takes these icons from the file itself, or from a shortcut's
    // target through the type's icon handler; other types show their own
    // icon only when their DefaultIcon names the file ("%1").
    static const wchar_t* const own[] = {L"ico", L"cur", L"ani", L"exe", L"scr", L"cpl", L"icl", L"lnk", L"url", L"pif"};
    String e = AnsiLowerCase(ext);
    for (const wchar_t* o : own)
        if (e == o) return true;
    String file;
    int index = 0;
    return !e.empty() && Iconize_Get_Ext(e, file, index) && file.find(L"%1") != String::npos;
}

bool Ico_FolderIconPerFolder(DWORD attributes)
{
    return attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
}

void ImageList_AttachSys(TImageList& list, bool small)
{
    // Asked by a name no file has, of no folder: the lists are the same,
    // and the shell need not parse an empty path first (a tenth of the start).
    SHFILEINFOW info{};
    auto handle = (HIMAGELIST)SHGetFileInfoW(L"x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                             SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0));
    if (handle) list.SetHandle(handle, true);
}

namespace {

// A file's bytes, read a page at a time as the check reaches them: an icon
// file's check touches its header, its directory and the head of each
// image, never the pixels, and an icon file is checked each time a list
// draws its row.
class TFileBytes {
public:
    explicit TFileBytes(const String& file)
        : fFile(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        LARGE_INTEGER size;
        fOpen = fFile && GetFileSizeEx(fFile.Get(), &size);
        fSize = fOpen ? (uint64_t)size.QuadPart : 0;
    }
    bool Open() const { return fOpen; }
    // A read gave less than the file's size promised (it shrank, or a lock).
    bool Failed() const { return fFailed; }
    uint64_t size() const { return fSize; }

    char operator[](uint64_t at) const
    {
        uint64_t page = at / kPage;
        if (!fLast || page != fLastPage) {
            auto [it, added] = fPages.try_emplace(page);
            if (added) load(page, it->second);
            fLast = &it->second;
            fLastPage = page;
        }
        uint64_t off = at % kPage;
        if (off < fLast->size()) return (*fLast)[off];
        fFailed = true;
        return '\0';
    }
    bool Matches(uint64_t at, std::string_view s) const
    {
        for (size_t i = 0; i < s.size(); ++i)
            if ((*this)[at + i] != s[i]) return false;
        return true;
    }

private:
    static constexpr uint64_t kPage = 4096;
    TFileHandle fFile;
    bool fOpen = false;
    uint64_t fSize = 0;
    mutable bool fFailed = false;
    mutable std::unordered_map<uint64_t, std::string> fPages;
    mutable const std::string* fLast = nullptr;
    mutable uint64_t fLastPage = 0;

    void load(uint64_t page, std::string& bytes) const
    {
        uint64_t at = page * kPage;
        bytes.resize(at < fSize ? (size_t)std::min(kPage, fSize - at) : 0);
        LARGE_INTEGER to;
        to.QuadPart = (LONGLONG)at;
        DWORD got = 0;
        if (bytes.empty() || !SetFilePointerEx(fFile.Get(), to, nullptr, FILE_BEGIN) ||
            !ReadFile(fFile.Get(), bytes.data(), (DWORD)bytes.size(), &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
};

// The platform's icon extraction trusts an icon file's directories: a count
// or an offset that lies makes it read past the file and the process dies.
// Every directory is therefore walked here first, inside the file's bytes.
class TIconFileCheck {
public:
    explicit TIconFileCheck(const TFileBytes& bytes) : f(bytes) {}

    bool Sound() const
    {
        if (has(0, 64) && f[0] == 'M' && f[1] == 'Z') {
            uint64_t header = u32(0x3C);
            if (has(header, 4) && f.Matches(header, std::string_view("PE\0\0", 4))) return peSound(header);
            if (has(header, 2) && f.Matches(header, "NE")) return neSound(header);
            return true;  // a DOS program: no icons, nothing the platform walks
        }
        if (has(0, 4) && u16(0) == 0 && u16(2) == 1) return icoSound();
        return true;  // not an icon container: the platform gives no icons
    }

private:
    const TFileBytes& f;

    bool has(uint64_t at, uint64_t n) const { return at <= f.size() && n <= f.size() - at; }
    uint32_t u16(uint64_t at) const { return (uint8_t)f[at] | (uint8_t)f[at + 1] << 8; }
    uint32_t u32(uint64_t at) const { return u16(at) | u16(at + 2) << 16; }

    // One image of an icon: a PNG, or a bitmap header whose colours and
    // pixels lie inside Size bytes and whose mask lies inside the file.
    bool imageSound(uint64_t at, uint64_t size) const
    {
        if (!has(at, size) || size < 8) return false;
        if (f.Matches(at, "\x89PNG\r\n\x1A\n")) return true;  // the PNG reader checks its own chunks
        if (size < 40) return false;
        uint64_t headerSize = u32(at), width = u32(at + 4), height2 = u32(at + 8), bits = u16(at + 14);
        uint64_t compression = u32(at + 16), used = u32(at + 32);
        if (headerSize < 40 || width == 0 || width > 4096 || height2 < 2 || height2 > 8192 || used > 256) return false;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
        if (compression != BI_RGB && compression != BI_BITFIELDS) return false;
        uint64_t colours = used ? used : bits <= 8 ? 1u << bits : 0;
        uint64_t height = height2 / 2;
        uint64_t pixels = headerSize + colours * 4 + (compression == BI_BITFIELDS ? 12 : 0) +
                          (width * bits + 31) / 32 * 4 * height;
        uint64_t mask = (width + 31) / 32 * 4 * height;
        return pixels <= size && has(at, pixels + mask);
    }

    bool icoSound() const
    {
        uint64_t count = u16(4), entries = 6 + 16 * count;
        if (count == 0 || !has(0, entries)) return false;
        for (uint64_t e = 6; e < entries; e += 16) {
            uint64_t at = u32(e + 12);
            if (at < entries || !imageSound(at, u32(e + 8))) return false;
        }
        return true;
    }

    // A group (an icon with its sizes) names its images by resource number;
    // each must be there.
    bool groupSound(uint64_t at, uint64_t size, const std::set<uint32_t>& icons) const
    {
        if (!has(at, size) || size < 6 || u16(at) != 0 || u16(at + 2) != 1) return false;
        uint64_t count = u16(at + 4);
        if (count == 0 || 6 + 14 * count > size) return false;
        for (uint64_t e = at + 6; e < at + 6 + 14 * count; e += 14)
            if (!icons.count(u16(e + 12))) return false;
        return true;
    }

    bool peSound(uint64_t pe) const
    {
        if (!has(pe, 24)) return false;
        uint64_t sections = u16(pe + 6), optSize = u16(pe + 20), opt = pe + 24;
        if (!has(opt, optSize) || optSize < 2) return false;
        uint64_t magic = u16(opt), dirs = magic == 0x20B ? opt + 112 : opt + 96;
        if (magic != 0x10B && magic != 0x20B) return false;
        if (dirs + 24 > opt + optSize || u32(dirs - 4) < 3) return true;  // no resource directory
        uint64_t rva = u32(dirs + 16);
        if (rva == 0) return true;
        uint64_t table = opt + optSize;
        if (!has(table, 40 * sections)) return false;
        // The resources are read through the section that holds their root.
        for (uint64_t s = table; s < table + 40 * sections; s += 40) {
            uint64_t va = u32(s + 12), raw = u32(s + 16), start = u32(s + 20);
            if (rva < va || rva - va >= raw) continue;
            if (!has(start, raw)) raw = start < f.size() ? f.size() - start : 0;
            return resourcesSound(start, raw, va, rva - va);
        }
        return false;
    }

    // The resource tree: types, names, languages. Every number in it is
    // checked against the section before it is followed.
    bool resourcesSound(uint64_t start, uint64_t raw, uint64_t va, uint64_t root) const
    {
        auto inside = [&](uint64_t off, uint64_t n) { return off <= raw && n <= raw - off; };
        auto entries = [&](uint64_t dir, uint64_t& first, uint64_t& count) {
            if (!inside(dir, 16)) return false;
            first = start + dir + 16;
            count = (uint64_t)u16(start + dir + 12) + u16(start + dir + 14);
            return inside(dir + 16, 8 * count);
        };
        std::set<uint32_t> icons;
        std::vector<std::pair<uint64_t, uint64_t>> groups;
        uint64_t types, typeCount;
        if (!entries(root, types, typeCount)) return false;
        for (uint64_t t = types; t < types + 8 * typeCount; t += 8) {
            uint32_t type = u32(t);
            if (type != 3 && type != 14) continue;  // RT_ICON, RT_GROUP_ICON
            uint64_t names, nameCount;
            if (!(u32(t + 4) & 0x80000000) || !entries(root + (u32(t + 4) & 0x7FFFFFFF), names, nameCount)) return false;
            for (uint64_t n = names; n < names + 8 * nameCount; n += 8) {
                uint64_t langs, langCount;
                if (!(u32(n + 4) & 0x80000000) || !entries(root + (u32(n + 4) & 0x7FFFFFFF), langs, langCount))
                    return false;
                for (uint64_t l = langs; l < langs + 8 * langCount; l += 8) {
                    uint64_t data = root + u32(l + 4);
                    if ((u32(l + 4) & 0x80000000) || !inside(data, 16)) return false;
                    uint64_t dataRva = u32(start + data), size = u32(start + data + 4);
                    if (dataRva < va || !inside(dataRva - va, size)) return false;
                    uint64_t at = start + dataRva - va;
                    if (type == 14)
                        groups.emplace_back(at, size);
                    else if (!imageSound(at, size))
                        return false;
                    else if (!(u32(n) & 0x80000000))
                        icons.insert(u32(n));
                }
            }
        }
        for (auto [at, size] : groups)
            if (!groupSound(at, size, icons)) return false;
        return true;
    }

    // A 16-bit module (an .icl icon library): its resource table lists
    // types, each with its resources' offsets and lengths in units of 2^shift.
    bool neSound(uint64_t ne) const
    {
        if (!has(ne, 0x28)) return false;
        uint64_t table = ne + u16(ne + 0x24);
        if (!has(table, 2)) return false;
        uint32_t shift = u16(table);
        if (shift > 16) return false;
        std::set<uint32_t> icons;
        std::vector<std::pair<uint64_t, uint64_t>> groups;
        for (uint64_t t = table + 2;;) {
            if (!has(t, 2)) return false;
            uint32_t type = u16(t);
            if (type == 0) break;
            if (!has(t, 8)) return false;
            uint64_t count = u16(t + 2), names = t + 8;
            if (!has(names, 12 * count)) return false;
            for (uint64_t n = names; n < names + 12 * count; n += 12) {
                uint64_t at = (uint64_t)u16(n) << shift, length = (uint64_t)u16(n + 2) << shift;
                if (type != 0x8003 && type != 0x800E) continue;
                if (at >= f.size()) return false;
                length = std::min<uint64_t>(length, f.size() - at);  // the last one may lack its padding
                if (type == 0x800E)
                    groups.emplace_back(at, length);
                else if (!imageSound(at, length))
                    return false;
                else
                    icons.insert(u16(n + 6) & 0x7FFF);
            }
            t = names + 12 * count;
        }
        for (auto [at, size] : groups)
            if (!groupSound(at, size, icons)) return false;
        return true;
    }
};

// Whether File can be read and its icon directories fit its contents.
bool iconFileSound(const String& file)
{
    TFileBytes bytes(file);
    return bytes.Open() && TIconFileCheck(bytes).Sound() && !bytes.Failed();
}

// A file that cannot be opened is none the shell reads either (a folder
// named like an icon file among them).
bool iconFileBroken(const String& file)
{
    TFileBytes bytes(file);
    return bytes.Open() && (!TIconFileCheck(bytes).Sound() || bytes.Failed());
}

}  // namespace

namespace {

// Icons put side by side into one strip of a list's image size, with their
// masks, for the list to take in one call.
class TIconStrip {
public:
    TIconStrip(int width, int height, int count) : fWidth(width), fHeight(height)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width * count, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        fColours.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        fMasks.Reset(CreateBitmap(width * count, height, 1, 1, nullptr));
        if (!fColours || !fMasks || !fTo || !fMaskTo || !fFrom) return;
        fColourScope.emplace(fTo, fColours.Get());
        fMaskScope.emplace(fMaskTo, fMasks.Get());
        // Until an icon is put there a place is empty: black, and all
        // transparent by its mask.
        PatBlt(fMaskTo, 0, 0, width * count, height, WHITENESS);
        SetStretchBltMode(fTo, COLORONCOLOR);
        fReady = true;
    }
    ~TIconStrip()
    {
        fColourScope.reset();
        fMaskScope.reset();
        for (HDC dc : {fTo, fMaskTo, fFrom})
            if (dc) DeleteDC(dc);
    }
    TIconStrip(const TIconStrip&) = delete;
    TIconStrip& operator=(const TIconStrip&) = delete;

    bool Ready() const { return fReady; }

    // The icon's own bitmaps, as it holds them: drawing it would blend its
    // alpha into the strip.
    bool Put(int place, HICON icon)
    {
        ICONINFO ii{};
        if (!fReady || !GetIconInfo(icon, &ii)) return false;
        TGdiObject colour(ii.hbmColor), mask(ii.hbmMask);
        BITMAP bm{};
        if (!mask || !GetObjectW(mask.Get(), sizeof bm, &bm)) return false;
        int x = fWidth * place, h = colour ? bm.bmHeight : bm.bmHeight / 2;
        TSelectScope from(fFrom, mask.Get());
        bool done = StretchBlt(fMaskTo, x, 0, fWidth, fHeight, fFrom, 0, 0, bm.bmWidth, h, SRCCOPY);
        if (!colour)  // a two-colour icon: its picture lies under its mask in one bitmap
            return done && StretchBlt(fTo, x, 0, fWidth, fHeight, fFrom, 0, h, bm.bmWidth, h, SRCCOPY);
        TSelectScope picture(fFrom, colour.Get());
        return done && StretchBlt(fTo, x, 0, fWidth, fHeight, fFrom, 0, 0, bm.bmWidth, h, SRCCOPY);
    }

    // Adds the strip to List; false when the list would not take it.
    bool AddTo(TImageList& list)
    {
        fColourScope.reset();
        fMaskScope.reset();
        return list.AddStrip((HBITMAP)fColours.Get(), (HBITMAP)fMasks.Get()) >= 0;
    }

private:
    int fWidth, fHeight;
    bool fReady = false;
    TGdiObject fColours, fMasks;
    HDC fTo = CreateCompatibleDC(nullptr), fMaskTo = CreateCompatibleDC(nullptr), fFrom = CreateCompatibleDC(nullptr);
    std::optional<TSelectScope> fColourScope, fMaskScope;
};

}  // namespace

bool ImageList_LoadIcoFile(const String& file, TImageList& list, bool tellUser)
{
    if (!FileExists(file)) return true;
    if (!iconFileSound(file)) {
        list.Clear();
        if (tellUser)
            Y_ShowColor(L"The icon file cannot be read or is damaged (its icon directory does not match its "
                        L"contents); no icons were taken from it:\r\n" + file, clYError);
        return false;
    }
    HINSTANCE self = GetModuleHandleW(nullptr);
    UINT count = (UINT)(UINT_PTR)ExtractIconW(self, file.c_str(), (UINT)-1);
    // The icons come from the shell a batch at a time (one call reads the
    // file's directory once, where one call per icon reads it for each), and
    // each batch's pictures go into a strip the list takes at once. A batch
    // bounds the icons alive together: a module may hold thousands.
    constexpr UINT kBatch = 128;
    std::vector<std::unique_ptr<TIconStrip>> strips;
    std::vector<HICON> got;
    for (UINT first = 0; first < count; first += kBatch) {
        UINT n = std::min(kBatch, count - first);
        got.assign(n, nullptr);
        ExtractIconExW(file.c_str(), (int)first, got.data(), nullptr, n);
        std::vector<THIcon> icons(got.begin(), got.end());
        auto strip = std::make_unique<TIconStrip>(list.Width(), list.Height(), (int)n);
        if (!strip->Ready()) break;
        // Image i must stay icon i of the file, since callers apply the
        // index the user picks in the list: an icon that cannot be read
        // keeps its place, empty.
        for (UINT i = 0; i < n; ++i) {
            if (icons[i]) strip->Put((int)i, icons[i].Get());
            icons[i].Reset();  // the strip has its pictures
        }
        strips.push_back(std::move(strip));
    }
    // The list changes only now that every picture is ready.
    list.Clear();
    for (auto& strip : strips)
        if (!strip->AddTo(list)) break;  // later images would take earlier places
    return true;
}
