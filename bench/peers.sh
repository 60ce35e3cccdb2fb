#!/usr/bin/env bash
# Tagloom side by side with Geany and Bluefish, as a user meets them: each
# program started on a virtual display with a page of CR LF HTML lines, then
# Ctrl+End, keys, Ctrl+S, until the file on disk holds the keys. Prints a
# Markdown table of medians. Peers that are not installed are left out;
# --install installs them from Debian first. Every measurement has a time limit
# (--limit, seconds): a program still busy then is stopped and its cell reads
# "> N s", and a measurement that hit the limit once is not repeated.
#
# Usage: [PEERS="tagloom geany"] bench/peers.sh [--install] [--runs N] [--big MB] [--limit S] [path/to/tagloom]
set -euo pipefail
cd "$(dirname "$0")/.."

install=0 runs=3 big=100 limit=120 tagloom=build/tagloom
while [ $# -gt 0 ]; do
    case "$1" in
    --install) install=1 ;;
    --runs) runs="$2"; shift ;;
    --big) big="$2"; shift ;;
    --limit) limit="$2"; shift ;;
    *) tagloom="$1" ;;
    esac
    shift
done
tagloom=$(readlink -f "$tagloom")

if [ "$install" = 1 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq geany bluefish xvfb xauth xdotool
fi
command -v xdotool >/dev/null || { echo "needs xdotool (scripts/setup.sh installs it)"; exit 1; }

if [ -z "${PEERS_INNER:-}" ]; then
    # Everything runs on one virtual display.
    export PEERS_INNER=1
    exec xvfb-run -a -s '-screen 0 1280x900x24' "$0" --runs "$runs" --big "$big" --limit "$limit" "$tagloom"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" TAGLOOM_DATA_FOLDER="$work/data" HOME="$work/home"
mkdir -p "$TAGLOOM_DATA_FOLDER" "$HOME" "$XDG_CONFIG_HOME"
cp "$(dirname "$tagloom")/Tagloom.colors" "$TAGLOOM_DATA_FOLDER/" 2>/dev/null || true

page() {  # page <bytes> <file>: HTML lines of about 90 bytes with CR LF
    yes $'<TR><TD CLASS="cell">Some text &amp; more</TD><TD><A HREF="page.html">link</A></TD></TR>\r' \
        | head -c "$1" >"$2" || true
}

now() { date +%s.%N; }
# Each measurement ends by its deadline: start_clock sets it, late tells.
start_clock() { deadline=$(($(date +%s) + limit)); }
late() { [ "$(date +%s)" -ge "$deadline" ]; }
over() { echo ">$limit"; }
elapsed() { awk -v s="$1" -v e="$(now)" 'BEGIN { printf "%.2f", e - s }'; }
cpu() { awk '{ printf "%.2f", ($14 + $15) / 100 }' "/proc/$1/stat"; }
rss() { awk '/VmRSS/ { printf "%.0f", $2 / 1024 }' "/proc/$1/status"; }

start_program() {  # start_program <name> [file]: sets $pid
    case "$1" in
    tagloom) "$tagloom" ${2:+"$2"} >/dev/null 2>&1 & ;;
    geany) geany -i -c "$work/geany" ${2:+"$2"} >/dev/null 2>&1 & ;;
    bluefish) bluefish ${2:+"$2"} >/dev/null 2>&1 & ;;
    esac
    pid=$!
}

window_of() {  # window_of <pid> <program>: its main window, waiting for it
    local w="" name
    case "$2" in tagloom) name='^Tagloom' ;; geany) name='Geany' ;; *) name='Bluefish' ;; esac
    for _ in $(seq 1 3000); do
        late && break
        w=$(xdotool search --onlyvisible --pid "$1" --name "$name" 2>/dev/null | tail -1) || true
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.02
    done
    echo "no window" >&2
    return 1
}

# Until the process has used no CPU for a second: keys sent while a program is
# still loading may be lost, so every program is given them once it shows the page.
wait_idle() {
    local last cur still=0
    sleep 0.3
    last=$(cpu "$1")
    while [ "$still" -lt 4 ]; do
        late && return 1
        sleep 0.25
        cur=$(cpu "$1")
        if [ "$cur" = "$last" ]; then still=$((still + 1)); else still=0; fi
        last=$cur
    done
}

