#!/usr/bin/env bash
# Fuzzes the readers of user files with libFuzzer, a while each:
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# Targets (tools/fuzz/): textfile_fuzz, adif_fuzz, cty_fuzz, memberlists_fuzz.
# Each target and the reader units it drives are compiled with clang for
# coverage, AddressSanitizer and UndefinedBehaviorSanitizer; the rest of the
# program comes from the normal build in build/. A crashing input is kept as
# build-fuzz/<target>/crash-* and the script fails.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
source "$top/scripts/deps.sh"
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq clang libclang-rt-14-dev
    break
  fi
done
"$top/scripts/build.sh" >/dev/null

# The reader units each target exercises; they get the coverage feedback.
declare -A units=(
  [textfile_fuzz]="platform/textfile.cpp platform/codec.cpp"
  [adif_fuzz]="logentry/adif/adifimport.cpp platform/textfile.cpp platform/codec.cpp"
  [cty_fuzz]="prefix/ctyimport.cpp"
  [memberlists_fuzz]="logentry/rules/memberlists.cpp platform/textfile.cpp platform/codec.cpp"
)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(textfile_fuzz adif_fuzz cty_fuzz memberlists_fuzz)

out="$top/build-fuzz"
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I"$top" $(pkg-config --cflags Qt6Widgets))
libs=()
for l in outputs logentry_dialogs logentry_window logentry_model logentry_adif logentry_rules contest ui prefix database hamradio storage base platform; do
  libs+=("$top/build/lib$l.a")
done
syslibs=($(pkg-config --libs Qt6Widgets Qt6PrintSupport sqlite3 libpng) -ljpeg -lz -lpthread)

seed() {  # seed <target> <name> <text>
  mkdir -p "$out/$1/corpus"
  printf '%b' "$3" > "$out/$1/corpus/$2"
}
seed textfile_fuzz utf8 'M\xc3\xbcller\r\nStra\xc3\x9fe\n'
seed textfile_fuzz bom '\xef\xbb\xbfM\xfcller\rzwei'
seed adif_fuzz log 'Kopf <ADIF_VER:5>3.1.0 <EOH>\n<CALL:6>DL1ABC<QSO_DATE:8>20240312<TIME_ON:4>0815<FREQ:6>14.030<MODE:2>CW<SRX:3>012<EOR>\n# Notiz\n<call:4>OK1A<eor>'
mkdir -p "$out/cty_fuzz/corpus"
head -n 12 /usr/share/hamradio-files/cty.csv > "$out/cty_fuzz/corpus/real"
seed cty_fuzz overrides 'K,United States,291,NA,5,8,37.60,91.87,5.0,K W AA0(4)[7] KH7<20.0/155.0> =N1A{OC}~-10~;\n*GM/s,Shetland,279,EU,14,27,60.50,1.50,0.0,=GB0SI;\n'
seed memberlists_fuzz list 'DL1ABC;Hans;0815\r\nOE2XYZ ; Eva ;\r\n1234;DL2AAA;x\n'

failed=0
for t in "${targets[@]}"; do
  echo "== $t"
  srcs=()
  for u in ${units[$t]}; do srcs+=("$top/$u"); done
  clang++ "${flags[@]}" "$top/tools/fuzz/$t.cpp" "${srcs[@]}" -o "$out/$t/$t" \
          -Wl,--start-group "${libs[@]}" -Wl,--end-group "${syslibs[@]}"
  (cd "$out/$t" && QT_QPA_PLATFORM=offscreen ./"$t" -max_total_time="$seconds" -max_len=4096 \
                     -print_final_stats=1 corpus 2>&1 | grep -v '^"\|^#\|^INFO\|^[[:space:]]' | tail -n 40) || failed=1
done
exit $failed
