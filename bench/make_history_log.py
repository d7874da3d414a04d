#!/usr/bin/env python3
"""Writes a boinc.csv of N rows the way the logger does: the header, then CR LF before each
row, 46 columns, four hosts, five projects, some errors and some rows without CPU time.
    make_history_log.py PATH [ROWS]"""
import random
import sys

HEADER = ('"date","project_name","app_name","domain_name","p_ncpus","p_vendor","p_model",'
          '"p_fpops","p_iops","p_membw","p_calculated","os_name","os_version","m_nbytes",'
          '"m_cache","m_swap","d_total","d_free","on_frac","connected_frac","active_frac",'
          '"last_update","bwup","bwdown","user_name","team_name","user_total_credit",'
          '"user_expavg_credit","user_create_time","hostid","host_total_credit",'
          '"host_expavg_credit","host_create_time","exp_avg_cpu","exp_avg_mod_time","deadline",'
          '"host_venue","boinc_version","tess_version","app_version","wu_name","result_name",'
          '"cpu","fpops_est","error","error_txt"')
HOSTS = [("ws-01", "GenuineIntel", "Intel(R) Core(TM) i7-8700K CPU @ 3.70GHz", "Linux",
          "Debian GNU/Linux 12 (bookworm) [6.1.0-18-amd64|libc 2.36]", 12),
         ("node17", "AuthenticAMD", "AMD Ryzen 9 5950X 16-Core Processor", "Linux",
          "Ubuntu 22.04.3 LTS [6.5.0-14-generic|libc 2.35]", 32),
         ("OFFICE-PC", "GenuineIntel", "Intel(R) Core(TM) i5-4590 CPU @ 3.30GHz",
          "Microsoft Windows XP", "Professional x86 Edition, Service Pack 3, (05.01.2600.00)", 4),
         ("laptop", "GenuineIntel", "11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz", "Linux",
          "Fedora Linux 39 (Workstation Edition) [6.6.8-200.fc39.x86_64|libc 2.38]", 8)]
PROJECTS = [("SETI@home", "setiathome_v8", "8.22"), ("Einstein@Home", "einstein_O3AS", "1.07"),
            ("Rosetta@home", "rosetta", "4.20"), ("climateprediction.net", "hadam4", "8.09"),
            ("LHC@home", "sixtrack", "502.05")]


def main():
    path = sys.argv[1]
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    rnd = random.Random(7)
    credit = 1_234_567.89
    time = 1_600_000_000
    out = [HEADER]
    with open(path, "w", newline="") as f:
        for i in range(rows):
            name, vendor, model, os_name, os_version, cpus = HOSTS[i % 4]
            project, app, version = PROJECTS[(i // 3) % 5]
            time += 30 + rnd.randrange(600)
            credit += rnd.randrange(10000) / 100
            cpu = 0 if rnd.randrange(100) == 0 else 1000 + rnd.randrange(90000) + 0.25
            error = rnd.randrange(50) == 0
            wu = "%s_%07d_%d" % (app[:8], i, rnd.randrange(1000))
            out.append(
                '"%04d.%02d.%02d %02d:%02d:%02d","%s","%s","%s",%d,"%s","%s",%d,%d,%d,%d,"%s","%s",'
                '%d,%d,%d,%d,%d,%.6f,%.6f,%.6f,%d,%.1f,%.1f,"jsmith","SETI.Germany",%.2f,%.2f,'
                '1104537600,%d,%.2f,%.2f,%d,%.1f,%d,%d,"home",7.20,1.52,%s,"%s","%s_0",%.6f,%d,%s,%s'
                % (2020 + i % 5, 1 + i % 12, 1 + i % 28, i % 24, i % 60, (i * 7) % 60, project,
                   app, name, cpus, vendor, model, 4100000000 + i % 1000, 12000000000 + i % 777,
                   1000000000, time - 86400, os_name, os_version, 17179869184, 8388608,
                   4294967296, 500107862016, 123456789012 - i, 0.998765, 0.987, 0.9512, time,
                   12345.678, 98765.432, credit, credit / 1000, 1234567 + i % 4, credit / 4,
                   credit / 4000, 1104537600 + i % 4 * 86400, 12345.6, time - 3600,
                   time + 14 * 86400, version, wu, wu, cpu, 27954799474154 + i,
                   "true" if error else "false",
                   '"Computation error (-161)"' if error else ""))
            if len(out) >= 10000:
                f.write("\r\n".join(out))
                out = [""]
        f.write("\r\n".join(out))


if __name__ == "__main__":
    main()
