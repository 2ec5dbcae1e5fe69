#!/usr/bin/env bash
# rankhall-cli serve, driven with curl on 127.0.0.1 only: the page to many clients at once, HEAD,
# 404 for any other path, 405 for any other method, a new save of the file served, a stop on
# SIGTERM and on SIGINT. Every request loop is bounded and every server started is killed at the
# end whatever happens.
# Usage: serve_test.sh CLI SOURCE_DIR WORK_DIR
set -u
CLI=$1
SOURCE_DIR=$2
WORK_DIR=$3
export TMPDIR=$WORK_DIR

pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_server NAME FILE [ARGS...]: starts serve on a free port of 127.0.0.1; sets PID and URL.
start_server() {
    local name=$1 file=$2
    shift 2
    "$CLI" serve "$file" --port 0 "$@" >"$WORK_DIR/$name.out" 2>"$WORK_DIR/$name.err" &
    PID=$!
    pids+=("$PID")
    URL=""
    for _ in $(seq 1 100); do
        URL=$(head -n 1 "$WORK_DIR/$name.out" 2>/dev/null)
        [ -n "$URL" ] && break
        kill -0 "$PID" 2>/dev/null || fail "$name: serve ended early: $(cat "$WORK_DIR/$name.err")"
        sleep 0.1
    done
    [[ "$URL" =~ ^http://127\.0\.0\.1:[0-9]+/$ ]] || fail "$name: printed '$URL'"
}

# stops_on SIGNAL: the server of PID ends by itself with exit code 0 within five seconds.
stops_on() {
    kill -"$1" "$PID"
    for _ in $(seq 1 50); do
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$PID" 2>/dev/null && fail "serve still runs five seconds after SIG$1"
    wait "$PID"
    local rc=$?
    [ "$rc" -eq 0 ] || fail "serve ended with $rc after SIG$1"
}

status() { curl -s -o /dev/null -w '%{http_code}' --max-time 10 "$@"; }

cp "$SOURCE_DIR/examples/demo.qmc" "$WORK_DIR/night.qmc"
start_server main "$WORK_DIR/night.qmc"

# The wall page, with its own address and the QR code of it.
curl -s --max-time 10 -D "$WORK_DIR/headers" -o "$WORK_DIR/page.html" "$URL" || fail "GET /"
grep -q '^HTTP/1.1 200' "$WORK_DIR/headers" || fail "GET / answered $(head -n 1 "$WORK_DIR/headers")"
grep -qi '^Content-Type: text/html' "$WORK_DIR/headers" || fail "GET / is no HTML"
grep -q '<h1 id="title">Friday Night Euchre</h1>' "$WORK_DIR/page.html" || fail "the page's title"
grep -q "<span class=\"addr\">$URL</span>" "$WORK_DIR/page.html" || fail "the page's address"
grep -q '<div class="qr"><svg ' "$WORK_DIR/page.html" || fail "the QR code"
size=$(stat -c %s "$WORK_DIR/page.html")

# 100 requests, 50 at a time: every one answered in full.
seq 1 100 | xargs -P 50 -I{} curl -s -o /dev/null --max-time 20 -w '%{http_code} %{size_download}\n' \
    "$URL" >"$WORK_DIR/parallel"
answered=$(grep -c "^200 $size\$" "$WORK_DIR/parallel")
[ "$answered" -eq 100 ] || fail "$answered of 100 parallel requests answered in full: $(sort "$WORK_DIR/parallel" | uniq -c)"

# HEAD: the headers of the page, no body.
curl -s -I --max-time 10 "$URL" >"$WORK_DIR/head" || fail "HEAD /"
grep -q '^HTTP/1.1 200' "$WORK_DIR/head" || fail "HEAD / answered $(head -n 1 "$WORK_DIR/head")"
grep -qi "^Content-Length: $size" "$WORK_DIR/head" || fail "HEAD / length"
[ "$(status -I "$URL")" = 200 ] || fail "HEAD /"

# Nothing else is served, and nothing can be changed.
for path in index.html x standings.json ../etc/passwd %2e%2e/ "?x=1/../y" .QMC night.qmc; do
    code=$(status "${URL}${path}")
    if [ "$path" = "?x=1/../y" ]; then
        [ "$code" = 200 ] || fail "GET /$path answered $code" # a query names the same page
    else
        [ "$code" = 404 ] || fail "GET /$path answered $code"
    fi
done
for method in POST PUT DELETE PATCH OPTIONS; do
    code=$(status -X "$method" --data x "$URL")
    [ "$code" = 405 ] || fail "$method / answered $code"
done
curl -s -D - -o /dev/null -X POST --max-time 10 "$URL" | grep -qi '^Allow: GET, HEAD' ||
    fail "405 without Allow"

# A new save of the file is served once noticed (within ten seconds).
cp "$SOURCE_DIR/examples/teams7.qmc" "$WORK_DIR/night.qmc.new"
mv "$WORK_DIR/night.qmc.new" "$WORK_DIR/night.qmc"
seen=""
for _ in $(seq 1 40); do
    if curl -s --max-time 10 "$URL" | grep -q '<div class="row head"><span class="place">Place</span><span class="name">Team<'; then
        seen=1
        break
    fi
    sleep 0.25
done
[ -n "$seen" ] || fail "the new save of the file was not served"

stops_on TERM

# SIGINT stops it too; a port in use and a bad address are refused.
start_server second "$SOURCE_DIR/examples/demo.qmc"
port=${URL##*:}
port=${port%/}
"$CLI" serve "$SOURCE_DIR/examples/demo.qmc" --port "$port" >/dev/null 2>"$WORK_DIR/busy.err"
rc=$?
[ "$rc" -eq 1 ] || fail "serve on a port in use ended with $rc"
grep -q "cannot listen on 127.0.0.1 port $port" "$WORK_DIR/busy.err" || fail "busy port message"
stops_on INT

"$CLI" serve "$SOURCE_DIR/examples/demo.qmc" --port 0 --bind nowhere >/dev/null 2>&1
[ $? -eq 2 ] || fail "serve --bind nowhere"
"$CLI" serve "$SOURCE_DIR/examples/demo.qmc" --port 70000 >/dev/null 2>&1
[ $? -eq 2 ] || fail "serve --port 70000"
"$CLI" serve "$WORK_DIR/missing.qmc" --port 0 >/dev/null 2>"$WORK_DIR/missing.err"
[ $? -eq 1 ] || fail "serve of a missing file"
grep -q "not loaded: $WORK_DIR/missing.qmc" "$WORK_DIR/missing.err" || fail "missing file message"
echo "serve: all checks passed"
