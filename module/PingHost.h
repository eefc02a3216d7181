#pragma once

// The check the LAN and static IP pages make before they hand out an address: does a host already
// answer on it?

#include <string>

namespace forms {
class Form;
}

// True when the host answered an ICMP echo request. A name that does not resolve is reported in a
// box ("Unable to resolve "); so is a probe that cannot run at all, so that an address is never
// taken for free without the user knowing it was not checked. Both give false.
bool PingHost(const std::string& host, forms::Form* page = nullptr);
