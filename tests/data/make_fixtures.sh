#!/usr/bin/env bash
# Makes the small audio fixtures of the decoder and probe tests from synthetic
# tones. The outputs are committed; the tests never run this script. Needs the
# Debian packages ffmpeg (libmp3lame, wmav2, libvorbis, libopus and its own
# FLAC, AAC, ALAC, PCM and WavPack encoders) and musepack-tools (mpcenc).
# Monkey's Audio (APE) has no encoder in Debian, so no APE file is made.
#
#   bash tests/data/make_fixtures.sh
set -euo pipefail
cd "$(dirname "$0")"

ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
bitexact=(-fflags +bitexact -flags:a +bitexact)

# A chirp from 200 Hz rising 100 Hz per second, amplitude 0.5 (-9 dBFS RMS):
# every moment has its own frequency, so a test can tell where a seek landed.
chirp="aevalsrc=0.5*sin(2*PI*(200*t+50*t*t)):s=22050:d=5"
tone1s="aevalsrc=0.5*sin(2*PI*1000*t):s=22050:d=1"

mp3() {  # mp3 OUT SOURCE [options...]
  local out=$1 src=$2; shift 2
  ff -f lavfi -i "$src" -ac 1 -c:a libmp3lame "${bitexact[@]}" "$@" "$out"
}

# MP3 CBR 24 kbit/s with an Info header and an ID3v2.3 tag.
mp3 chirp_cbr.mp3 "$chirp" -b:a 24k -id3v2_version 3 \
  -metadata artist="Zelvo Tests" -metadata title="Chirp CBR"

# MP3 VBR with a Xing header.
mp3 chirp_vbr_xing.mp3 "$chirp" -q:a 6 -id3v2_version 3 \
  -metadata artist="Zelvo Tests" -metadata title="Chirp VBR Xing"

# MP3 VBR without a Xing header: loud noise first (high bitrate frames), then
# the chirp and silence (low bitrate), so a length estimated from the first
# frame's bitrate is far off and only a walk over the frames is right.
ff -f lavfi -i "anoisesrc=c=white:a=0.7:r=22050:d=1:seed=7" \
   -f lavfi -i "$chirp" -f lavfi -i "anullsrc=r=22050:cl=mono" \
   -filter_complex "[0][1]concat=n=2:v=0:a=1[a];[2]atrim=duration=3[s];[a][s]concat=n=2:v=0:a=1" \
   -ac 1 -ar 22050 -c:a libmp3lame "${bitexact[@]}" -q:a 4 -write_xing 0 -id3v2_version 4 \
   -metadata artist="Zelvo Tests" -metadata title="Noise Then Chirp" vbr_noxing.mp3

# Stereo: the chirp on the left, a 1 kHz tone at the same level on the right.
ff -f lavfi -i "aevalsrc=0.5*sin(2*PI*(200*t+50*t*t))|0.5*sin(2*PI*1000*t):s=22050:d=3" \
   -c:a libmp3lame "${bitexact[@]}" -b:a 32k -id3v2_version 3 \
   -metadata artist="Zelvo Tests" -metadata title="Left Chirp Right Tone" stereo_lr.mp3

# Tags, one second each.
# ID3v1 only, its text in Latin-1 as the format has it (FFmpeg's own ID3v1
# writer would copy UTF-8 bytes), appended by hand.
id3v1() {  # id3v1 TITLE ARTIST: the 128-byte tag on standard output
  field() { printf '%s' "$1" | iconv -f UTF-8 -t LATIN1 | head -c "$2"
            head -c $(( $2 - $(printf '%s' "$1" | iconv -f UTF-8 -t LATIN1 | wc -c) )) /dev/zero; }
  printf 'TAG'; field "$1" 30; field "$2" 30; field "" 30; field "2024" 4; field "" 30
  printf '\377'
}
mp3 id3v1_only.mp3 "$tone1s" -b:a 24k -id3v2_version 0 -write_id3v1 0
id3v1 "Café Olé" "Beyoncé" >> id3v1_only.mp3
mp3 id3v23.mp3 "$tone1s" -b:a 24k -id3v2_version 3 \
  -metadata artist="Motörhead" -metadata title="Ace of Spädes"
