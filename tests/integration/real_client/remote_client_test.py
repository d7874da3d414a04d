"""tessarin-cli watching a real BOINC client over GUI RPC.

Starts Debian's boinc client with its own data directory, GUI RPC on a free loopback port and a
password, attached to the fake project of fakeproject.py (127.0.0.1 only), which hands out three
short tasks of a real science app. `tessarin-cli watch --json` watches the client as a remote
one. The test checks that running tasks show as cells, that a result the client finished is
logged from its state, and that results the client finished and reported while the watcher was
held between two cycles are logged from the client's list of reported results: each result
once.

    remote_client_test.py --cli PATH --loopapp PATH --signtool PATH [--boinc PATH]

Every process it starts is ended by its process id.
"""

import argparse
import csv
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fakeproject  # noqa: E402

PASSWORD = "tessarin-remote-test"
NJOBS = 3
SECONDS_PER_TASK = 6


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def write_client_config(client_dir):
    os.makedirs(client_dir, exist_ok=True)
    with open(os.path.join(client_dir, "cc_config.xml"), "w") as f:
        f.write("<cc_config>\n  <options>\n    <dont_contact_ref_site>1</dont_contact_ref_site>\n"
                "    <no_gpus>1</no_gpus>\n    <suppress_net_info>1</suppress_net_info>\n"
                "    <ncpus>2</ncpus>\n  </options>\n</cc_config>\n")
    with open(os.path.join(client_dir, "global_prefs_override.xml"), "w") as f:
        f.write("<global_preferences>\n   <run_on_batteries>1</run_on_batteries>\n"
                "   <run_if_user_active>1</run_if_user_active>\n"
                "   <suspend_cpu_usage>0</suspend_cpu_usage>\n"
                "   <idle_time_to_run>0</idle_time_to_run>\n"
                "   <max_ncpus_pct>100</max_ncpus_pct>\n   <cpu_usage_limit>100</cpu_usage_limit>\n"
                "   <disk_interval>2</disk_interval>\n"
                "   <work_buf_min_days>0</work_buf_min_days>\n"
                "   <work_buf_additional_days>0.01</work_buf_additional_days>\n"
                "   <disk_min_free_gb>0.1</disk_min_free_gb>\n</global_preferences>\n")
    with open(os.path.join(client_dir, "gui_rpc_auth.cfg"), "w") as f:
        f.write(PASSWORD + "\n")


def result_states(client_dir):
    """name -> state of every result in client_state.xml (empty while it is being replaced)."""
    try:
        with open(os.path.join(client_dir, "client_state.xml"), errors="replace") as f:
            text = f.read()
    except OSError:
        return None
    if "</client_state>" not in text:
        return None
    states = {}
    for block in re.findall(r"<result>(.*?)</result>", text, re.S):
        name = re.search(r"<name>(.*?)</name>", block)
        state = re.search(r"<state>(\d+)</state>", block)
        if name and state:
            states[name.group(1)] = int(state.group(1))
    return states


def project_named(client_dir):
    """True once the first scheduler reply is in: the client state names the project."""
    try:
        with open(os.path.join(client_dir, "client_state.xml"), errors="replace") as f:
            return re.search(r"<project_name>.+</project_name>", f.read()) is not None
    except OSError:
        return False


def wait_for(what, predicate, timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.25)
    raise AssertionError("timed out waiting for " + what)


