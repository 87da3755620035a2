// The floor of iconizing a folder: the least work that gives the program's
// guarantees, written straight on Win32. Each new file is made under a
// temporary name, flushed and only then put in place (nothing half-written if
// the process dies), the Desktop.ini found there is read (its other lines are
// the user's), the marks are set, and the shell is told with the program's
// own series of notices. Used by the iconize benchmark in its own process and
// by mode0_floor.exe as a whole program.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

// Writes Bytes to a new file beside Path, flushes it and puts it in Path's
// place. The new file has the marks Attributes from the start: the move keeps
// them, so no second call sets them.
inline bool Lean_StagedWrite(const std::wstring& path, const std::string& bytes, DWORD attributes)
{
    std::wstring temp = path + L".~tmp";
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = WriteFile(h, bytes.data(), (DWORD)bytes.size(), &put, nullptr) && put == bytes.size() && FlushFileBuffers(h);
    CloseHandle(h);
    ok = ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

// Gives Folder the icon Icon,Index; with Copy, a hidden copy Desktop.ico of it.
inline bool Lean_IconizeFolder(const std::wstring& folder, const std::wstring& icon, const std::wstring& index, bool copy)
{
    std::wstring ini = folder + L"\\Desktop.ini", target = folder + L"\\Desktop.ico";
    std::string old;  // what the file held: the user's lines
    HANDLE h = CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        old.resize(GetFileSize(h, nullptr) & 0xFFFF);
        DWORD got = 0;
        ReadFile(h, old.data(), (DWORD)old.size(), &got, nullptr);
        CloseHandle(h);
    }
    if (copy) {
        std::wstring temp = target + L".~tmp";
        if (!CopyFileW(icon.c_str(), temp.c_str(), TRUE) ||
            !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
    }
    std::wstring text = L"\xFEFF[.ShellClassInfo]\r\nIconFile=" + (copy ? std::wstring(L"Desktop.ico") : icon) +
                        L"\r\nIconIndex=" + index + L"\r\n";
    if (!Lean_StagedWrite(ini, std::string((const char*)text.data(), text.size() * 2),
                          FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE))
        return false;
    if (copy) SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW(folder.c_str(), GetFileAttributesW(folder.c_str()) | FILE_ATTRIBUTE_READONLY);
    return true;
}

// The program's series of notices after folders changed their icons.
inline void Lean_Notices()
{
    static const wchar_t c[] = L"C";
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH | SHCNF_FLUSHNOWAIT, nullptr, nullptr);
    SHChangeNotify(SHCNE_UPDATEIMAGE, SHCNF_DWORD, nullptr, nullptr);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_FLUSH | SHCNF_PATHW, c, nullptr);
    for (UINT kind : {SHCNF_PATHA, SHCNF_PRINTERA, SHCNF_DWORD, SHCNF_PATHW, SHCNF_PRINTERW, SHCNF_TYPE})
        SHChangeNotify(SHCNE_UPDATEITEM, kind, c, nullptr);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// Takes the icon away again: Desktop.ini read (only a file of nothing but
// our keys goes) and deleted, the copy deleted when it is ours (hidden, not a
// system file), and the folder's mark taken off once Desktop.ini is gone.
// Hidden and system marks do not stop a delete; only a read-only mark does,
// and a read-only Desktop.ini is the user's to keep.
inline void Lean_ClearFolder(const std::wstring& folder)
{
    std::wstring ini = folder + L"\\Desktop.ini", copy = folder + L"\\Desktop.ico";
    HANDLE h = CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    std::string bytes(GetFileSize(h, nullptr) & 0xFFFF, '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), (DWORD)bytes.size(), &got, nullptr);
    CloseHandle(h);
    if (!DeleteFileW(ini.c_str())) return;
    DWORD a = GetFileAttributesW(copy.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_HIDDEN) && !(a & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY))) {
        if (a & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(copy.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
        DeleteFileW(copy.c_str());
    }
    SetFileAttributesW(folder.c_str(), GetFileAttributesW(folder.c_str()) & ~FILE_ATTRIBUTE_READONLY);
}
