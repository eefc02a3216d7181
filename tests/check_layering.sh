#!/usr/bin/env bash
# The layers' include rules: net-snmp only in library/snmp/, Qt Widgets only in platform/forms/ and pages.
set -u
top=${1:-.}
cd "$top" || exit 2
fail=0
snmp=$(grep -rlE '#include *<net-snmp/' --include='*.h' --include='*.cpp' library platform module pages 2>/dev/null \
    | grep -v '^library/snmp/')
if [ -n "$snmp" ]; then echo "net-snmp included outside library/snmp/:"; echo "$snmp"; fail=1; fi
# An adapter header with net-snmp's types stays inside the adapter: nothing above includes it.
hdr=""
for h in $(grep -lE '\b(netsnmp_pdu|netsnmp_variable_list|netsnmp_session)\b' library/snmp/*.h 2>/dev/null); do
    users=$(grep -rlF "#include \"$h\"" --include='*.h' --include='*.cpp' . 2>/dev/null | sed 's|^\./||' \
        | grep -v '^library/snmp/')
    [ -n "$users" ] && hdr="$hdr$h (included by $(echo $users))"$'\n'
done
if [ -n "$hdr" ]; then echo "net-snmp types in adapter headers used above the adapter:"; printf '%s' "$hdr"; fail=1; fi
widgets=$(grep -rlE '#include *<(QtWidgets/|Q(Widget|Dialog|MainWindow|LineEdit|ComboBox|PushButton|Label|MessageBox|Application)\b)' \
    --include='*.h' --include='*.cpp' library platform module 2>/dev/null \
    | grep -vE '^(platform/forms/|library/bind/)')
if [ -n "$widgets" ]; then echo "Qt Widgets included outside the form kit and the bindings:"; echo "$widgets"; fail=1; fi
[ $fail -eq 0 ] && echo "layering ok"
exit $fail
