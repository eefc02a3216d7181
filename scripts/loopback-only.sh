#!/usr/bin/env bash
# Runs a command in a network namespace of its own where only lo is up: a packet for any other
# address has no route and fails at once instead of leaving the PC. Fails when the command tried
# to send one (the namespace counts the packets it had no route for); else ends as the command did.
# Needs root (CAP_SYS_ADMIN) and ip from iproute2.
set -euo pipefail
if [ "${HV_LOOPBACK_ONLY:-}" != inside ]; then
    HV_LOOPBACK_ONLY=inside exec unshare -n "$0" "$@"
fi
unset HV_LOOPBACK_ONLY

# IPv4's OutNoRoutes (a column of the second "Ip:" line) and IPv6's Ip6OutNoRoutes.
no_route() {
    local files=(/proc/net/snmp)
    [ -r /proc/net/snmp6 ] && files+=(/proc/net/snmp6)
    awk '$1 == "Ip:" && !c { for (i = 2; i <= NF; i++) if ($i == "OutNoRoutes") c = i; next }
         $1 == "Ip:" { n += $c }
         $1 == "Ip6OutNoRoutes" { n += $2 }
         END { print n + 0 }' "${files[@]}"
}

ip link set lo up
before=$(no_route)
rc=0
"$@" || rc=$?
off=$(($(no_route) - before))
if [ "$off" -ne 0 ]; then
    echo "loopback-only: $off packet(s) were addressed off loopback" >&2
    [ "$rc" -ne 0 ] || rc=1
fi
exit "$rc"
