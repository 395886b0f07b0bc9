# Small steps shared by the end-to-end tests and the benchmarks that drive
# the real program on an X server. Source this file.

# The id of the visible window whose title is exactly $1, waiting up to 10 s
# for it; prints nothing and returns 1 if none came.
find_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# CPU seconds (user + system) process $1 has used so far.
cpu_of() { awk -v hz="$(getconf CLK_TCK)" '{ printf "%.3f", ($14 + $15) / hz }' "/proc/$1/stat"; }
