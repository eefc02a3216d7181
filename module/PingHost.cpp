#include "module/PingHost.h"

#include "platform/forms/Forms.h"

namespace {

HostProber* g_prober = nullptr;

}  // namespace

HostProber* SetHostProber(HostProber* prober) {
    HostProber* const old = g_prober;
    g_prober = prober;
    return old;
}

bool PingHost(const std::string& host, forms::Form* page) {
    switch (g_prober ? g_prober->probe(host) : IcmpEcho::probe(host)) {
        case IcmpEcho::Outcome::Reply:
            return true;
        case IcmpEcho::Outcome::NoReply:
            return false;
        case IcmpEcho::Outcome::Unresolved:
            forms::Application::messageBox(page, QStringLiteral("Unable to resolve "),
                                           forms::Application::title());
            return false;
        case IcmpEcho::Outcome::NoSocket:
            forms::Application::messageBox(
                page,
                QStringLiteral(
                    "The address could not be checked: this PC does not let the module send ICMP echo "
                    "requests (it needs CAP_NET_RAW, or its group in net.ipv4.ping_group_range)."),
                forms::Application::title());
            return false;
    }
    return false;
}
