#!/usr/bin/env bash
# The Linux scheduling examples in examples/, run as an operator would set them up: the job
# script for each exit code that decides what it does, the command of the crontab line and the
# systemd service's ExecStart=, against the private MariaDB server of the tests. The systemd
# units are also checked with systemd-analyze verify where that program exists.
#
# Usage: test_linux_examples.sh CASE ZUBKIMPORT EXAMPLES_DIR DOCS_DIR
#   CASE: imported | rejected | refused | no-settings | unreadable | no-input | cron | systemd-service
#         | stopped | systemd-verify
# Every CASE but stopped and systemd-verify needs ZUBK_TESTDB_STATE (the testdb ctest fixture).
set -euo pipefail

readonly case_name=$1 program=$2 examples=$3 docs=$4

work=$(mktemp -d /tmp/zubkexamples.XXXXXX)
trap 'rm -rf -- "$work"' EXIT

failures=0
checks=0

# expect DESCRIPTION COMMAND...: one check; the test goes on after a failed one so that its
# output shows everything that is wrong.
expect() {
    local description=$1
    shift
    checks=$((checks + 1))
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAILED: $description"
        failures=$((failures + 1))
    fi
}

# same ACTUAL EXPECTED: equal, byte for byte; shows both when not.
same() {
    [[ $1 == "$2" ]] && return 0
    printf '  expected: %q\n  actual:   %q\n' "$2" "$1"
    return 1
}

matches() {
    [[ $1 =~ $2 ]] && return 0
    printf '  expected to match: %s\n  actual: %q\n' "$2" "$1"
    return 1
}

finish() {
    echo "$((checks - failures)) passed, $failures failed"
    ((failures == 0))
}

# --- The private server ---------------------------------------------------------------------

use_server() {
    : "${ZUBK_TESTDB_STATE:?is not set: run this test through ctest}"
    # shellcheck source=/dev/null
    . "$ZUBK_TESTDB_STATE"
    export ODBCINI LC_ALL=C
    sql "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs;
         INSERT INTO qxs405zzs VALUES ('121', 42), ('771', 7), ('771', 7);"
}

sql() {
    mariadb --no-defaults -S "$ZUBK_TESTDB_SOCKET" -u root --batch --raw --skip-column-names \
        qxsystem -e "$1"
}

# The identifiers (ZpkAsw) of the rows that arrived, in running-number order, one a line.
rows() {
    sql "SELECT ZpkAsw FROM qxs402zpk ORDER BY ZpkLfd"
}

# --- Files as the terminal's export leaves them ----------------------------------------------

