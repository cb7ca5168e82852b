#!/usr/bin/env bash
# Makes the movie files the tests and the demo play, with ffmpeg's generated
# (lavfi) sources, so that no media files are kept in the repository.
#
#   tools/make-sample-movies.sh OUTDIR test   short solid-colour clips for the tests
#   tools/make-sample-movies.sh OUTDIR demo   three 10-second clips for scripts/demo
#
# Formats: mpeg1video in an MPEG program stream gives .mpg and .dat; wmv2 in ASF
# gives .wmv and .asf. No clip has an audio track. Each file is written under a
# temporary name and renamed when complete, so an interrupted run leaves no
# half-written clip that the build would take as up to date.
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 OUTDIR test|demo" >&2
  exit 2
fi
outdir=$1
set_name=$2
mkdir -p "$outdir"

ffmpeg_run() {
  ffmpeg -nostdin -hide_banner -loglevel error -y "$@"
}

# encode SOURCE SECONDS FILE [extra encoder options]
encode() {
  local source=$1 seconds=$2 file=$3
  shift 3
  local muxer codec
  case $file in
    *.mpg|*.dat) codec=mpeg1video; muxer=mpeg ;;
    *.wmv|*.asf) codec=wmv2;       muxer=asf ;;
    *) echo "$0: no format for $file" >&2; exit 2 ;;
  esac
  local tmp="$outdir/.$file.tmp"
  ffmpeg_run -f lavfi -i "$source" -t "$seconds" -an -c:v "$codec" "$@" -f "$muxer" "$tmp"
  mv -f "$tmp" "$outdir/$file"
}

# Test clips: 1.5 s, 160x120 at 25 frames per second, one solid colour each so
# that a screenshot tells which file is playing.
make_test_clips() {
  local size=160x120 rate=25 seconds=1.5 q=(-q:v 4)
  local clip colour
  for clip in red.mpg green.mpg blue.mpg yellow.wmv cyan.asf magenta.dat white.mpg; do
    colour=${clip%.*}
    encode "color=c=$colour:s=$size:r=$rate" "$seconds" "$clip" "${q[@]}"
  done
  # A moving pattern, for tests that need changing pictures.
  encode "testsrc=s=$size:r=$rate" "$seconds" bars.mpg "${q[@]}"
  # A text file with a movie extension: opening it must fail cleanly.
  printf 'This is a text file, not a movie.\n' > "$outdir/.notamovie.mpg.tmp"
  mv -f "$outdir/.notamovie.mpg.tmp" "$outdir/notamovie.mpg"
}

# Demo clips: 10 s at 640x360.
make_demo_clips() {
  local size=640x360 rate=25 seconds=10
  # 1: a slow zoom into the Mandelbrot set.
  encode "mandelbrot=s=$size:r=$rate" "$seconds" demo-1.mpg -q:v 3
  # 2: drifting sunset-coloured gradients.
  encode "gradients=s=$size:r=$rate:c0=0x0f2027:c1=0x2c5364:c2=0xff7e5f:c3=0xfeb47b:c4=0x6a3093:nb_colors=5:speed=0.008:seed=11" \
    "$seconds" demo-2.wmv -b:v 3000k
  # 3: a blue-green plasma, computed at a quarter of the size and scaled up smoothly.
  local v='0.5*(sin(X/13+T)+sin(Y/9-T*0.8)+sin(hypot(X-80-40*sin(T*0.4),Y-45-25*cos(T*0.5))/8)+T)*3.14'
  encode "nullsrc=s=160x90:r=$rate,format=gbrp,geq=r='40+35*sin($v)':g='110+70*sin($v+1.6)':b='170+80*sin($v+3.0)',scale=640:360:flags=bicubic" \
    "$seconds" demo-3.mpg -q:v 3
}

case $set_name in
  test) make_test_clips ;;
  demo) make_demo_clips ;;
  *) echo "$0: unknown set '$set_name' (test or demo)" >&2; exit 2 ;;
esac
