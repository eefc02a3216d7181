#pragma once

// The check the LAN and static IP pages make before they hand out an address: does a host already
// answer on it?

#include <string>

#include "platform/IcmpEcho.h"

namespace forms {
class Form;
}

// What PingHost asks whether a host answers. The PC's own ICMP echo unless another is installed: a
// test installs one that answers from a script, so that no page test sends an echo request.
class HostProber {
public:
    virtual ~HostProber() = default;
    virtual IcmpEcho::Outcome probe(const std::string& host) = 0;
};

// PingHost asks prober from now on; nullptr puts the ICMP echo back. Returns the prober replaced
// (nullptr for the ICMP echo), for the caller to put back.
HostProber* SetHostProber(HostProber* prober);

// True when the host answered an ICMP echo request. A name that does not resolve is reported in a
// box ("Unable to resolve "); so is a probe that cannot run at all, so that an address is never
// taken for free without the user knowing it was not checked. Both give false.
bool PingHost(const std::string& host, forms::Form* page = nullptr);
