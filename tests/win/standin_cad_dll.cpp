// sources: tests/win/standin/cad_objects.cpp
// The stand-in CAD's automation served in process (standin_cad.dll, InprocServer32 with the
// threading model Apartment). Its window is the one standin_cad_server.exe makes.
#include "win/standin/cad_objects.h"

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    *out = nullptr;
    if (clsid != standin::kApplicationClass) return CLASS_E_CLASSNOTAVAILABLE;
    IClassFactory* factory = standin::NewApplicationFactory();
    const HRESULT result = factory->QueryInterface(iid, out);
    factory->Release();
    return result;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return standin::Unused() ? S_OK : S_FALSE;
}