# wait_saved <file> <bytes> <text>: until the file holds at least that many bytes
# and ends with the text (a peer may add a line break at the end).
wait_saved() {
    while ! late; do
        if [ "$(stat -c %s "$1")" -ge "$2" ] && tail -c $((${#3} + 2)) "$1" | grep -qF "$3"; then
            return 0
        fi
        sleep 0.02
    done
    return 1
}

stop_program() {
    kill "$1" 2>/dev/null || true
    # A program busy loading may not hear the request.
    for _ in $(seq 1 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    rm -rf "$work/geany" "$HOME"/.bluefish "$HOME"/.config/bluefish
}

# Medians of figures some of which may be ">N" (over the limit: sorted last).
median() {
    awk '{ print (substr($1, 1, 1) == ">" ? substr($1, 2) + 1e9 : $1), $1 }' | sort -g \
        | awk '{ a[NR] = $2 } END { print (NR ? a[int((NR + 1) / 2)] : "-") }'
}
# A figure with its unit: "1.23 s", or "> 120 s" for one over the limit.
fig() { case "$1" in ">"*) echo "> ${1#>} $2" ;; *) echo "$1 $2" ;; esac; }
# measure <array> <command...>: one more run unless an earlier one hit the limit.
measure() {
    local -n into=$1
    shift
    case " ${into[*]:-} " in *" >"*) into+=(">$limit"); return ;; esac
    into+=("$("$@")")
}

# open -> first save: start with the file, Ctrl+End, one key, Ctrl+S.
open_to_save() {  # <program> <bytes>
    local f="$work/open.html" t0 win size
    page "$2" "$f"
    size=$(stat -c %s "$f")
    t0=$(now)
    start_clock
    start_program "$1" "$f"
    if wait_idle "$pid" && win=$(window_of "$pid" "$1"); then
        xdotool windowfocus "$win" 2>/dev/null || true
        xdotool key ctrl+End
        xdotool type k
        xdotool key ctrl+s
    fi
    if wait_saved "$f" $((size + 1)) k; then
        # Less the second of stillness that told the page was shown.
        awk -v t="$(elapsed "$t0")" 'BEGIN { printf "%.2f", t - 1 }'
    else
        over
    fi
    stop_program "$pid"
}

# 100 keys at the end and the save that shows them, once the program is idle.
hundred_keys() {  # <program> <bytes>
    local f="$work/keys.html" t0 win size
    page "$2" "$f"
    size=$(stat -c %s "$f")
    start_clock
    start_program "$1" "$f"
    if wait_idle "$pid" && win=$(window_of "$pid" "$1") && xdotool windowfocus "$win" 2>/dev/null \
        && xdotool key ctrl+End && wait_idle "$pid"; then
        start_clock
        t0=$(now)
        xdotool type --delay 0 "$(printf 'a%.0s' $(seq 1 100))"
        xdotool key ctrl+s
        if wait_saved "$f" $((size + 100)) aaaaaaaaaa; then elapsed "$t0"; else over; fi
    else
        over
    fi
    stop_program "$pid"
}

# Memory and busy CPU after opening: started with the file and Ctrl+End, until idle.
after_open() {  # <program> <bytes>: prints "MB seconds"
    local f="$work/mem.html" win
    page "$2" "$f"
    start_clock
    start_program "$1" "$f"
    if wait_idle "$pid" && win=$(window_of "$pid" "$1") && xdotool windowfocus "$win" 2>/dev/null \
        && xdotool key ctrl+End && wait_idle "$pid"; then
        echo "$(rss "$pid") $(cpu "$pid")"
    else
        echo "$(rss "$pid") $(over)"  # the memory so far
    fi
    stop_program "$pid"
}

startup() {
    local t0
    t0=$(now)
    start_clock
    start_program "$1"
    if window_of "$pid" "$1" >/dev/null; then elapsed "$t0"; else over; fi
    stop_program "$pid"
}

programs=(tagloom)
command -v geany >/dev/null && programs+=(geany)
command -v bluefish >/dev/null && programs+=(bluefish)
# PEERS="tagloom geany" measures only those.
[ -n "${PEERS:-}" ] && read -r -a programs <<<"$PEERS"

declare -A cell
small=$((20 << 10)) mid=$((20 << 20)) large=$((big << 20))
for p in "${programs[@]}"; do
    echo "measuring $p" >&2
    a=() b=() c=() k1=() k2=() m=() busy=() s=()
    for _ in $(seq 1 "$runs"); do
        measure a open_to_save "$p" "$mid"
        measure b open_to_save "$p" "$large"
        measure k1 hundred_keys "$p" "$mid"
        measure k2 hundred_keys "$p" "$small"
        if case " ${busy[*]:-} " in *" >"*) false ;; *) true ;; esac; then
            read -r mb cs <<<"$(after_open "$p" "$mid")"
            m+=("$mb") busy+=("$cs")
        fi
        measure s startup "$p"
    done
    km=$(printf '%s\n' "${k1[@]}" | median) ks=$(printf '%s\n' "${k2[@]}" | median)
    cell[$p,1]=$(fig "$(printf '%s\n' "${a[@]}" | median)" s)
    cell[$p,2]=$(fig "$(printf '%s\n' "${b[@]}" | median)" s)
    ratio=$(awk -v a="$km" -v b="$ks" 'BEGIN { if (a ~ /^>/ || b ~ /^>/) print "-"; else printf "%.1f", (b > 0 ? a / b : 0) }')
    cell[$p,3]="$(fig "$km" s) vs $(fig "$ks" s) (ratio $ratio)"
    mm=$(printf '%s\n' "${m[@]}" | median)
    cell[$p,4]="$mm MB ($(awk -v m="$mm" 'BEGIN { printf "%.1f", m / 20 }')x)"
    bm=$(printf '%s\n' "${busy[@]}" | median)
    cell[$p,5]=$(fig "$bm" "s CPU")
    case "$bm" in ">"*) cell[$p,4]+=" while still busy" ;; esac
    cell[$p,6]=$(fig "$(printf '%s\n' "${s[@]}" | median)" s)
    for i in 1 2 3 4 5 6; do echo "  $p $i: ${cell[$p,$i]}" >&2; done
done

rows=("20 MB: open → first save" "${big} MB: open → first save" "100 keys at the end, 20 MB vs 20 KB"
      "memory after opening 20 MB" "busy after opening 20 MB" "start-up, no file")
header="| |" rule="|---|"
for p in "${programs[@]}"; do header+=" $p |"; rule+="---|"; done
echo "$header"
echo "$rule"
for i in 1 2 3 4 5 6; do
    line="| ${rows[$((i - 1))]} |"
    for p in "${programs[@]}"; do line+=" ${cell[$p,$i]} |"; done
    echo "$line"
done
echo
echo "medians of $runs runs, each measurement limited to $limit s; CPU times on a shared machine are noisy"
