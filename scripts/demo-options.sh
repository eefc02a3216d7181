# Sourced by demo.sh and screenshot.sh: the SNMP options of a demo run, shared so that both open the
# module the same way. Parses "$@" into snmp_* variables and leaves the other arguments in
# demo_rest; after the simulator has started, demo_module_args PORT fills module_args.
demo_usage() {
    cat <<'TXT'
SNMP options:
  --version 1|2c|3     SNMP version (default 2c)
  --user NAME          SNMPv3 user (default labuser; implies --version 3)
  --auth MD5|SHA|none  SNMPv3 authentication (default SHA)
  --auth-pass TEXT     its password (default labauth1)
  --priv DES|AES|AES192|AES256|none   SNMPv3 privacy (default AES; needs --auth)
  --priv-pass TEXT     its password (default labpriv1)
The simulator gets the communities kiwano (read) and morello (write) and, for SNMPv3, this user.
TXT
}

snmp_version=2c snmp_user="" snmp_auth=SHA snmp_auth_pass=labauth1 snmp_priv=AES snmp_priv_pass=labpriv1
demo_rest=()
while [ $# -gt 0 ]; do
    case "$1" in
    --version | --user | --auth | --auth-pass | --priv | --priv-pass)
        [ $# -ge 2 ] || { echo "$1 needs a value" >&2; exit 2; }
        case "$1" in
        --version) snmp_version=$2 ;;
        --user) snmp_user=$2 ;;
        --auth) snmp_auth=$2 ;;
        --auth-pass) snmp_auth_pass=$2 ;;
        --priv) snmp_priv=$2 ;;
        --priv-pass) snmp_priv_pass=$2 ;;
        esac
        shift 2
        ;;
    *)
        demo_rest+=("$1")
        shift
        ;;
    esac
done
if [ -n "$snmp_user" ] && [ "$snmp_version" != 3 ]; then snmp_version=3; fi
[ "$snmp_version" = 3 ] && [ -z "$snmp_user" ] && snmp_user=labuser
case "$snmp_version" in 1 | 2c | 3) ;; *) echo "--version must be 1, 2c or 3" >&2; exit 2 ;; esac
case "$snmp_auth" in MD5 | SHA | none) ;; *) echo "--auth must be MD5, SHA or none" >&2; exit 2 ;; esac
case "$snmp_priv" in DES | AES | AES192 | AES256 | none) ;; *)
    echo "--priv must be DES, AES, AES192, AES256 or none" >&2; exit 2 ;;
esac
[ "$snmp_auth" = none ] && snmp_priv=none

sim_args=(--community kiwano --rw-community morello)
# The INI file's Version: read again before every switch, it must agree with the command line.
case "$snmp_version" in 1) ini_version=0 ;; 2c) ini_version=1 ;; 3) ini_version=3 ;; esac
if [ "$snmp_version" = 3 ]; then
    spec=$snmp_user
    [ "$snmp_auth" != none ] && spec+=":$snmp_auth:$snmp_auth_pass"
    [ "$snmp_priv" != none ] && spec+=":$snmp_priv:$snmp_priv_pass"
    sim_args+=(--user "$spec")
fi

# The module's command line for the simulator on port $1. The switches from /t on give the library's
# code minus one; the user name goes last, since the INI file, read before every switch, has none.
demo_module_args() {
    module_args=(/I127.0.0.1)
    case "$snmp_version" in
    1) module_args+=(/Rkiwano /Wmorello) ;;
    2c) module_args+=(/Rkiwano /Wmorello /v1) ;;
    3)
        local level=0
        module_args+=(/v3 "/t$1" /m3)
        if [ "$snmp_auth" != none ]; then
            level=1
            case "$snmp_auth" in MD5) module_args+=(/a1) ;; SHA) module_args+=(/a2) ;; esac
            module_args+=("/A$snmp_auth_pass")
        fi
        if [ "$snmp_priv" != none ]; then
            level=2
            case "$snmp_priv" in
            DES) module_args+=(/p1) ;; AES) module_args+=(/p18) ;; AES192) module_args+=(/p19) ;;
            AES256) module_args+=(/p20) ;;
            esac
            module_args+=("/P$snmp_priv_pass")
        fi
        module_args+=("/l$level" "/n$snmp_user")
        ;;
    esac
}
