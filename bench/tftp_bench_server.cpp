// Serves one folder with the module's TFTP server for bench/run-tftp: the client may read read.bin
// and write write.bin. Prints the port it listens on, then serves until it is terminated.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>

#include "library/HvException.h"
#include "library/HvTFTPServer.h"

namespace {
int g_quitPipe[2];
void onSignal(int) {
    (void)!::write(g_quitPipe[1], "q", 1);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ROOT PORT\n", argv[0]);
        return 2;
    }
    QCoreApplication app(argc, argv);
    if (::pipe(g_quitPipe) != 0) return 1;
    QSocketNotifier quit(g_quitPipe[0], QSocketNotifier::Read);
    QObject::connect(&quit, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);

    HvTFTPServer server;
    server.SetDeviceAddress("127.0.0.1");
    server.ExpectTransfer(HvTFTP_Read, "read.bin");
    server.ExpectTransfer(HvTFTP_Write, "write.bin");
    server.SetStopWait(0);
    try {
        server.Start(argv[1], std::atoi(argv[2]));
    } catch (const HvException& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%u\n", server.LocalPort());
    std::fflush(stdout);
    return app.exec();
}
