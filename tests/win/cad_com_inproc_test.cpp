// sources: src/cad/cad_connection.cpp src/cad/cad_com_adapter_win.cpp src/cad/com_apartment_win.cpp src/cad/nanocad_com_win.cpp
// The insertion into the stand-in CAD's automation served in process (standin_cad.dll).
#include "win/cad_com_checks.h"

int main() {
    return cad_com::Run(true);
}
