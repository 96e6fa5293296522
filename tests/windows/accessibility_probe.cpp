// Reads what a screen reader reads of the game through Microsoft Active
// Accessibility: for the window titled "Form1" and each window in it, the
// client area's object and the elements under it, a line each: its name, a
// tab, its value. IAccessible's id is written here: the one in mingw's import
// library is not it.
//
// With --listen SECONDS it listens instead, as a screen reader does, out of
// context, to every other program's focus and value changes for that long,
// and prints a line for each as it comes: "focus" or "value", the object's
// name, and whether its state says focused (for a focus) or its value (for a
// value change), tab-separated.

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const IID AccessibleId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::wstring textOf(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* object, VARIANT child)
{
    BSTR text = nullptr;
    (object->*get)(child, &text);
    std::wstring copy = text ? text : L"";
    SysFreeString(text);
    return copy;
}

void print(IAccessible* object, VARIANT child)
{
    std::printf("%ls\t%ls\n", textOf(&IAccessible::get_accName, object, child).c_str(),
                textOf(&IAccessible::get_accValue, object, child).c_str());
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

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD)
{
    IAccessible* object = nullptr;
    VARIANT child{};
    if (FAILED(AccessibleObjectFromEvent(window, objectId, childId, &object, &child)))
        return;
    const std::wstring name = textOf(&IAccessible::get_accName, object, child);
    if (event == EVENT_OBJECT_FOCUS) {
        VARIANT state{};
        object->get_accState(child, &state);
        const bool focused = state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_FOCUSED);
        std::printf("focus\t%ls\t%s\n", name.c_str(), focused ? "focused" : "not focused");
    } else {
        std::printf("value\t%ls\t%ls\n", name.c_str(), textOf(&IAccessible::get_accValue, object, child).c_str());
    }
    std::fflush(stdout);
    VariantClear(&child);
    object->Release();
}

int listen(int seconds)
{
    HWINEVENTHOOK focus = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, heard, 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    HWINEVENTHOOK value = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, heard, 0, 0,
                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!focus || !value)
        return 1;
    std::printf("listening\n");
    std::fflush(stdout);
    // Out-of-context events come as messages to this thread.
    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
        DispatchMessageW(&message);
    UnhookWinEvent(focus);
    UnhookWinEvent(value);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CoInitialize(nullptr);
    if (argc == 3 && std::string(argv[1]) == "--listen") {
        const int status = listen(std::atoi(argv[2]));
        CoUninitialize();
        return status;
    }
    HWND window = FindWindowW(nullptr, L"Form1");
    if (!window)
        return 1;
    read(window);
    EnumChildWindows(window, readChild, 0);
    CoUninitialize();
    return 0;
}
