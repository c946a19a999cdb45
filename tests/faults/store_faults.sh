#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Saves of the top-score table while the system fails under them: a full
# disk, writes and syncs that fail, the process killed at each system call of
# a save in turn, and a random run of all of these. Whatever happens the table
# on disk is the old one or the new one, whole; a save says "saved" only when
# the new one is there; nothing it leaves behind outlives the next save.
#
#   store_faults.sh STORE_PROBE WORK_FOLDER [SEED]
#
# Prints one line a check and a summary; exits 77 (skipped) when strace cannot
# trace here, non-zero on any failure.
set -u
probe=$1
work=$2
seed=${3:-$RANDOM}
rm -rf "$work"
mkdir -p "$work"

if ! strace -f -qq -o /dev/null true 2>/dev/null; then
    echo "strace cannot trace here: skipped"
    exit 77
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Fifteen entries; the probe's result (Probe, 450, level 7) goes to place 6.
old_table() {
    local i
    for i in $(seq 1 15); do
        printf '"P%d",%d,%d\r\n' "$i" $((1000 - i * 100)) "$i"
    done
}

# A folder holding the old table, the program's folder of one save.
fresh() { # folder
    rm -rf "$1"
    mkdir -p "$1"
    old_table >"$1/TopScores.txt"
}

old_table >"$work/old"
fresh "$work/expected"
"$probe" "$work/expected" "" Probe 450 7 || { echo "the probe cannot save at all"; exit 1; }
cp "$work/expected/TopScores.txt" "$work/new"

# What the table on disk is now: old, new or lost.
table_state() { # folder
    if cmp -s "$1/TopScores.txt" "$work/old"; then
        echo old
    elif cmp -s "$1/TopScores.txt" "$work/new"; then
        echo new
    else
        echo lost
    fi
}

# Everything in the folder but the table itself and the empty lock file.
leftovers() { # folder
    find "$1" -mindepth 1 ! -name TopScores.txt ! \( -name TopScores.txt.lock -empty \) -printf '%f '
}

