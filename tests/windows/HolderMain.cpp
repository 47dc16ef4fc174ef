// tarnvale-test-holder: another program holding a file open, for the tests of
// Windows' sharing rules.
//   tarnvale-test-holder PATH READY_EVENT STOP_EVENT
// Opens PATH for writing (sharing reads and writes, as an editor or another
// import would), sets the named event READY_EVENT, and closes the file and
// ends when STOP_EVENT is set (after 60 s at most).
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const HANDLE file = CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
    if (!ready || !stop)
        return 4;
    SetEvent(ready);
    const DWORD waited = WaitForSingleObject(stop, 60000);
    CloseHandle(file);
    return waited == WAIT_OBJECT_0 ? 0 : 5;
}
