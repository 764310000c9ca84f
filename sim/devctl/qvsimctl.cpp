// Tells a running simulated device what happens to it:
//   qvsimctl "<context ID>" placed | removed | busy | idle | ink low <a> <b> <c>
//                         | disconnect | reconnect | reload | status
// Prints the device's reply. Exit code 0 done, 1 refused, 2 no such device, 3 usage.
#include <windows.h>
#include <cstdio>
#include <cstring>

#include "sim/device/SimPipeName.h"

namespace {

HANDLE ConnectToDevice(const char* pipe)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        HANDLE h = CreateFileA(pipe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return h;
        if (GetLastError() != ERROR_PIPE_BUSY)
            return INVALID_HANDLE_VALUE;
        WaitNamedPipeA(pipe, 1000);  // the device is between two clients
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: qvsimctl <context ID> <command>\n"
                        "  placed | removed          an original is put in / taken from the feeder\n"
                        "  busy | idle               the device starts / stops working\n"
                        "  ink low <a> <b> <c>       ink is running low (three levels)\n"
                        "  disconnect | reconnect    the device goes away / comes back\n"
                        "  reload                    read the device profile again\n"
                        "  status                    show the device's state\n"
                        "example: qvsimctl \"#QV#QV Jet 2140#SIM0001\" placed\n");
        return 3;
    }
    char command[512] = "";
    size_t used = 0;
    for (int i = 2; i < argc && used < sizeof(command); ++i) {
        int n = snprintf(command + used, sizeof(command) - used, "%s%s", i > 2 ? " " : "", argv[i]);
        if (n < 0)
            break;
        used += static_cast<size_t>(n);
    }
    if (used >= sizeof(command) - 1) {
        fprintf(stderr, "qvsimctl: command too long\n");
        return 3;
    }
    command[used++] = '\n';

    char pipe[260];
    SimPipeName(argv[1], pipe, sizeof(pipe));
    HANDLE h = ConnectToDevice(pipe);
    if (h == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "qvsimctl: no simulated device is running for \"%s\"\n", argv[1]);
        return 2;
    }
    DWORD written = 0;
    if (!WriteFile(h, command, static_cast<DWORD>(used), &written, nullptr) || written != used) {
        fprintf(stderr, "qvsimctl: the device did not take the command\n");
        CloseHandle(h);
        return 2;
    }
    char reply[600];
    size_t got = 0;
    DWORD n = 0;
    while (got + 1 < sizeof(reply) &&
           ReadFile(h, reply + got, static_cast<DWORD>(sizeof(reply) - 1 - got), &n, nullptr) && n > 0) {
        got += n;
        if (memchr(reply, '\n', got))
            break;
    }
    CloseHandle(h);
    reply[got] = '\0';
    if (got == 0) {
        fprintf(stderr, "qvsimctl: the device did not answer\n");
        return 2;
    }
    fputs(reply, stdout);
    if (reply[got - 1] != '\n')
        fputc('\n', stdout);
    return strncmp(reply, "OK", 2) == 0 ? 0 : 1;
}