# 1. A failing call makes the save fail and keeps the old table.
echo "== failing system calls"
for fault in write:ENOSPC write:EIO write:EDQUOT fdatasync:EIO fdatasync:ENOSPC \
             rename,renameat,renameat2:EIO rename,renameat,renameat2:EXDEV fsync:EIO fsync:EIO:when=1; do
    calls=${fault%%:*}
    error=${fault#*:}
    dir="$work/fault"
    fresh "$dir"
    strace -f -qq -o /dev/null -e trace="$calls" -e inject="$calls:error=$error" \
        "$probe" "$dir" "" Probe 450 7 2>"$work/stderr"
    status=$?
    state=$(table_state "$dir")
    left=$(leftovers "$dir")
    # The folder's sync comes after the new table took the name: the entry
    # is there. A sync that fails once is tried again and the save is made;
    # one that keeps failing is said to be so (exit 5), as a power cut
    # could still undo it. It never goes on to write a second table.
    want=old want_status=1
    [ "$fault" = fsync:EIO ] && want=new want_status=5
    [ "$fault" = fsync:EIO:when=1 ] && want=new want_status=0
    # A failing write fails the probe's own report on stderr too.
    told=yes
    [ "$calls" != write ] && [ "$want_status" -ne 0 ] && [ ! -s "$work/stderr" ] && told=no
    if [ "$status" -ne "$want_status" ] || [ "$state" != "$want" ] || [ -n "$left" ] || [ "$told" = no ]; then
        fail "$fault: exit $status, table $state (want $want), left '$left': $(cat "$work/stderr")"
    else
        echo "ok   $fault: exit $status, $state table, told: $(cut -c1-90 "$work/stderr")"
    fi
done

# 2. A real full disk: a small tmpfs filled up, where this machine lets us.
echo "== a full disk"
disk="$work/disk"
mkdir -p "$disk"
if mount -t tmpfs -o size=256k quillop-full "$disk" 2>/dev/null; then
    old_table >"$disk/TopScores.txt"
    dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
    "$probe" "$disk" "" Probe 450 7 2>"$work/stderr"
    status=$?
    rm -f "$disk/filler"
    state=$(table_state "$disk")
    left=$(leftovers "$disk")
    umount "$disk"
    if [ "$status" -ne 1 ] || [ "$state" != old ] || [ -n "$left" ]; then
        fail "full tmpfs: exit $status, table $state, left '$left'"
    else
        echo "ok   full tmpfs: not saved, old table kept, told: $(cut -c1-90 "$work/stderr")"
    fi
else
    echo "skip full tmpfs: this machine does not let the test mount one"
fi

# 2a. A damaged table on a file system without hard links (link() refused):
# what could be read of it is written aside instead, under the first free
# name, and the save goes on; the player's own .damaged stays.
echo "== a damaged table where hard links are refused"
for refused in "link,linkat:EPERM" "link,linkat:EPERM renameat2:EIO"; do
    dir="$work/nolinks"
    rm -rf "$dir"
    mkdir -p "$dir"
    { printf 'not a score\r\n' && head -n 14 "$work/old"; } >"$dir/TopScores.txt"
    cp "$dir/TopScores.txt" "$work/damaged"
    echo "the player's own" >"$dir/TopScores.txt.damaged"
    injects=()
    for fault in $refused; do
        injects+=(-e "inject=${fault%%:*}:error=${fault#*:}")
    done
    strace -f -qq -o /dev/null "${injects[@]}" "$probe" "$dir" "" Probe 450 7 2>"$work/stderr"
    status=$?
    kept=no
    cmp -s "$dir/TopScores.txt.damaged2" "$work/damaged" && kept=yes
    left=$(find "$dir" -mindepth 1 ! -name 'TopScores.txt*' -printf '%f ')$(find "$dir" -name '*.saving-*' -printf '%f ')
    if [ "$refused" = "link,linkat:EPERM" ]; then
        ok=$([ "$status" -eq 0 ] && [ "$(table_state "$dir")" = new ] && [ "$kept" = yes ] \
            && grep -q 'what could be read of it' "$work/stderr" && echo yes)
    else # the copy cannot take its name either: nothing is saved, nothing is left
        ok=$([ "$status" -eq 1 ] && cmp -s "$dir/TopScores.txt" "$work/damaged" \
            && [ ! -e "$dir/TopScores.txt.damaged2" ] && echo yes)
    fi
    if [ "$ok" = yes ] && [ -z "$left" ] && [ "$(cat "$dir/TopScores.txt.damaged")" = "the player's own" ]; then
        echo "ok   $refused: exit $status, told: $(cut -c1-90 "$work/stderr")"
    else
        fail "$refused: exit $status, kept aside '$kept', left '$left': $(cat "$work/stderr")"
    fi
done

# 2b. Two copies of the game of two players (two data folders) save into
# one program folder, the first held in the middle of its save: the second
# waits for it at the lock beside the table, and both entries are kept there.
echo "== two players' copies at once, the first held in a save"
for held in fdatasync rename,renameat,renameat2; do
    dir="$work/shared"
    fresh "$dir"
    rm -rf "$work/home1" "$work/home2"
    strace -f -qq -o /dev/null -e trace="$held" -e inject="$held:delay_enter=2000000" \
        "$probe" "$dir" "$work/home1/quillop" First 450 7 2>"$work/stderr1" &
    first=$!
    sleep 0.5 # the first copy holds the lock and sits in its $held
    "$probe" "$dir" "$work/home2/quillop" Second 440 7 2>"$work/stderr2"
    second=$?
    wait $first
    first_status=$?
    lines=$(tr -cd '\n' <"$dir/TopScores.txt" | wc -c)
    if [ "$first_status" -ne 0 ] || [ "$second" -ne 0 ] || [ "$lines" -ne 15 ] \
        || ! grep -q '"First",450,7' "$dir/TopScores.txt" || ! grep -q '"Second",440,7' "$dir/TopScores.txt" \
        || [ -e "$work/home1/quillop/TopScores.txt" ] || [ -e "$work/home2/quillop/TopScores.txt" ] \
        || [ -n "$(leftovers "$dir")" ]; then
        fail "held in $held: exits $first_status and $second, $lines lines, left '$(leftovers "$dir")':" \
            "$(cat "$work/stderr1" "$work/stderr2")"
    else
        echo "ok   first held in $held: both entries in the one table"
    fi
done

# 2c. Two players share a writable program folder; the first plays under
# umask 077 and makes the lock. The second can still take it and save.
echo "== two players, the first under umask 077"
as() { # uid command...: as another player, who has only what others have
    local uid=$1
    shift
    setpriv --reuid="$uid" --regid="$uid" --clear-groups "$@"
}
dir="$work/players"
fresh "$dir"
chmod 0777 "$dir"
chmod 0666 "$dir/TopScores.txt"
chmod o+rx "$work"
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && as 65534 test -x "$probe" -a -w "$dir"; then
    (umask 077 && as 65534 "$probe" "$dir" "" First 450 7) 2>"$work/stderr1"
    first=$?
    (umask 022 && as 65533 "$probe" "$dir" "" Second 440 7) 2>"$work/stderr2"
    second=$?
    if [ "$first" -ne 0 ] || [ "$second" -ne 0 ] || ! grep -q '"First",450,7' "$dir/TopScores.txt" \
        || ! grep -q '"Second",440,7' "$dir/TopScores.txt"; then
        fail "two players: exits $first and $second, lock $(stat -c %a "$dir/TopScores.txt.lock"):" \
            "$(cat "$work/stderr1" "$work/stderr2")"
    else
        echo "ok   a lock made under umask 077 ($(stat -c %a "$dir/TopScores.txt.lock")) is taken by the other player"
    fi
else
    echo "skip two players: needs root, setpriv and a folder other players reach"
fi

# 2d. A shell holds the table's lock with flock(1): the save gives up after
# its wait, leaves the table as it was and names the process.
echo "== a lock held by another program"
if command -v flock >/dev/null; then
    dir="$work/flocked"
    fresh "$dir"
    : >"$dir/TopScores.txt.lock"
    flock -x "$dir/TopScores.txt.lock" sleep 10 &
    holder=$!
    sleep 0.5
    "$probe" "$dir" "" Probe 450 7 2>"$work/stderr"
    status=$?
    kill "$holder" 2>/dev/null
    wait "$holder" 2>/dev/null
    if [ "$status" -ne 6 ] || [ "$(table_state "$dir")" != old ] || ! grep -q "held by process $holder (flock)" "$work/stderr"; then
        fail "lock held by flock: exit $status, table $(table_state "$dir"): $(cat "$work/stderr")"
    else
        echo "ok   lock held by flock: not saved, old table, told: $(cut -c1-90 "$work/stderr")"
    fi
else
    echo "skip lock held by another program: no flock"
fi

# 3. A kill at every system call of a save, one after another.
echo "== a kill at each system call"
fresh "$work/dry"
strace -f -qq -o "$work/calls" "$probe" "$work/dry" "" Probe 450 7
declare -A seen=()
tried=0
lost=0
stray=0
while read -r call; do
    seen[$call]=$((${seen[$call]:-0} + 1))
    dir="$work/kill"
    fresh "$dir"
    strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:signal=KILL:when=${seen[$call]}" \
        "$probe" "$dir" "" Probe 450 7 >/dev/null 2>&1 &
    wait $! 2>/dev/null
    tried=$((tried + 1))
    state=$(table_state "$dir")
    if [ "$state" = lost ]; then
        lost=$((lost + 1))
        fail "killed at $call #${seen[$call]}: the table is neither the old nor the new one"
        continue
    fi
    # The next save finds its way past whatever the cut-off one left: one
    # of the same result when the table is still the old one, otherwise of
    # a result too low to change it, which it says (exit 3).
    if [ "$state" = old ]; then
        "$probe" "$dir" "" Probe 450 7 || fail "after a kill at $call #${seen[$call]} the next save failed"
    else
        "$probe" "$dir" "" Low -100000 1 2>/dev/null
        [ $? -eq 3 ] || fail "after a kill at $call #${seen[$call]} the next save did not say the table was full"
    fi
    left=$(leftovers "$dir")
    if [ -n "$left" ] || [ "$(table_state "$dir")" != new ]; then
        stray=$((stray + 1))
        fail "after a kill at $call #${seen[$call]} and one more save: table $(table_state "$dir"), left '$left'"
    fi
done < <(sed -nE 's/^[0-9]+ +([a-z_0-9]+)\(.*/\1/p' "$work/calls")
echo "kill points tried: $tried, tables lost: $lost, left behind after the next save: $stray"
[ "$tried" -gt 20 ] || fail "only $tried kill points: the dry run did not trace the save"

# 4. Random faults, one save after another on one table: every save that
# says "saved" holds its entry, every other one leaves the table as it was.
echo "== random faults, seed $seed"
RANDOM=$seed
dir="$work/random"
fresh "$dir"
calls=(write fdatasync fsync rename,renameat,renameat2 openat unlink fchmod lseek)
errors=(ENOSPC EIO EACCES EDQUOT EROFS)
saved=0
refused=0
for round in $(seq 1 40); do
    cp "$dir/TopScores.txt" "$work/before"
    score=$((RANDOM % 2000))
    call=${calls[RANDOM % ${#calls[@]}]}
    error=${errors[RANDOM % ${#errors[@]}]}
    when=$((RANDOM % 3 + 1))
    # Later calls than the start-up's, for the calls the start-up makes too.
    [ "$call" = openat ] && when=$((when + $(grep -c '^[0-9]* *openat(' "$work/calls") - 4))
    strace -f -qq -o /dev/null -e trace="$call" -e inject="$call:error=$error:when=$when" \
        "$probe" "$dir" "" "R$round" "$score" 1 2>/dev/null
    status=$?
    if grep -q "\"R$round\",$score,1" "$dir/TopScores.txt"; then
        holds=yes
    else
        holds=no
    fi
    whole=$(tr -cd '\n' <"$dir/TopScores.txt" | wc -c)
    if [ "$whole" -ne 15 ]; then
        fail "round $round ($call $error #$when): $whole lines"
    elif [ "$status" -eq 0 ] || [ "$status" -eq 5 ]; then
        saved=$((saved + 1))
        # A score below the fifteenth has no place to go.
        low=$(sed -n 15p "$work/before" | cut -d, -f2)
        if [ "$holds" = no ] && [ "$score" -gt "$low" ]; then
            fail "round $round ($call $error #$when): reported saved, but the entry is missing"
        fi
    else
        refused=$((refused + 1))
        if [ "$holds" = no ] && ! cmp -s "$dir/TopScores.txt" "$work/before"; then
            fail "round $round ($call $error #$when): not saved, and the old table changed"
        fi
    fi
done
echo "random saves: $saved saved, $refused not saved; left behind: '$(leftovers "$dir")'"

echo "store faults: $failures failed"
[ "$failures" -eq 0 ]
