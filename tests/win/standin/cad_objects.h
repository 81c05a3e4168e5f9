// The stand-in CAD's automation objects, served in process (standin_cad.dll) and by a running
// local server (standin_cad_server.exe): the application class and interface the program asks
// for, reached through IDispatch by name. The application's window state and handle are those of
// the top-level window titled "nanoCAD 5"; its active document logs every SendCommand text, as
// UTF-16 ending in "\n", to the file QUILLON_STANDIN_LOG names, then sleeps for
// QUILLON_STANDIN_SLEEP_MS milliseconds when that is set: a CAD busy with what it was sent.
#pragma once

#include <windows.h>

namespace standin {

inline const CLSID kApplicationClass = {
    0x449354E9, 0xCDD8, 0x4A11, {0xBD, 0x82, 0x0D, 0x4A, 0x3C, 0x21, 0xE7, 0xD2}};
inline const IID kApplicationInterface = {
    0xAFAB189D, 0x226A, 0x4047, {0xB9, 0x8F, 0xCD, 0x75, 0xCE, 0x56, 0xDD, 0xE4}};

// The class factory of the application, one reference given to the caller.
IClassFactory* NewApplicationFactory();

// Whether no object lives and no lock holds the server.
bool Unused();

} // namespace standin
