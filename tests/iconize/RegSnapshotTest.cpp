// The registry snapshot every test that writes keys leans on: after it the
// prefix's classes are as the test found them, for the next test and for a
// user's run of the program in the same prefix.
#include "Handles.h"
#include "IconizeTestSupport.h"
#include "Registry.h"

namespace {

const HKEY CR = HKEY_CLASSES_ROOT;

// Every value and subkey of Key, in one line.
String Dump(const String& key)
{
    TRegistry reg(KEY_READ);
    reg.RootKey = CR;
    if (!reg.OpenKeyReadOnly(key)) return L"-";
    THKey h;
    RegOpenKeyExW(CR, key.c_str(), 0, KEY_READ, h.Put());
    String out;
    wchar_t name[256];
    BYTE data[512];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256, size = sizeof data, type = 0;
        if (RegEnumValueW(h.Get(), i, name, &len, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        out += String(name, len) + L"=" + IntToStr((int)type) + L":" +
               String((const wchar_t*)data, size / sizeof(wchar_t)).c_str() + L";";
    }
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(h.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        String sub(name, len);
        out += L"[" + sub + L": " + Dump(key + L"\\" + sub) + L"]";
    }
    return out;
}

TEST(RegSnapshot, PutsBackWhatTheTestChangedAndTakesAwayWhatItMade)
{
    const String theirs = L".dolvsnap", deep = L"DolvSnapNew\\a\\b\\DefaultIcon";
    struct TGone {
        TGone() { clean(); }
        ~TGone() { clean(); }
        static void clean() { RegDeleteTreeQuiet(CR, L".dolvsnap"); RegDeleteTreeQuiet(CR, L"DolvSnapNew"); }
    } gone;
    RegSetValue(CR, theirs, L"", L"theirs");
    RegSetValue(CR, theirs, L"Kept", L"1", REG_EXPAND_SZ);
    RegSetValue(CR, theirs + L"\\shell\\open", L"", L"open");
    RegSetValue(CR, theirs + L"\\Gone", L"", L"x");
    const String before = Dump(theirs);
    {
        TRegSnapshot keep(CR, {theirs, deep});
        RegSetValue(CR, theirs, L"", L"changed");
        RegSetValue(CR, theirs, L"Kept", L"1");  // the same text, another type
        RegSetValue(CR, theirs, L"Added", L"x");
        RegSetValue(CR, theirs + L"\\shell\\open\\command", L"", L"added");
        RegSetValue(CR, theirs + L"\\DefaultIcon", L"", L"added");
        RegDeleteTreeQuiet(CR, theirs + L"\\Gone");
        RegSetValue(CR, deep, L"", L"made with its parents");
    }
    EXPECT_EQ(N(Dump(theirs)), N(before));
    EXPECT_FALSE(RegKeyExists(CR, L"DolvSnapNew")) << "the parents a write made go with the key";
}

}  // namespace
