#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "library/snmp/HvSnmpTransport.h"

// The transport over net-snmp's single-session API. net-snmp keeps its engine, its users and its
// engine times in global state, so one instance exists at a time.
//
// It reads no configuration file and no MIB and persists nothing. Per target it keeps a session for
// synchronous and one for asynchronous operations: net-snmp's wait for an answer reads every packet
// of its session, so on a shared session an asynchronous answer would be handled inside a
// synchronous call. net-snmp's callbacks only queue what happened; completions run from
// processPending(). SNMPv3 engine IDs are discovered without blocking and kept per agent; user keys
// are derived here.
class HvNetSnmpTransport final : public HvSnmpTransport {
public:
    // Initialises net-snmp (once per process) and checks that a UDP socket binds to a free local
    // port. status is 0, or the failure; the transport is returned either way.
    static std::unique_ptr<HvNetSnmpTransport> create(int32_t& status);
    ~HvNetSnmpTransport() override;

    HvNetSnmpTransport(const HvNetSnmpTransport&) = delete;
    HvNetSnmpTransport& operator=(const HvNetSnmpTransport&) = delete;

    // The local SNMPv3 engine: its ID and boots counter.
    void setEngineIdentity(const std::string& engineId, int32_t boots);

    // Forgets every discovered engine ID and closes the sessions (tests).
    void reset();

    // net-snmp's log never reaches the terminal by itself: each distinct line (one per cause) is
    // kept here, oldest first. With HV_SNMP_LOG set in the environment, each cause is also written to
    // stderr once; with HV_SNMP_LOG=all, every line as it comes.
    static std::vector<std::string> logCauses();

    bool checkAddress(const std::string& address) override;
    HvSnmpReply sendSync(const HvSnmpCall& call) override;
    int32_t sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner,
                      HvSnmpCompletion completion) override;
    void processPending() override;
    void processReadable(int fd) override;
    std::vector<int> pollDescriptors() const override;
    uint64_t socketsGeneration() const override;
    std::size_t pendingCount() const override;

    struct Impl;

private:
    HvNetSnmpTransport();
    std::unique_ptr<Impl> m_impl;
};