class Watcher:
    """tessarin-cli watch --json, its cycles read as they are printed."""

    def __init__(self, cli, home):
        self.proc = subprocess.Popen([cli, "--home", home, "watch", "--json"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.cycles = []
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        for line in self.proc.stdout:
            if line.startswith("{"):
                with self.lock:
                    self.cycles.append(json.loads(line))

    def count(self):
        with self.lock:
            return len(self.cycles)

    def last(self):
        with self.lock:
            return self.cycles[-1] if self.cycles else None

    def next_cycle(self, timeout=30):
        seen = self.count()
        wait_for("a watch cycle", lambda: self.count() > seen, timeout)
        return self.last()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGCONT)
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(30)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def logged_results(log_dir):
    """The rows of boinc.csv, by column name."""
    try:
        with open(os.path.join(log_dir, "boinc.csv"), newline="") as f:
            lines = list(csv.reader(f.read().split("\r\n")))
    except OSError:
        return []
    header, rows = lines[0], lines[1:]
    assert all(len(row) == len(header) for row in rows), "a row with a wrong column count"
    return [dict(zip(header, row)) for row in rows]


def bring_up_loopback():
    """In a fresh network namespace lo is down; bring it up without iproute2."""
    import fcntl
    import struct
    SIOCGIFFLAGS, SIOCSIFFLAGS, IFF_UP = 0x8913, 0x8914, 0x1
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        ifr = struct.pack("16sH14s", b"lo", 0, b"\0" * 14)
        flags = struct.unpack("16sH14s", fcntl.ioctl(s, SIOCGIFFLAGS, ifr))[1]
        fcntl.ioctl(s, SIOCSIFFLAGS, struct.pack("16sH14s", b"lo", flags | IFF_UP, b"\0" * 14))


def end_processes_under(path):
    """Ends the science apps the client may have left, each by its process id."""
    path = os.path.realpath(path)
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            cwd = os.readlink("/proc/%s/cwd" % pid)
        except OSError:
            continue
        if cwd == path or cwd.startswith(path + "/"):
            try:
                os.kill(int(pid), signal.SIGKILL)
            except OSError:
                pass


def run(args, work):
    server_dir = os.path.join(work, "server")
    client_dir = os.path.join(work, "client")
    home = os.path.join(work, "home")
    log_dir = os.path.join(work, "logs")
    os.makedirs(os.path.join(server_dir, "keys"))
    keys = os.path.join(server_dir, "keys")
    subprocess.run([args.signtool, "genkey", os.path.join(keys, "private"),
                    os.path.join(keys, "public")], check=True, capture_output=True)
    with open(os.path.join(keys, "public")) as f:
        public_key = f.read()
    signature = subprocess.run([args.signtool, "sign", args.loopapp, os.path.join(keys, "private")],
                               check=True, capture_output=True, text=True).stdout
    cfg = fakeproject.ProjectConfig(executable=args.loopapp, data_dir=server_dir, njobs=NJOBS,
                                    seconds=SECONDS_PER_TASK, code_sign_key=public_key,
                                    exe_signature=signature)
    project = fakeproject.FakeProject(cfg).start()
    write_client_config(client_dir)
    rpc_port = free_port()
    client = subprocess.Popen(
        [args.boinc, "--dir", client_dir, "--redirectio", "--no_gpus", "--skip_cpu_benchmarks",
         "--no_info_fetch", "--allow_multiple_clients", "--gui_rpc_port", str(rpc_port),
         "--attach_project", cfg.master_url(), "remote_test_authenticator"],
        cwd=client_dir, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL, start_new_session=True)
    watcher = None

    def boinccmd(*more):
        return subprocess.run([args.boinccmd, "--host", "127.0.0.1:%d" % rpc_port, "--passwd",
                               PASSWORD] + list(more), cwd=client_dir, capture_output=True,
                              text=True, timeout=30)

    try:
        wait_for("the attached project", lambda: project_named(client_dir), 60)
        with project.state.lock:
            project.state.work_enabled = True
        wait_for("the scheduler to take the update",
                 lambda: boinccmd("--project", cfg.master_url(), "update").returncode == 0, 30)

        password_file = os.path.join(work, "client.pw")
        with open(os.open(password_file, os.O_WRONLY | os.O_CREAT, 0o600), "w") as f:
            f.write(PASSWORD + "\n")
        init = subprocess.run([args.cli, "--home", home, "init", "--remote",
                               "127.0.0.1:%d" % rpc_port, "--password-file", password_file,
                               "--logdir", log_dir], capture_output=True, text=True)
        assert init.returncode == 0, init.stderr
        settings = os.path.join(home, "Tessarin.ini")
        with open(settings) as f:
            text = f.read()
        with open(settings, "w") as f:
            f.write(re.sub(r"(?m)^timer=\d+", "timer=1", text))
        assert PASSWORD not in init.stdout + init.stderr
        watcher = Watcher(args.cli, home)

        # Running tasks: one cell each, with the RPC's progress and CPU time.
        def running_cells():
            cycle = watcher.next_cycle()
            cells = [c for c in cycle["display"] if c["ResultName"]]
            return cells if len(cells) == 2 and all(c["CpuText"] for c in cells) else None
        cells = wait_for("two running tasks in the display", running_cells, 120)
        for cell in cells:
            assert cell["ProjectName"] == cfg.project_name, cell
            assert cell["AppName"] == cfg.app_name, cell
            assert cell["HostName"], cell
            assert "%" in cell["StatusText"], cell
            assert cell["LostReason"] == "", cell
        print("running cells:", [(c["ResultName"], c["StatusText"], c["CpuText"]) for c in cells])

        # The first result to finish is logged from the client's state.
        first = wait_for("a finished result", lambda: [
            n for n, s in (result_states(client_dir) or {}).items() if s in (3, 4, 5)], 120)[0]
        wait_for("the first result logged",
                 lambda: first in [r["result_name"] for r in logged_results(log_dir)], 30)

        # Hold the watcher between two cycles while the others finish and are reported.
        watcher.next_cycle()
        pending = [n for n, s in result_states(client_dir).items() if s not in (3, 4, 5)]
        assert pending, "every result finished before the watcher could be held"
        watcher.proc.send_signal(signal.SIGSTOP)
        wait_for("every result finished", lambda: (lambda st: st and len(st) == NJOBS and all(
            s in (3, 5) for s in st.values()))(result_states(client_dir)), 180)
        wait_for("the report", lambda: boinccmd("--project", cfg.master_url(),
                                                "update").returncode == 0, 30)
        wait_for("the results reported", lambda: result_states(client_dir) == {}, 60)
        watcher.proc.send_signal(signal.SIGCONT)
        watcher.next_cycle()
        watcher.next_cycle()
        watcher.next_cycle()

        rows = logged_results(log_dir)
        names = sorted(r["result_name"] for r in rows)
        print("logged:", names, "reported between two cycles:", pending)
        expected = sorted(j.result_name for j in project.state.jobs)
        assert names == expected, "each result once: %s, expected %s" % (names, expected)
        for row in rows:
            assert row["project_name"] == cfg.project_name, row
            assert row["app_name"] == cfg.app_name, row
            assert row["wu_name"] and row["deadline"] and row["app_version"], row
            assert float(row["cpu"]) > 0, row
        assert not any(os.path.exists(os.path.join(log_dir, name)) for name in
                       ("sah_boinc.csv", "ap_boinc.csv", "einstein_boinc.csv"))
        with open(os.path.join(home, "Tessarin.ini")) as f:
            assert PASSWORD not in f.read()
    finally:
        if watcher:
            watcher.stop()
        if client.poll() is None:
            boinccmd("--quit")
            try:
                client.wait(20)
            except subprocess.TimeoutExpired:
                client.kill()
                client.wait()
        end_processes_under(client_dir)
        project.stop()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--loopapp", required=True)
    ap.add_argument("--signtool", required=True)
    ap.add_argument("--boinc", default=shutil.which("boinc") or "/usr/bin/boinc")
    ap.add_argument("--boinccmd", default=shutil.which("boinccmd") or "/usr/bin/boinccmd")
    ap.add_argument("--keep", action="store_true", help="keep the work directory")
    ap.add_argument("--netns", action="store_true", help="running in a fresh network namespace")
    args = ap.parse_args()
    if args.netns:
        bring_up_loopback()
    work = tempfile.mkdtemp(prefix="tessarin-remote-")
    try:
        run(args, work)
    finally:
        if args.keep:
            print("work directory:", work)
        else:
            shutil.rmtree(work, ignore_errors=True)
    print("remote client test passed")


if __name__ == "__main__":
    main()
