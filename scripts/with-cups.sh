#!/usr/bin/env bash
# Runs a command with a throwaway CUPS server of its own: a private cupsd in a
# temporary folder, reached only through the socket in that folder. The
# command finds it in CUPS_SERVER; the machine's own printing (its cupsd, its
# queues, /etc/cups) is never touched. The server and its folder are gone
# afterwards.
set -euo pipefail
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
if [ ! -x "$cupsd" ]; then
  echo "with-cups.sh: cupsd is missing (Debian: apt-get install cups cups-client)" >&2
  exit 1
fi
dir=$(mktemp -d /tmp/marbo-cups.XXXXXX)
pid=""
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
mkdir -p "$dir"/{conf,spool/tmp,cache,state,log}

# As root cupsd drops to the user lp for its backends and refuses to run them
# as root; the folders it writes then belong to the group lp. As any other user
# it runs as that user and cannot change its identity.
identity=""
if [ "$(id -u)" -eq 0 ]; then
  identity=$'User lp\nGroup lp\nSystemGroup root'
  chgrp -R lp "$dir"
  chmod -R g+rwX "$dir"
  chmod 755 "$dir"
fi

cat >"$dir/conf/cups-files.conf" <<EOF
$identity
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
EOF
cat >"$dir/conf/cupsd.conf" <<EOF
LogLevel warn
Listen $dir/cups.sock
WebInterface No
Browsing No
DefaultAuthType None
JobRetryInterval 1
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
[ "$(id -u)" -eq 0 ] && chgrp lp "$dir"/conf/*.conf && chmod 640 "$dir"/conf/*.conf

"$cupsd" -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" &
pid=$!
export CUPS_SERVER="$dir/cups.sock"
# The default destination is the server's alone: no LPDEST or PRINTER of the caller.
unset LPDEST PRINTER
# Ready when the scheduler answers on its socket (usually well under a second).
for _ in $(seq 1 100); do
  if [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1; then
    break
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "with-cups.sh: cupsd did not start:" >&2
    cat "$dir/log/error_log" >&2 2>/dev/null || true
    exit 1
  fi
  sleep 0.05
done
if ! lpstat -r >/dev/null 2>&1; then
  echo "with-cups.sh: cupsd does not answer on $CUPS_SERVER" >&2
  cat "$dir/log/error_log" >&2 2>/dev/null || true
  exit 1
fi
"$@"
