# Sourced by the scripts that open the page in a browser: a folder of their
# own ($work), and the page (build/wasm/web) served on a free port of
# 127.0.0.1 the way the README tells users to, by python3's http.server, at
# $page_url. Both are gone when the script exits.
work=$(mktemp -d)
page_server=
stop_page_server() {
  [ -n "$page_server" ] && kill "$page_server" 2>/dev/null
  rm -rf "$work"
}
trap stop_page_server EXIT
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory build/wasm/web >/dev/null 2>&1 &
page_server=$!
page_url="http://127.0.0.1:$port/"
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('$page_url')" 2>/dev/null && break
  sleep 0.1
done
