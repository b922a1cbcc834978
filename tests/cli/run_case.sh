#!/usr/bin/env bash
# Runs tovrel-cli on one fixture case and compares what it prints and writes.
#   run_case.sh CLI CASE_DIR
# CASE_DIR holds: args (one argument per line; @DATA@ and @OUT@ are replaced by the case's temporary
# data folder and output folder), data/ (copied to the temporary data folder), optional Mivra.conf
# (the settings store), expected.stdout, optional expected.exit (default 0), optional
# expected.stderr (a text the error output must contain), optional expected/ (files that must exist
# byte for byte, relative to the temporary root: data/... or out/...), optional setup.sh (run with
# the temporary root as its argument before the command), optional check.sh (run with the temporary
# root and the case folder as its arguments after the command; it must exit 0; the command's output
# is in stdout and stderr of the temporary root), optional expected.pictures
# (pictures, one path a line relative to the temporary root, that must exist and not be blank).
set -u
cli=$1
case_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config/Quendra" "$work/share" "$work/runtime" "$work/out" "$work/data"
chmod 700 "$work/runtime"
[ -d "$case_dir/data" ] && cp -R "$case_dir/data/." "$work/data/"
[ -f "$case_dir/Mivra.conf" ] && cp "$case_dir/Mivra.conf" "$work/config/Quendra/Mivra.conf"
[ -f "$case_dir/setup.sh" ] && bash "$case_dir/setup.sh" "$work"
args=()
while IFS= read -r line || [ -n "$line" ]; do
    line=${line//@DATA@/$work/data}
    line=${line//@OUT@/$work/out}
    args+=("$line")
done < "$case_dir/args"
HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share" XDG_RUNTIME_DIR="$work/runtime" \
    "$cli" "${args[@]}" > "$work/stdout" 2> "$work/stderr"
code=$?
fail=0
want_code=0
[ -f "$case_dir/expected.exit" ] && want_code=$(cat "$case_dir/expected.exit")
if [ "$code" != "$want_code" ]; then
    echo "exit code $code, expected $want_code"; fail=1
fi
if [ -f "$case_dir/expected.stdout" ] && ! cmp -s "$work/stdout" "$case_dir/expected.stdout"; then
    echo "stdout differs:"; diff "$case_dir/expected.stdout" "$work/stdout" | head -40; fail=1
fi
if [ -f "$case_dir/expected.stderr" ] && ! grep -qF -f "$case_dir/expected.stderr" "$work/stderr"; then
    echo "stderr lacks the expected text; it was:"; cat "$work/stderr"; fail=1
fi
if [ -d "$case_dir/expected" ]; then
    while IFS= read -r -d '' f; do
        rel=${f#"$case_dir/expected/"}
        if ! cmp -s "$f" "$work/$rel"; then
            echo "file $rel differs from the expected bytes"; fail=1
        fi
    done < <(find "$case_dir/expected" -type f -print0)
fi
if [ -f "$case_dir/check.sh" ] && ! bash "$case_dir/check.sh" "$work" "$case_dir" > "$work/check.out" 2>&1; then
    echo "check.sh failed:"; cat "$work/check.out"; fail=1
fi
if [ -f "$case_dir/expected.pictures" ]; then
    while IFS= read -r rel || [ -n "$rel" ]; do
        colours=$(identify -format '%k' "$work/$rel" 2>/dev/null)
        if [ "${colours:-0}" -lt 16 ]; then
            echo "picture $rel is missing or blank (${colours:-no} colours)"; fail=1
        fi
    done < "$case_dir/expected.pictures"
fi
[ $fail -ne 0 ] && { echo "--- stderr:"; cat "$work/stderr"; }
exit $fail