mp3 id3v24.mp3 "$tone1s" -b:a 24k -id3v2_version 4 \
  -metadata artist="Sigur Rós" -metadata title="Жизнь 東京"
mp3 qq_title.mp3 "$tone1s" -b:a 24k -id3v2_version 3 \
  -metadata artist="Someone" -metadata title="??Unknown Title"
mp3 no_author.mp3 "$tone1s" -b:a 24k -id3v2_version 3 -metadata title="Only A Title"
mp3 no_title.mp3 "$tone1s" -b:a 24k -id3v2_version 3 -metadata artist="Only An Author"

# WMA (ASF) with Author and Title.
ff -f lavfi -i "$chirp" -ac 1 -c:a wmav2 "${bitexact[@]}" -b:a 24k \
   -metadata author="WMA Author" -metadata title="WMA Title" chirp.wma

# One fixture per further format, each tagged in its own way (Vorbis comments,
# MP4 atoms, RIFF INFO, ID3v2 in AIFF, APEv2), with a non-ASCII title. Lossy
# ones run one second at 16 kHz, lossless ones half a second at 8 kHz.
lossy="aevalsrc=0.5*sin(2*PI*(200*t+50*t*t)):s=16000:d=1"
lossless="aevalsrc=0.5*sin(2*PI*(200*t+50*t*t)):s=8000:d=0.5"
tagged() {  # tagged OUT SOURCE TITLE [options...]
  local out=$1 src=$2 title=$3; shift 3
  ff -f lavfi -i "$src" -ac 1 "${bitexact[@]}" "$@" \
     -metadata artist="Zelvo Tests" -metadata title="$title" "$out"
}
tagged tone.flac "$lossless" "FLAC Tüne" -c:a flac
tagged tone.ogg "$lossy" "Vorbis Tüne" -c:a libvorbis -q:a 0
tagged tone.opus "$lossy" "Opus Tüne" -c:a libopus -b:a 12k
tagged tone_aac.m4a "$lossy" "AAC Tüne" -c:a aac -b:a 16k
tagged tone_alac.m4a "$lossless" "ALAC Tüne" -c:a alac
tagged tone.wav "$lossless" "WAV Tüne" -c:a pcm_s16le
tagged tone.aiff "$lossless" "AIFF Tüne" -c:a pcm_s16be -write_id3v2 1
tagged tone.wv "$lossless" "WavPack Tüne" -c:a wavpack
# Musepack takes 44.1 kHz input only.
ff -f lavfi -i "aevalsrc=0.5*sin(2*PI*(200*t+50*t*t)):s=44100:d=1" -ac 1 -c:a pcm_s16le \
   "${bitexact[@]}" mpc_source.wav
mpcenc --silent --overwrite --quality 3 --artist "Zelvo Tests" --title "Musepack Tüne" \
   mpc_source.wav tone.mpc
rm mpc_source.wav

# Damaged files: empty, cut in the middle of a frame, garbage inside, not audio.
: > empty.mp3
head -c 7001 chirp_cbr.mp3 > truncated.mp3
cp chirp_cbr.mp3 damaged.mp3
size=$(stat -c %s damaged.mp3)
# 300 bytes of a fixed pseudo-random pattern over the middle of the file.
awk 'BEGIN { x = 12345; for (i = 0; i < 300; i++) { x = (x * 1103515245 + 12345) % 2147483648; printf "%c", int(x / 65536) % 256 } }' LC_ALL=C \
  | dd of=damaged.mp3 bs=1 seek=$((size / 2)) conv=notrunc status=none
printf 'This is a text file, not audio.\n' > not_audio.mp3

ls -l *.mp3 *.wma tone*

# Not made here: crash_object_size.wma and hang_object_cycle.wma are WMA files
# whose header objects give sizes that run past the header or lead back to an
# earlier object. They are kept as they were found.
# Not made here either, found by a reliability audit: truncated_wav_loop.wav
# (a WAV cut to 2,000 bytes), negative_length/ (files whose headers give
# negative, huge or no lengths) and playlists/ (M3U8 lines holding a line
# break, a trailing space or "://" in a local path).
