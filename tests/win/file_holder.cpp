// Another program holding a file, for the Windows tests: file_holder PATH EVENT opens PATH sharing
// nothing, then sets the named event EVENT and keeps the file until it is ended (a minute at most).
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const HANDLE f =
        CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 3;
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (!ready || !SetEvent(ready)) return 4;
    Sleep(60000);
    CloseHandle(f);
    return 0;
}