# settings_file FOLDER [EXTRA_KEY VALUE]: the parameter file for the server's Oracle-mode data
# source, with Windows line ends.
settings_file() {
    local folder=$1
    mkdir -p "$folder"
    {
        printf '%s\r\n' "1;MAIN;" "1;LOGIN;$ZUBK_TESTDB_USER" "2;MAIN;" \
            "2;PASS;$ZUBK_TESTDB_PASSWORD" "3;MAIN;" "3;DATABASE;zubk_oracle" \
            "4;MAIN;" "4;DB_SYSTEM;ORACLE"
        if (($# == 3)); then
            printf '%s\r\n' "5;MAIN;" "5;$2;$3"
        fi
    } >"$folder/VEXLO00P.TXT"
}

# record LFD LES CODE IDENTIFIER: one 33-byte booking of 01.02.26, 03:04:05.
record() {
    printf '010226030405%s%s%s%-13s%s' "$1" "$2" "${3:0:2}" "$4" "${3:2:1}"
}

# The programs where an operator installs them: zubkimport from the build, the job from
# examples/.
install_programs() {
    mkdir -p "$work/bin"
    ln -s "$program" "$work/bin/zubkimport"
    ln -s "$examples/zubkimport-job" "$work/bin/zubkimport-job"
    export PATH=$work/bin:$PATH
}

# job ARGUMENT...: runs the job from the test's folder; sets status, out and err.
job() {
    status=0
    (cd "$work" && zubkimport-job "$@") >"$work/out" 2>"$work/err" || status=$?
    out=$(<"$work/out")
    err=$(<"$work/err")
}

# archived_copy FOLDER NAME [SUFFIX_PATTERN]: the one archived copy of a file, named
# NAME.YYYYmmdd-HHMMSS and the suffix; fails unless there is exactly one.
archived_copy() {
    local copies=("$1"/"$2".*)
    ((${#copies[@]} == 1)) && [[ -e ${copies[0]} ]] || return 1
    matches "${copies[0]##*/}" "^$2\\.[0-9]{8}-[0-9]{6}${3:-}\$" >&2 || return 1
    printf '%s\n' "${copies[0]}"
}

# --- Cases -----------------------------------------------------------------------------------

case_imported() {
    use_server
    install_programs
    settings_file "$work/in"
    local input=$work/in/bookings.txt bookings copy
    bookings=$(record 001 01 121 first)$(record 002 02 771 second)
    printf '%s' "$bookings" >"$input"

    job -a "$work/archive" "$input"
    expect "every record imported: exit code 0" same "$status" 0
    expect "zubkimport's summary on standard output" \
        same "$out" "2 Saetze kopiert aus Datei $input "
    expect "the rows arrived" same "$(rows)" $'first\nsecond'
    expect "the input file has left the inbox" test ! -e "$input"
    copy=$(archived_copy "$work/archive" bookings.txt) || copy=
    expect "the input file is in the archive, named with the run's time" test -n "$copy"
    expect "the archived file is the input file" same "$(cat "$copy" 2>/dev/null)" "$bookings"
    expect "the job says where it went" \
        same "$err" "zubkimport-job: imported; $input archived as $copy"
    expect "nothing is held" test ! -e "$input.held"
}

case_rejected() {
    use_server
    install_programs
    settings_file "$work/in" REJECT_FILE bookings.rej
    local input=$work/in/bookings.txt bookings copy
    # The reader number "XY" is no number: the server refuses that statement.
    bookings=$(record 001 01 121 before)$(record 002 XY 121 bad)
    printf '%s' "$bookings" >"$input"

    job -a "$work/archive" "$input"
    expect "some records not imported: exit code 2" same "$status" 2
    expect "the other records arrived" same "$(rows)" before
    expect "the input file stays" same "$(cat "$input")" "$bookings"
    expect "nothing is archived" test ! -e "$work/archive"
    expect "the input is held" test -e "$input.held"
    expect "the hold names the reject file" \
        matches "$(cat "$input.held")" "^exit code 2 on [-0-9]{10} [:0-9]{8}, reject file $work/in/bookings.rej\$"
    expect "the alert says what to do" same "$err" \
        "zubkimport-job: some records of $input were not imported (see zubkimport's messages); they are in $work/in/bookings.rej. $input is held: correct the records, put them in place of the input file and delete $input.held"

    job -a "$work/archive" "$input"
    expect "a held input is not imported again: exit code 2" same "$status" 2
    expect "zubkimport did not run" same "$out" ""
    expect "no row was inserted twice" same "$(rows)" before
    expect "the alert says why" matches "$err" "^zubkimport-job: $input is held after an earlier run"

    # What the operator does then: the corrected records in place of the input file.
    mkdir -p "$work/archive"
    mv "$input" "$work/archive/bookings.txt.partly-imported"
    record 002 02 121 corrected >"$input"
    rm "$input.held"
    job -a "$work/archive" "$input"
    expect "the corrected records are imported: exit code 0" same "$status" 0
    expect "every booking is there once" same "$(rows)" $'before\ncorrected'
    expect "the corrected file is archived" test ! -e "$input"
}

# A refused login stops the real tool with exit code 4 before any record: the job puts the reject
# file, which holds every record, in place of the input for the next run.
case_refused() {
    use_server
    install_programs
    settings_file "$work/in" REJECT_FILE bookings.rej
    sed -i "s/^2;PASS;.*/2;PASS;wrong-password\r/" "$work/in/VEXLO00P.TXT"
    local input=$work/in/bookings.txt bookings copy
    bookings=$(record 001 01 121 first)$(record 002 02 771 second)
    printf '%s' "$bookings" >"$input"

    job -a "$work/archive" "$input"
    expect "a refused login: exit code 4" same "$status" 4
    expect "the stop is told" matches "$out" "Lauf abgebrochen: Anmeldung abgewiesen; 2 Saetze nicht versucht"
    expect "the password is not shown" test "${out/wrong-password/}" = "$out"
    expect "nothing arrived" same "$(rows)" ""
    expect "the input now holds every record" same "$(cat "$input")" "$bookings"
    copy=$(archived_copy "$work/archive" bookings.txt '\.stopped') || copy=
    expect "the original input is archived, marked as stopped" test -n "$copy"
}

case_no_settings() {
    use_server
    install_programs
    mkdir -p "$work/in"
    local input=$work/in/bookings.txt
    record 001 01 121 first >"$input"

    job "$input"
    expect "no parameter file: exit code 5" same "$status" 5
    expect "the alert names the parameter file" same "$err" \
        "zubkimport-job: nothing imported: the parameter file $work/in/VEXLO00P.TXT is missing or not valid (exit code 5)"
    expect "the input file stays" test -f "$input"
    expect "nothing is archived" test ! -e "$work/in/archive"
    expect "nothing is held" test ! -e "$input.held"
    expect "nothing arrived" same "$(rows)" ""
}

case_unreadable() {
    use_server
    install_programs
    settings_file "$work/in"
    local input=$work/in/bookings.txt
    mkdir "$input"

    job "$input"
    expect "an input that cannot be read: exit code 3" same "$status" 3
    expect "the alert says nothing was imported" same "$err" \
        "zubkimport-job: nothing imported from $input: it could not be read, is damaged or in use by another run, or an unexpected error occurred (exit code 3)"
    expect "the input stays" test -d "$input"
    expect "nothing is archived" test ! -e "$work/in/archive"
}

case_no_input() {
    use_server
    install_programs
    settings_file "$work/in"
    local input=$work/in/bookings.txt

    job "$input"
    expect "no bookings file: exit code 0" same "$status" 0
    expect "zubkimport reports 0 records" same "$out" "0 Saetze kopiert aus Datei $input "
    expect "the job says there was nothing to do" \
        same "$err" "zubkimport-job: no bookings file $input: nothing to import"
    expect "no archive folder is made" test ! -e "$work/in/archive"
}

# The folders /srv/zubk/in and /srv/zubk/archive of the examples, inside the test's folder.
srv_inbox() {
    settings_file "$work/srv/zubk/in"
    record 001 01 121 scheduled >"$work/srv/zubk/in/zutctrl.vexlo62p.txt"
}

expect_scheduled_run_imported() {
    local copy
    expect "the scheduled run imported the bookings" same "$(rows)" scheduled
    expect "the input file has left the inbox" test ! -e "$work/srv/zubk/in/zutctrl.vexlo62p.txt"
    copy=$(archived_copy "$work/srv/zubk/archive" zutctrl.vexlo62p.txt) || copy=
    expect "the input file is in the archive folder" test -n "$copy"
}

case_cron() {
    use_server
    install_programs
    srv_inbox
    local lines command
    lines=$(grep -E '^[0-9*]' "$examples/zubkimport.cron")
    expect "the crontab has one job line" same "$(wc -l <<<"$lines")" 1
    # /etc/cron.d lines: five time fields, the user, then the command for /bin/sh.
    command=$(awk '{ $1 = $2 = $3 = $4 = $5 = $6 = ""; sub(/^ +/, ""); print }' <<<"$lines")
    command=${command//\/srv\/zubk/$work/srv/zubk}
    status=0
    (cd / && sh -c "$command") || status=$?
    expect "the crontab command succeeds" same "$status" 0
    expect_scheduled_run_imported
}

case_systemd_service() {
    use_server
    install_programs
    srv_inbox
    local unit=$examples/zubkimport.service directory exec_start
    directory=$(sed -n 's/^WorkingDirectory=//p' "$unit")
    exec_start=$(sed -n 's/^ExecStart=//p' "$unit")
    directory=${directory//\/srv\/zubk/$work/srv/zubk}
    exec_start=${exec_start//\/srv\/zubk/$work/srv/zubk}
    exec_start=${exec_start//\/usr\/local\/bin\/zubkimport-job/$work/bin/zubkimport-job}
    local -a words
    read -ra words <<<"$exec_start"
    status=0
    (cd "$directory" && "${words[@]}") || status=$?
    expect "ExecStart= from WorkingDirectory= succeeds" same "$status" 0
    expect_scheduled_run_imported
}

# The job stopped while zubkimport runs, as systemd does at TimeoutStartSec=: the job must pass
# the stop on, wait for zubkimport to end, and act on exit code 4. A stand-in program plays
# zubkimport's part of that (no server is involved): it says when it runs, and on SIGTERM
# writes the records it did not get to into the reject file and ends with exit code 4.
case_stopped() {
    mkdir -p "$work/in"
    local input=$work/in/bookings.txt copy waited
    printf '%s\r\n' "5;MAIN;" "5;REJECT_FILE;bookings.rej" >"$work/in/VEXLO00P.TXT"
    printf '%s' "$(record 001 01 121 imported)$(record 002 01 121 missing)" >"$input"
    cat >"$work/stand-in" <<'END_OF_STAND_IN'
#!/bin/sh
folder=${3%/*}
trap 'tail -c 33 "$3" >"$folder/bookings.rej"; echo "stopped early"; exit 4' TERM
: >"$folder/running"
while :; do sleep 1; done
END_OF_STAND_IN
    chmod +x "$work/stand-in"

    (cd "$work" && exec "$examples/zubkimport-job" -p "$work/stand-in" -a "$work/archive" \
        "$input") >"$work/out" 2>"$work/err" &
    local job_pid=$!
    # Wait until the stand-in runs (it may take long on a busy machine; 600 s at most).
    for ((waited = 0; waited < 6000; waited++)); do
        [[ -e $work/in/running ]] && break
        sleep 0.1
    done
    kill -TERM "$job_pid"
    status=0
    wait "$job_pid" || status=$?
    out=$(<"$work/out")
    err=$(<"$work/err")
    expect "the job ends with the stopped run's exit code 4" same "$status" 4
    expect "the stop reached the program" same "$out" "stopped early"
    expect "the input now holds the records not imported" \
        same "$(cat "$input")" "$(record 002 01 121 missing)"
    expect "the reject file is used up" test ! -e "$work/in/bookings.rej"
    copy=$(archived_copy "$work/archive" bookings.txt '\.stopped') || copy=
    expect "the original input is archived, marked as stopped" test -n "$copy"
    expect "the job says what it did" same "$err" \
        "zubkimport-job: the run stopped early; $input now holds the records not yet imported (the original is $copy); the next run imports them"
}

case_systemd_verify() {
    if ! command -v systemd-analyze >/dev/null 2>&1; then
        echo "note: systemd-analyze is not installed here; the unit files were not verified"
        return 0
    fi
    # verify wants ExecStart='s program to exist and Documentation='s manual page to be found.
    mkdir -p "$work/units" "$work/man/man1"
    sed "s|/usr/local/bin/zubkimport-job|$examples/zubkimport-job|" \
        "$examples/zubkimport.service" >"$work/units/zubkimport.service"
    cp "$examples/zubkimport.timer" "$work/units/"
    cp "$docs/zubkimport.1" "$work/man/man1/"
    local output status=0
    output=$(MANPATH=$work/man systemd-analyze verify "$work/units/zubkimport.service" \
        "$work/units/zubkimport.timer" 2>&1) || status=$?
    expect "systemd-analyze verify accepts the units" same "$status" 0
    expect "and has nothing to say about them" same "$output" ""
}

case $case_name in
imported | rejected | refused | no-settings | unreadable | no-input | cron | systemd-service | stopped | \
    systemd-verify)
    "case_${case_name//-/_}"
    ;;
*)
    echo "unknown case: $case_name" >&2
    exit 2
    ;;
esac
finish
