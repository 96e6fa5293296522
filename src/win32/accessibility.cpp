#include "win32/accessibility.h"

#include <oleacc.h>

#include <map>
#include <utility>

namespace velmora {

namespace {

// IAccessible's id, written here: the one in mingw's import library is not it.
const IID AccessibleId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The few calls the objects need, from the system's folder at the first
// question; all null when they cannot be had.
struct System {
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&LresultFromObject) answer = nullptr;
    decltype(&SysAllocString) text = nullptr;
};

const System& oleCalls()
{
    static const System loaded = [] {
        const auto call = [](const wchar_t* library, const char* name) {
            HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            return module ? reinterpret_cast<void (*)()>(GetProcAddress(module, name)) : nullptr;
        };
        System found;
        found.standardObject = reinterpret_cast<decltype(found.standardObject)>(
            call(L"oleacc.dll", "CreateStdAccessibleObject"));
        found.answer = reinterpret_cast<decltype(found.answer)>(call(L"oleacc.dll", "LresultFromObject"));
        found.text = reinterpret_cast<decltype(found.text)>(call(L"oleaut32.dll", "SysAllocString"));
        return found;
    }();
    return loaded;
}

bool isSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object for a client area, answering with the game's name and
// value for itself; everything else, its children included, is the system's.
class NamedObject final : public IAccessible {
public:
    NamedObject(IAccessible* standard, std::wstring name, std::function<std::wstring()> value)
        : standard_(standard), name_(std::move(name)), value_(std::move(value))
    {
    }
    NamedObject(const NamedObject&) = delete;
    NamedObject& operator=(const NamedObject&) = delete;

    // IUnknown; the children's enumeration and the window are the system object's.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch) && !IsEqualIID(id, AccessibleId))
            return standard_->QueryInterface(id, out);
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* wrong) override
    {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, wrong);
    }

    // IAccessible: the name and the value its own, the rest the system's.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return isSelf(child) ? text(name_, name) : standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return isSelf(child) && value_ ? text(value_(), value) : standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** found) override
    {
        return standard_->get_accChild(child, found);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedObject() { standard_->Release(); }

    static HRESULT text(const std::wstring& from, BSTR* to)
    {
        *to = oleCalls().text(from.c_str());
        return *to ? S_OK : E_OUTOFMEMORY;
    }

    IAccessible* standard_;
    std::wstring name_;
    std::function<std::wstring()> value_;
    LONG references_ = 1;
};

// The controls given a name, with their own window procedures.
struct Named {
    WNDPROC procedure;
    std::wstring name;
    bool textIsValue;
};

std::map<HWND, Named>& named()
{
    static std::map<HWND, Named> controls;
    return controls;
}

LRESULT CALLBACK namedProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Named found = named().at(control);
    const auto text = [control] {
        std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        shown.resize(static_cast<std::size_t>(GetWindowTextW(control, shown.data(), static_cast<int>(shown.size()))));
        return shown;
    };
    if (message == WM_GETOBJECT)
        if (const LRESULT answer = answerGetObject(control, wParam, lParam, found.name,
                                                   found.textIsValue ? std::function<std::wstring()>(text) : nullptr))
            return answer;
    if (message == WM_NCDESTROY)
        named().erase(control);
    return CallWindowProcW(found.procedure, control, message, wParam, lParam);
}

} // namespace

LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                        std::function<std::wstring()> value)
{
    const System& calls = oleCalls();
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !calls.standardObject || !calls.answer || !calls.text)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(calls.standardObject(window, OBJID_CLIENT, AccessibleId, reinterpret_cast<void**>(&standard))))
        return 0;
    NamedObject* object = new NamedObject(standard, name, std::move(value));
    const LRESULT answer = calls.answer(AccessibleId, wParam, object);
    object->Release();  // the answer holds its own reference
    return answer < 0 ? 0 : answer;
}

void nameForScreenReaders(HWND control, const std::wstring& name, bool textIsValue)
{
    named()[control] = Named{reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)), name, textIsValue};
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(namedProcedure));
}

} // namespace velmora
