// The application class {449354E9-CDD8-4A11-BD82-0D4A3C21E7D2} is created and asked for its
// interface {AFAB189D-226A-4047-B98F-CD75CE56DDE4}. That interface is dual: its members are
// called through its dispatch part by name, so no type-library header is needed to build this.
#include "cad/nanocad_com_win.h"

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

namespace quillon::com {

namespace {

const CLSID kApplicationClass = {
    0x449354E9, 0xCDD8, 0x4A11, {0xBD, 0x82, 0x0D, 0x4A, 0x3C, 0x21, 0xE7, 0xD2}};
const IID kApplicationInterface = {
    0xAFAB189D, 0x226A, 0x4047, {0xB9, 0x8F, 0xCD, 0x75, 0xCE, 0x56, 0xDD, 0xE4}};

IDispatch* Dispatch(void* p) {
    return static_cast<IDispatch*>(p);
}

bool Invoke(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* arg, VARIANT* result) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    if (arg) {
        params.rgvarg = arg;
        params.cArgs = 1;
        if (kind == DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &named;
            params.cNamedArgs = 1;
        }
    }
    return SUCCEEDED(
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr));
}

bool GetLong(IDispatch* object, const wchar_t* name, long long& value) {
    VARIANT v;
    VariantInit(&v);
    if (!Invoke(object, name, DISPATCH_PROPERTYGET, nullptr, &v)) return false;
    VARIANT i8;
    VariantInit(&i8);
    const bool ok = SUCCEEDED(VariantChangeType(&i8, &v, 0, VT_I8));
    if (ok) value = i8.llVal;
    VariantClear(&v);
    return ok;
}

} // namespace

TopWindow FindTopWindow(const std::wstring& title) {
    const HWND window = FindWindowW(nullptr, title.c_str());
    if (!window) return {};
    return {true, IsWindowEnabled(window) != FALSE};
}

std::unique_ptr<NanoCadApplication> NanoCadApplication::Create() {
    // COM is made ready on a thread that has not done so, and stays so for the object; on one
    // that has, the extra reference is given back at once, or the thread's own last
    // CoUninitialize would leave the library loaded.
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(init) && init != RPC_E_CHANGED_MODE) return nullptr;
    if (init == S_FALSE) CoUninitialize();
    void* object = nullptr;
    if (FAILED(CoCreateInstance(kApplicationClass, nullptr,
                                CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kApplicationInterface,
                                &object)) ||
        !object)
        return nullptr;
    return std::unique_ptr<NanoCadApplication>(new NanoCadApplication(object));
}

NanoCadApplication::~NanoCadApplication() {
    Dispatch(app_)->Release();
}

bool NanoCadApplication::WindowState(long& state) {
    long long value = 0;
    if (!GetLong(Dispatch(app_), L"WindowState", value)) return false;
    state = long(value);
    return true;
}

bool NanoCadApplication::SetWindowState(long state) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = state;
    return Invoke(Dispatch(app_), L"WindowState", DISPATCH_PROPERTYPUT, &v, nullptr);
}

bool NanoCadApplication::MainWindow(std::uintptr_t& handle) {
    long long value = 0;
    if (!GetLong(Dispatch(app_), L"HWND", value)) return false;
    handle = std::uintptr_t(value);
    return true;
}

bool NanoCadApplication::BringToFront(std::uintptr_t handle) {
    return SetForegroundWindow(reinterpret_cast<HWND>(handle)) != FALSE;
}

std::unique_ptr<NanoCadDocument> NanoCadApplication::ActiveDocument() {
    VARIANT v;
    VariantInit(&v);
    if (!Invoke(Dispatch(app_), L"ActiveDocument", DISPATCH_PROPERTYGET, nullptr, &v))
        return nullptr;
    IDispatch* document = nullptr;
    if (v.vt == VT_DISPATCH && v.pdispVal) {
        document = v.pdispVal;
        document->AddRef();
    }
    VariantClear(&v);
    if (!document) return nullptr;
    return std::unique_ptr<NanoCadDocument>(new NanoCadDocument(document));
}

NanoCadDocument::~NanoCadDocument() {
    Dispatch(doc_)->Release();
}

bool NanoCadDocument::SendCommand(const std::wstring& text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(text.data(), UINT(text.size()));
    if (!v.bstrVal) return false;
    const bool ok = Invoke(Dispatch(doc_), L"SendCommand", DISPATCH_METHOD, &v, nullptr);
    VariantClear(&v);
    return ok;
}

} // namespace quillon::com
