#pragma once

#include <string>

#include "sim/SimDevice.h"

// The SNMP side of the simulator, over net-snmp's agent library: one UDP endpoint, one handler that
// answers every OID from the device's store, and hooks that drop datagrams while the device is
// silent and check communities (no access-control module is loaded, so the hooks are the check).
class SimAgent {
public:
    explicit SimAgent(SimDevice& device) : m_device(device) {}

    // Initialises net-snmp (no configuration or persistent files, no MIBs), sets the engine ID,
    // creates the v3 users and binds address:port. Returns the bound port, or 0 with *error set.
    int start(const std::string& address, int port, const std::string& engineId, std::string* error);
    // Serves until the device is told to quit, stop becomes true or the control input is closed
    // and stop is set. controlFd (or -1) is read line by line and answered on stdout.
    void run(volatile bool& stop, int controlFd);

private:
    SimDevice& m_device;
};

// Where the device would start a TFTP transfer as the client: the TFTP command object (get or put
// of remotefilename at remotesrvip) and the log upload (adGetLog). The transfer itself is not part
// of the simulator yet; the request is logged so a test can see it was made.
void simTftpRequest(SimDevice& device, const std::string& what, const std::string& server,
                    const std::string& file);
