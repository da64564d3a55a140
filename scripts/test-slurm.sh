#!/usr/bin/env bash
# The cluster scripts on a real one-node Slurm: starts munged, slurmctld and slurmd on a
# private configuration, key, folders and ports (nothing of the machine's own Slurm or
# munge is read or touched), submits contrib/slurm/sweep.sbatch as an array with a tiny
# experiment and summarize.sbatch after it, and checks the summary against the same
# experiment run whole, byte for byte. Stops exactly the daemons it started.
#
# Installs nothing: `bash scripts/setup.sh` installs munge, slurmctld, slurmd and
# slurm-client. Where they are missing, or the daemons cannot start (no root, no node),
# it says why and exits 0 as skipped. Needs a built runner: build/cli/vadidazid-sim, or
# the one VADIDAZID_SIM names.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sim="${VADIDAZID_SIM:-$root/build/cli/vadidazid-sim}"

skip() {
  echo "test-slurm: skipped: $*"
  exit 0
}
fail() {
  echo "test-slurm: FAILED: $*" >&2
  exit 1
}

for tool in munged slurmctld slurmd sbatch squeue scontrol scancel sinfo; do
  command -v "$tool" >/dev/null ||
    skip "$tool is not installed (bash scripts/setup.sh installs munge and Slurm)"
done
[ "$(id -u)" = 0 ] || skip "slurmd must run as root to start jobs"
[ -x "$sim" ] || fail "no runner at $sim: build it first (bash scripts/setup.sh)"
sim="$(cd "$(dirname "$sim")" && pwd)/$(basename "$sim")"  # the jobs run elsewhere

dir=$(mktemp -d /tmp/vadidazid-slurm.XXXXXX)
pids=()
jobs_submitted=()
# Cancels this test's jobs, then ends the daemons it started, by their own process ids,
# the last started first, and waits for each.
cleanup() {
  local status=$?
  if [ ${#jobs_submitted[@]} -gt 0 ]; then
    timeout 10 scancel "${jobs_submitted[@]}" 2>/dev/null || true
  fi
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || continue
    for _ in $(seq 50); do kill -0 "${pids[i]}" 2>/dev/null || break; sleep 0.2; done
    kill -KILL "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  [ $status -eq 0 ] || tail -n 20 "$dir"/*.log 2>/dev/null >&2 || true
  rm -rf "$dir"
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Two free ports above the usual ones, so that a Slurm already on the machine is not met.
free_port() {
  local p
  for _ in $(seq 100); do
    p=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then echo "$p"; return; fi
  done
  fail "no free port found"
}
ctld_port=$(free_port)
slurmd_port=$(free_port)
[ "$ctld_port" != "$slurmd_port" ] || slurmd_port=$((ctld_port + 1))

mkdir -p "$dir/state" "$dir/spool" "$dir/work"
chmod 700 "$dir"
head -c 1024 /dev/urandom >"$dir/munge.key"
chmod 400 "$dir/munge.key"
host=$(hostname -s)
cpus=$(nproc)
cat >"$dir/slurm.conf" <<EOF
ClusterName=vadidazid-test
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge.socket
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
MpiDefault=none
ReturnToService=2
NodeName=vadidazid-node NodeHostname=$host NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=vadidazid-node Default=YES MaxTime=INFINITE State=UP
EOF
export SLURM_CONF=$dir/slurm.conf
# An outer job's variables would steer sbatch; only this cluster's configuration counts.
for v in $(compgen -e | grep '^SLURM_' | grep -v '^SLURM_CONF$' || true); do unset "$v"; done

# Each daemon in the foreground of a background job, so that $! is its own id.
munged -F --force --key-file="$dir/munge.key" --socket="$dir/munge.socket" \
  --pid-file="$dir/munged.pid" --log-file="$dir/munged.log" --seed-file="$dir/munged.seed" \
  >"$dir/munged.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "$dir/munge.socket" ] && break; sleep 0.2; done
[ -S "$dir/munge.socket" ] || skip "munged did not start: $(tail -n 3 "$dir"/munged.*)"

slurmctld -D -i -f "$SLURM_CONF" >"$dir/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D -N vadidazid-node -f "$SLURM_CONF" >"$dir/slurmd.out" 2>&1 &
pids+=($!)
ready=""
for _ in $(seq 60); do
  for pid in "${pids[@]}"; do
    kill -0 "$pid" 2>/dev/null ||
      skip "a daemon stopped at its start: $(tail -n 5 "$dir"/slurm*.out "$dir"/slurm*.log 2>/dev/null)"
  done
  state=$(timeout 5 sinfo -h -n vadidazid-node -o %T 2>/dev/null || true)
  if [ "$state" = idle ]; then ready=1; break; fi
  sleep 0.5
done
[ -n "$ready" ] || skip "the node did not come up (state '${state:-none}'): $(tail -n 5 "$dir"/slurm*.log 2>/dev/null)"

# The tiny experiment: 4 points of 2 replications, split over 3 array tasks, each given
# the node's CPUs as the script's head tells for a node with fewer than 4.
experiment=(--subscribers 300 --sweep call-percent=10:40:10 --replications 2
            --steps 120 --warmup 20)
cd "$dir/work"
array=$(sbatch --parsable --array=0-2 --cpus-per-task="$cpus" --export=ALL,VADIDAZID_SIM="$sim" \
  "$root/contrib/slurm/sweep.sbatch" "${experiment[@]}")
array=${array%%;*}
jobs_submitted+=("$array")
summary=$(sbatch --parsable --dependency=afterok:"$array" --export=ALL,VADIDAZID_SIM="$sim" \
  "$root/contrib/slurm/summarize.sbatch" "$array")
summary=${summary%%;*}
jobs_submitted+=("$summary")

for _ in $(seq 240); do
  [ -z "$(squeue -h -j "$array,$summary" 2>/dev/null)" ] && break
  sleep 0.5
done
[ -z "$(squeue -h -j "$array,$summary")" ] ||
  fail "jobs still queued after 2 minutes: $(squeue -j "$array,$summary" -o '%i %T %r')"
state=$(scontrol show job "$summary" | sed -n 's/.*JobState=\([A-Z_]*\).*/\1/p')
[ "$state" = COMPLETED ] ||
  fail "the summary job ended $state: $(cat vadidazid-summary-"$summary".txt vadidazid-sweep-*.log 2>/dev/null)"
jobs_submitted=()

"$sim" "${experiment[@]}" --summary >"$dir/whole.txt"
cmp "vadidazid-summary-$summary.txt" "$dir/whole.txt" ||
  fail "the summary of the shards differs from the whole run's: $(diff "vadidazid-summary-$summary.txt" "$dir/whole.txt")"
shards=$(ls results/"$array"/shard-*.csv | wc -l)
[ "$shards" = 3 ] || fail "$shards result files, not 3"
echo "test-slurm: passed: 3 array tasks and their summary on a one-node Slurm match the whole run"
