// Reads what a screen reader reads of the game through Microsoft Active
// Accessibility: for the window titled "Form1" and each window in it, the
// client area's object and the elements under it, a line each: its name, a
// tab, its value. IAccessible's id is written here: the one in mingw's import
// library is not it.

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <vector>

namespace {

const IID AccessibleId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

void print(IAccessible* object, VARIANT child)
{
    BSTR name = nullptr;
    BSTR value = nullptr;
    object->get_accName(child, &name);
    object->get_accValue(child, &value);
    std::printf("%ls\t%ls\n", name ? name : L"", value ? value : L"");
    SysFreeString(name);
    SysFreeString(value);
}

void read(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, AccessibleId, reinterpret_cast<void**>(&object))))
        return;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    print(object, self);
    long count = 0;
    object->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count > 0 ? count : 0));
    long obtained = 0;
    if (count > 0 && SUCCEEDED(AccessibleChildren(object, 0, count, children.data(), &obtained)))
        for (long i = 0; i < obtained; ++i) {
            if (children[i].vt == VT_I4)
                print(object, children[i]);  // an element without a window of its own
            VariantClear(&children[i]);
        }
    object->Release();
}

BOOL CALLBACK readChild(HWND child, LPARAM)
{
    read(child);
    return TRUE;
}

} // namespace

int main()
{
    CoInitialize(nullptr);
    HWND window = FindWindowW(nullptr, L"Form1");
    if (!window)
        return 1;
    read(window);
    EnumChildWindows(window, readChild, 0);
    CoUninitialize();
    return 0;
}
