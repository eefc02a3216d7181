# Sourced by demo.sh and screenshot.sh: starts the device simulator on a free loopback port and
# writes what the management system would provide (the registry file naming the MBF folder, and the
# device's INI file with the simulator's port), so the module can be opened against it.
# Needs: $build (the build folder) and $work (a scratch folder); optional: sim_args (the simulator's
# accounts) and ini_version (the INI file's Version, default 1). Sets sim_pid and sim_port, and
# exports HV_REGISTRY_FILE and XDG_RUNTIME_DIR.
sim="$build/sim/qmx_sim"
mkdir -p "$work/mbf" "$work/run"
chmod 700 "$work/run"
"$sim" --address 127.0.0.1 --port 0 --log "$work/sim.log" ${sim_args[@]+"${sim_args[@]}"} \
    >"$work/sim.out" 2>"$work/sim.err" </dev/null &
sim_pid=$!
sim_port=""
for _ in $(seq 100); do
    sim_port=$(sed -n 's/^port \([0-9]*\)$/\1/p' "$work/sim.out" 2>/dev/null | head -1)
    [ -n "$sim_port" ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$sim_port" ]; then
    echo "The simulator did not start:" >&2
    cat "$work/sim.err" >&2
    exit 1
fi
printf '[SOFTWARE\\Halvern\\Vistrel5.1\\MibFile]\nPath=%s/mbf/\n' "$work" >"$work/registry.ini"
printf '[Program Information]\r\nAgentPort=%s\r\nVersion=%s\r\n' "$sim_port" "${ini_version:-1}" \
    >"$work/mbf/127.0.0.1.cfg"
export HV_REGISTRY_FILE="$work/registry.ini"
export XDG_RUNTIME_DIR="$work/run"
