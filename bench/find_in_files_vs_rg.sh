#!/usr/bin/env bash
# Find in files beside ripgrep over the same tree of HTML in the page cache.
# Usage: bench/find_in_files_vs_rg.sh [build-dir] [size-in-MB]
# Makes /tmp/tagloom-find-tree (1024 MB by default) unless it is there, reads it
# once into the page cache, then times each search three times with both tools
# and prints the best of each. KEEP_TREE=1 keeps the tree afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
mb="${2:-1024}"
tree=/tmp/tagloom-find-tree
bench="$build/bench/bench_find_in_files"
command -v rg >/dev/null || { echo "ripgrep (rg) is not installed" >&2; exit 1; }
[ -x "$bench" ] || { echo "$bench is not built" >&2; exit 1; }

if [ ! -d "$tree" ]; then
  # 100 KB pages of varied markup, 100 to a folder, 10 folders to a parent:
  # one page in 500 holds the rare word.
  python3 - "$tree" "$mb" <<'PY'
import os, sys, random
root, mb = sys.argv[1], int(sys.argv[2])
random.seed(1)
lines = [
    '<P>The quick brown fox jumps over the lazy dog, <EM>twice</EM> a day.</P>\r\n',
    '<TABLE BORDER="1"><TR><TD>cell</TD><TD ALIGN="RIGHT">42</TD></TR></TABLE>\r\n',
    '<A HREF="chapter/more.html#top">Read more</A> about the mammals of the hill.<BR>\r\n',
    '<UL><LI>milk</LI><LI>thyme</LI><LI>lemons</LI></UL>\r\n',
    '<div class="note">plain words in a cell, &amp; more text for the reader</div>\r\n',
    '<p>Some <b>bold</b> and <i>italic</i> text, <font color="#FF0000">red</font></p>\r\n',
]
block = ''.join(random.choice(lines) for _ in range(1400)).encode()[:100 * 1024 - 200]
files = mb * 1024 // 100
for i in range(files):
    d = os.path.join(root, 'site%02d' % (i // 1000), 'part%02d' % ((i // 100) % 10))
    os.makedirs(d, exist_ok=True)
    extra = b'<img src="pic%d.gif" alt="x">\r\n' % i if i % 7 == 0 else b''
    if i % 500 == 0:
        extra += b'<span class="zebracorn">rare</span>\r\n'
    with open(os.path.join(d, 'page%05d.html' % i), 'wb') as f:
        f.write(block[: 100 * 1024 - 200 - len(extra)] + extra + block[:200])
PY
fi
find "$tree" -type f -print0 | xargs -0 cat >/dev/null

best() {  # best wall time in ms of three runs of a command
  local b=999999
  for _ in 1 2 3; do
    local s e
    s=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    e=$(date +%s%N)
    local ms=$(( (e - s) / 1000000 ))
    [ "$ms" -lt "$b" ] && b=$ms
  done
  echo "$b"
}

ours() {  # best whole-tree time and first result in the panel, in ms
  TAGLOOM_FIND_TREE="$tree" TAGLOOM_FIND_TEXT="$1" TAGLOOM_FIND_REGEX="$2" TAGLOOM_FIND_CASE="$3" \
    "$bench" --benchmark_format=csv 2>/dev/null | awk -F, '
      /FindInFilesWholeTree/ { whole=$3 } /FirstResultShownInPanel/ { first=$3 }
      END { printf "%.0f %.1f\n", whole, first }'
}

size=$(du -sm "$tree" | cut -f1)
files=$(find "$tree" -type f | wc -l)
echo "tree: $tree, $size MB in $files files, in the page cache; $(nproc) cores"
printf '%-34s %12s %12s %18s\n' "search" "rg (ms)" "Tagloom (ms)" "first result (ms)"
run() {  # label, text, regex (0/1), match case (0/1), rg arguments...
  local label="$1" text="$2" regex="$3" matchcase="$4"
  shift 4
  local r t
  r=$(best rg "$@" -n --no-ignore --hidden -g '*.html' -- "$text" "$tree")
  read -r t first < <(ours "$text" "$regex" "$matchcase")
  printf '%-34s %12s %12s %18s\n' "$label" "$r" "$t" "$first"
}
run 'literal, rare, match case' 'zebracorn' 0 1 -F
run 'literal <img, ignore case' '<img' 0 0 -F -i
run 'regex <img[^>]*>, match case' '<img[^>]*>' 1 1
run 'regex <img[^>]*>, ignore case' '<img[^>]*>' 1 0 -i

[ "${KEEP_TREE:-0}" = 1 ] || rm -rf "$tree"
