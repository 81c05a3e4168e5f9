#include "win/standin/cad_objects.h"

#include <oleauto.h>

#include <cwchar>
#include <string>

namespace standin {

namespace {

LONG live = 0; // objects and locks

std::wstring Environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value, n) : std::wstring();
}

HWND Window() {
    return FindWindowW(nullptr, L"nanoCAD 5");
}

// What every object of the stand-in shares: a count of its references, made with one, and the
// interfaces it answers (IUnknown, `Interface` and one more of its own).
template <class Interface> class Counted : public Interface {
public:
    explicit Counted(const IID& answered, const IID& own) : answered_(answered), own_(own) {}
    virtual ~Counted() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != answered_ && iid != own_) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return ULONG(n);
    }

private:
    LONG refs_ = 1;
    IID answered_, own_;
};

// An object reached by member names; each name's DISPID is its place in `names` plus one.
class Object : public Counted<IDispatch> {
public:
    Object(const wchar_t* const* names, UINT count, const IID& own)
        : Counted(IID_IDispatch, own), names_(names), count_(count) {
        InterlockedIncrement(&live);
    }
    ~Object() override { InterlockedDecrement(&live); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT n, LCID,
                                            DISPID* ids) override {
        HRESULT result = S_OK;
        for (UINT i = 0; i < n; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (UINT k = 0; k < count_; ++k)
                if (_wcsicmp(names[i], names_[k]) == 0) ids[i] = DISPID(k + 1);
            if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        return Call(id, kind, *params, result);
    }

protected:
    virtual HRESULT Call(DISPID id, WORD kind, const DISPPARAMS& params, VARIANT* result) = 0;

    // The one argument, as this type; false when there is not exactly one or it does not convert.
    static bool Argument(const DISPPARAMS& params, VARTYPE type, VARIANT& value) {
        VariantInit(&value);
        return params.cArgs == 1 &&
               SUCCEEDED(VariantChangeType(&value, &params.rgvarg[0], 0, type));
    }

private:
    const wchar_t* const* names_;
    UINT count_;
};

const wchar_t* const kDocumentMembers[] = {L"SendCommand"};

class Document : public Object {
public:
    Document() : Object(kDocumentMembers, 1, IID_IDispatch) {}

protected:
    HRESULT Call(DISPID id, WORD kind, const DISPPARAMS& params, VARIANT*) override {
        VARIANT text;
        if (id != 1 || !(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (!Argument(params, VT_BSTR, text)) return DISP_E_TYPEMISMATCH;
        std::wstring line(text.bstrVal, SysStringLen(text.bstrVal));
        VariantClear(&text);
        line += L'\n';
        const HANDLE log =
            CreateFileW(Environment(L"QUILLON_STANDIN_LOG").c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (log == INVALID_HANDLE_VALUE) return E_FAIL;
        DWORD written = 0;
        WriteFile(log, line.data(), DWORD(line.size() * sizeof(wchar_t)), &written, nullptr);
        CloseHandle(log);
        const std::wstring sleep = Environment(L"QUILLON_STANDIN_SLEEP_MS");
        if (!sleep.empty()) Sleep(DWORD(std::wcstoul(sleep.c_str(), nullptr, 10)));
        return S_OK;
    }
};

const wchar_t* const kApplicationMembers[] = {L"WindowState", L"HWND", L"ActiveDocument"};

class Application : public Object {
public:
    Application() : Object(kApplicationMembers, 3, kApplicationInterface) {}

protected:
    HRESULT Call(DISPID id, WORD kind, const DISPPARAMS& params, VARIANT* result) override {
        const HWND window = Window();
        if (id == 1 && (kind & DISPATCH_PROPERTYPUT)) {
            VARIANT state;
            if (!Argument(params, VT_I4, state)) return DISP_E_TYPEMISMATCH;
            ShowWindow(window, state.lVal == 3   ? SW_MAXIMIZE
                               : state.lVal == 2 ? SW_MINIMIZE
                                                 : SW_RESTORE);
            return S_OK;
        }
        if (!(kind & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
        VariantInit(result);
        switch (id) {
        case 1:
            result->vt = VT_I4;
            result->lVal = IsIconic(window) ? 2 : IsZoomed(window) ? 3 : 1;
            return S_OK;
        case 2: // as a 32-bit integer, as handles are: the caller widens it
            result->vt = VT_I4;
            result->lVal = HandleToLong(window);
            return S_OK;
        case 3:
            result->vt = VT_DISPATCH;
            result->pdispVal = new Document;
            return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }
};

class Factory final : public Counted<IClassFactory> {
public:
    Factory() : Counted(IID_IClassFactory, IID_IClassFactory) {}
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        Application* a = new Application;
        const HRESULT result = a->QueryInterface(iid, out);
        a->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&live);
        else
            InterlockedDecrement(&live);
        return S_OK;
    }
};

} // namespace

IClassFactory* NewApplicationFactory() {
    return new Factory;
}

bool Unused() {
    return InterlockedCompareExchange(&live, 0, 0) == 0;
}

} // namespace standin
