#!/usr/bin/env python3
"""Writes the bundled sample client data directories into samples/clients/.

The samples are small, hand-made BOINC data directories: what a client leaves on disk while
it runs SETI@home, Astropulse, Einstein@Home, climateprediction.net and LHC@home work. They
are checked in; this script only exists so they can be made again the same way.
"""

import os
import shutil
import struct
import sys
import zipfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "clients")

# Fixed times keep the samples stable: deadlines lie well in the future.
NOW = 1796731200  # 2026-12-08 12:00 UTC
DAY = 86400


def write(path, text, mode="w"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if "b" in mode:
        with open(path, mode) as f:
            f.write(text)
    else:
        with open(path, mode, newline="") as f:
            f.write(text)


def host_block(domain, fpops, ncpus, model, on_frac="0.987654", active_frac="0.954321"):
    return f"""<host_info>
    <timezone>3600</timezone>
    <domain_name>{domain}</domain_name>
    <ip_addr>192.168.1.20</ip_addr>
    <host_cpid>5f0e1b2c3d4a59687766554433221100</host_cpid>
    <p_ncpus>{ncpus}</p_ncpus>
    <p_vendor>GenuineIntel</p_vendor>
    <p_model>{model}</p_model>
    <p_features>fpu vme de pse tsc msr pae mce cx8 apic sep mtrr sse sse2</p_features>
    <p_fpops>{fpops}</p_fpops>
    <p_iops>5123456789.123456</p_iops>
    <p_membw>1000000000.000000</p_membw>
    <p_calculated>{NOW - 5 * DAY}.250000</p_calculated>
    <m_nbytes>8354123776.000000</m_nbytes>
    <m_cache>4194304.000000</m_cache>
    <m_swap>2147479552.000000</m_swap>
    <d_total>250790436864.000000</d_total>
    <d_free>83593973760.000000</d_free>
    <os_name>Linux Debian</os_name>
    <os_version>Debian GNU/Linux 12 (bookworm) [6.1.0-28-amd64|libc 2.36]</os_version>
</host_info>
<time_stats>
    <on_frac>{on_frac}</on_frac>
    <connected_frac>0.998000</connected_frac>
    <active_frac>{active_frac}</active_frac>
    <last_update>{NOW - 3600}.375000</last_update>
</time_stats>
<net_stats>
    <bwup>51234.567890</bwup>
    <bwdown>812345.678901</bwdown>
</net_stats>
"""


def project_block(url, name, share="100.000000", dcf="1.021344", extra=""):
    return f"""<project>
    <master_url>{url}</master_url>
    <project_name>{name}</project_name>
    <user_name>Vera "Stargazer" Lind</user_name>
    <team_name>Nordic Volunteers</team_name>
    <host_venue>home</host_venue>
    <user_total_credit>123456.789012</user_total_credit>
    <user_expavg_credit>345.678901</user_expavg_credit>
    <user_create_time>1104537600.000000</user_create_time>
    <hostid>4711</hostid>
    <host_total_credit>65432.100000</host_total_credit>
    <host_expavg_credit>210.987654</host_expavg_credit>
    <host_create_time>1136073600.000000</host_create_time>
    <exp_avg_cpu>12345.678900</exp_avg_cpu>
    <exp_avg_mod_time>{NOW - 2 * DAY}.500000</exp_avg_mod_time>
    <resource_share>{share}</resource_share>
    <long_term_debt>-1234.500000</long_term_debt>
    <duration_correction_factor>{dcf}</duration_correction_factor>
{extra}</project>
"""


def file_block(name, size):
    return f"""<file_info>
    <name>{name}</name>
    <nbytes>{size}.000000</nbytes>
    <max_nbytes>0.000000</max_nbytes>
    <status>1</status>
</file_info>
"""


def workunit_block(name, app, version, fpops_est, files, command_line=""):
    refs = "".join(
        f"""    <file_ref>
        <file_name>{f}</file_name>
        <open_name>in{i}</open_name>
    </file_ref>
""" for i, f in enumerate(files))
    cmd = f"    <command_line>\n{command_line}\n    </command_line>\n" if command_line else ""
    return f"""<workunit>
    <name>{name}</name>
    <app_name>{app}</app_name>
    <version_num>{version}</version_num>
{cmd}    <rsc_fpops_est>{fpops_est}</rsc_fpops_est>
    <rsc_fpops_bound>{fpops_est * 10:.6f}</rsc_fpops_bound>
    <rsc_memory_bound>33554432.000000</rsc_memory_bound>
    <rsc_disk_bound>100000000.000000</rsc_disk_bound>
{refs}</workunit>
"""


def result_block(name, wu, state, deadline, output, final_cpu=0.0, extra=""):
    return f"""<result>
    <name>{name}</name>
    <final_cpu_time>{final_cpu:.6f}</final_cpu_time>
    <exit_status>0</exit_status>
    <state>{state}</state>
    <platform>x86_64-pc-linux-gnu</platform>
    <version_num>608</version_num>
    <wu_name>{wu}</wu_name>
    <report_deadline>{deadline}.000000</report_deadline>
    <received_time>{deadline - 14 * DAY}.000000</received_time>
    <file_ref>
        <file_name>{output}</file_name>
        <open_name>result.sah</open_name>
    </file_ref>
{extra}</result>
"""


def active_task_block(url, result, slot, cpu, fraction):
    return f"""<active_task>
    <project_master_url>{url}</project_master_url>
    <result_name>{result}</result_name>
    <active_task_state>1</active_task_state>
    <app_version_num>608</app_version_num>
    <slot>{slot}</slot>
    <checkpoint_cpu_time>{cpu:.6f}</checkpoint_cpu_time>
    <fraction_done>{fraction:.6f}</fraction_done>
    <current_cpu_time>{cpu + 12.5:.6f}</current_cpu_time>
</active_task>
"""


def client_state(host, body, active, major=5, minor=10):
    return f"""<client_state>
{host}{body}<active_task_set>
{active}</active_task_set>
<platform_name>x86_64-pc-linux-gnu</platform_name>
<core_client_major_version>{major}</core_client_major_version>
<core_client_minor_version>{minor}</core_client_minor_version>
<core_client_release>2</core_client_release>
<cpu_run_mode>1</cpu_run_mode>
<host_venue>home</host_venue>
</client_state>
"""


# ---------------------------------------------------------------- SETI@home

def sah_workunit(name, ra, dec):
    return f"""<workunit>
<app_name>setiathome_enhanced</app_name>
<workunit_header>
<name>{name}</name>
<group_info>
  <name>{name.rsplit('.', 1)[0]}</name>
  <data_desc>
    <start_ra>{ra:.3f}</start_ra>
    <start_dec>{dec:.3f}</start_dec>
    <end_ra>{ra + 0.058:.3f}</end_ra>
    <end_dec>{dec + 0.03:.3f}</end_dec>
    <true_angle_range>0.417</true_angle_range>
    <time_recorded>Sat Jan 12 08:36:01 2008</time_recorded>
    <time_recorded_jd>2454477.85836</time_recorded_jd>
    <nsamples>1048576</nsamples>
  </data_desc>
  <receiver_cfg>
    <s4_id>1</s4_id>
    <name>ao_1420</name>
    <center_freq>1420</center_freq>
  </receiver_cfg>
  <splitter_cfg>
    <version>0.17</version>
    <data_type>encoded</data_type>
    <fft_len>2048</fft_len>
    <ifft_len>8</ifft_len>
    <samples_per_wu>1048576</samples_per_wu>
  </splitter_cfg>
</group_info>
<subband_desc>
  <number>145</number>
  <center>1418920288.09</center>
  <base>1418916015.62</base>
  <sample_rate>9765.62</sample_rate>
</subband_desc>
</workunit_header>
<data length=64 encoding="x-setiathome">
00a1b2c3d4e5f60718293a4b5c6d7e8f90a1b2c3d4e5f60718293a4b5c6d7e8f
</data>
</workunit>
"""


SAH_SPIKE = """<spike>
  <peak_power>{power}</peak_power>
  <mean_power>1</mean_power>
  <time>2454477.8595251</time>
  <ra>{ra}</ra>
  <decl>28.57</decl>
  <freq>1418924789.4192</freq>
  <fft_len>131072</fft_len>
  <chirp_rate>5.2904626461966</chirp_rate>
</spike>
"""

SAH_GAUSSIAN = """<gaussian>
  <peak_power>3.1083626747131</peak_power>
  <mean_power>0.57625639438629</mean_power>
  <time>2454477.8589911</time>
  <ra>14.883054389246</ra>
  <decl>28.57</decl>
  <freq>1418915821.905</freq>
  <fft_len>16384</fft_len>
  <chirp_rate>39.173824038504</chirp_rate>
  <sigma>3.5095455646515</sigma>
  <chisqr>1.4116749763489</chisqr>
  <score>0</score>
  <max_power>9.5103559494019</max_power>
  <pot length=64 encoding="x-csv">
    7,9,13,28,18,7,3,7,1,0,28,33,5,1,8,15,13,12,2,14,13,2,6,57,14,9,0,22,0,
    59,2,63,255,200,71,60,24,83,75,2,52,31,0,6,11,27,7,0,1,21,3,62,1,41,52,
    2,19,3,17,8,24,41,28,18
  </pot>
</gaussian>
"""

SAH_PULSE = """<pulse>
  <peak_power>5.9889302253723</peak_power>
  <mean_power>0.033245835453272</mean_power>
  <time>2454477.8594817</time>
  <ra>14.907301879412</ra>
  <decl>28.58</decl>
  <freq>1418921813.9569</freq>
  <fft_len>512</fft_len>
  <chirp_rate>-30.690968314047</chirp_rate>
  <period>2.3592972755432</period>
  <snr>13.391654968262</snr>
  <thresh>13.4002161026</thresh>
  <score>0</score>
  <len_prof>45</len_prof>
  <pot length=45 encoding="x-csv">
    40,10,41,34,32,255,28,55,33,38,21,22,40,30,23,22,36,43,16,21,21,11,17,
    23,12,17,38,26,0,23,53,24,25,21,15,29,3,22,46,34,36,31,28,26,51
  </pot>
</pulse>
"""

SAH_TRIPLET = """<triplet>
  <peak_power>8.6426544189453</peak_power>
  <mean_power>0.0078867627307773</mean_power>
  <time>2454477.8592904</time>
  <ra>14.89751995747</ra>
  <decl>28.57</decl>
  <freq>1418924789.4192</freq>
  <fft_len>128</fft_len>
  <chirp_rate>0.9168656437853</chirp_rate>
  <period>0.54394906759262</period>
</triplet>
"""


def sah_result(name, spikes, with_rest):
    text = f"<result>\n<workunit_header>\n<name>{name}</name>\n</workunit_header>\n"
    for i in range(spikes):
        text += SAH_SPIKE.format(power=f"{22.39 + i * 0.41:.6f}", ra=f"{14.86 + i * 0.01:.6f}")
    if with_rest:
        text += SAH_GAUSSIAN + SAH_PULSE + SAH_TRIPLET
    return text


def sah_state(ncfft, prog, spike_power):
    return f"""<ncfft>{ncfft}</ncfft>
<cr>-3.4400e+01</cr>
<fl>131072</fl>
<prog>{prog:.8f}</prog>
<potfreq>-1</potfreq>
<potactivity>0</potactivity>
<signal_count>3</signal_count>
<best_spike>
<spike>
  <peak_power>{spike_power}</peak_power>
  <mean_power>1</mean_power>
  <time>2454477.8584377</time>
  <ra>14.856922413057</ra>
  <decl>28.56</decl>
  <freq>1418918910.9886</freq>
  <fft_len>131072</fft_len>
  <chirp_rate>5.2904626461966</chirp_rate>
</spike>
<bs_score>{float(spike_power) / 24:.8f}</bs_score>
<bs_bin>40573</bs_bin>
<bs_fft_ind>3</bs_fft_ind>
</best_spike>
<best_gaussian>
<gaussian>
  <peak_power>3.6199193000793</peak_power>
  <mean_power>0.51788127422333</mean_power>
  <fft_len>16384</fft_len>
  <chirp_rate>49.451592142226</chirp_rate>
  <sigma>3.5095455646515</sigma>
  <chisqr>1.2605501413345</chisqr>
</gaussian>
<bg_score>2.87169385</bg_score>
<bg_bin>2211</bg_bin>
<bg_fft_ind>12</bg_fft_ind>
</best_gaussian>
<best_pulse>
<pulse>
  <peak_power>5.9889302253723</peak_power>
  <mean_power>0.033245835453272</mean_power>
  <period>2.3592972755432</period>
  <fft_len>512</fft_len>
  <chirp_rate>-30.690968314047</chirp_rate>
  <snr>13.391654968262</snr>
  <thresh>13.4002161026</thresh>
</pulse>
<bp_score>0.99935690</bp_score>
<bp_freq_bin>322</bp_freq_bin>
<bp_time_bin>12</bp_time_bin>
</best_pulse>
<best_triplet>
<triplet>
  <peak_power>10.885553359985</peak_power>
  <mean_power>0.0038262107409537</mean_power>
  <period>4.2041363716125</period>
  <fft_len>64</fft_len>
  <chirp_rate>-31.14940113594</chirp_rate>
</triplet>
<bt_score>1.31945142</bt_score>
<bt_bperiod>4.2041363716125</bt_bperiod>
<bt_scale>0.412</bt_scale>
</best_triplet>
"""


def seti_host(base):
    url = "http://setiathome.berkeley.edu/"
    pdir = os.path.join(base, "projects", "setiathome.berkeley.edu")
    wus = [
        ("12no08ab.2043.7434.9.8.131", "12no08ab.2043.7434.9.8.131_1", 2, 0),   # slot 0
        ("12no08ab.2043.7434.9.8.140", "12no08ab.2043.7434.9.8.140_0", 2, 1),   # slot 1
        ("12no08ab.2043.7434.9.8.152", "12no08ab.2043.7434.9.8.152_0", 2, None),
        ("12no08ab.2043.7434.9.8.160", "12no08ab.2043.7434.9.8.160_1", 2, None),
        ("12no08ab.2043.7434.9.8.120", "12no08ab.2043.7434.9.8.120_1", 4, None),  # uploading
    ]
    body = project_block(url, "SETI@home")
    body += """<app>
    <name>setiathome_enhanced</name>
    <user_friendly_name>SETI@home Enhanced</user_friendly_name>
</app>
"""
    for i, (wu, _, _, _) in enumerate(wus):
        text = sah_workunit(wu, 14.853 + i * 0.6, 28.55 - i * 0.7)
        write(os.path.join(pdir, wu), text)
        body += file_block(wu, len(text))
    for i, (wu, _, _, _) in enumerate(wus):
        body += workunit_block(wu, "setiathome_enhanced", 608, 30000000000000.0 + i * 1e12, [wu])
    for i, (wu, result, state, slot) in enumerate(wus):
        output = result + "_0"
        if state == 4:
            write(os.path.join(pdir, output), sah_result(wu, 3, True) + "</result>\n")
        elif slot is not None:
            write(os.path.join(pdir, output), sah_result(wu, 1 + slot, False))
        body += result_block(result, wu, state, NOW + (10 + i) * DAY, output,
                             final_cpu=9876.5 if state == 4 else 0.0)
    active = active_task_block(url, wus[0][1], 0, 3725.0, 0.412345)
    active += active_task_block(url, wus[1][1], 1, 1201.25, 0.123456)
    write(os.path.join(base, "client_state.xml"),
          client_state(host_block("orion", "2512345678.123456", 2, "Intel(R) Core(TM)2 Duo CPU E8400 @ 3.00GHz"), body, active))
    write(os.path.join(base, "slots", "0", "state.sah"), sah_state(13005, 0.41234567, "23.78654"))
    write(os.path.join(base, "slots", "1", "state.sah"), sah_state(3896, 0.12345678, "22.395553"))


# ---------------------------------------------------------------- Einstein@Home

def einstein_candidates(count, start_freq):
    return "".join(
        f"{start_freq + i * 0.0125:.6f} {1.1 + i * 0.05:.6f} {-0.3 + i * 0.02:.6f} {20.5 + i * 1.5:.4f}\n"
        for i in range(count))


def einstein_host(base):
    url = "http://einstein.phys.uwm.edu/"
    pdir = os.path.join(base, "projects", "einstein.phys.uwm.edu")
    times = "--startTime=793269700 --endTime=795398000 --startTime=797010000 --endTime=799200000"
    tasks = [
        # two-file form: the outputs stand in the slot directory
        ("h1_1234.0_S4R2a__57_S4R2a", "h1_1234.0_S4R2a__57_S4R2a_1", 0,
         f"  {times} -s 1234.0 -e 1234.5 -1 Fstat1.out -2 Fstat2.out -z 7 "),
        # -f/-b/-I form
        ("r1_0876.5_S5R1__112_S5R1a", "r1_0876.5_S5R1__112_S5R1a_0", 1,
         f"  --startTime=815155213 --endTime=822760000 -s 876.5 -e 876.75 -f 876.5 -b 0.25 -I 2 -y 3 "),
        # --IFO form
        ("h1_1001.25_S5R3__4_S5R3b", "h1_1001.25_S5R3__4_S5R3b_2", 2,
         "  --IFO=H1 --startTime=846012000 --endTime=877000000 --Freq=1001.25 --FreqBand=0.05 --dFreq=1e-5 "),
    ]
    finished = ("h1_1234.5_S4R2a__12_S4R2a", "h1_1234.5_S4R2a__12_S4R2a_0",
                f"  {times} -s 1234.5 -e 1235.0 -1 Fstat1.out -2 Fstat2.out -z 7 ")
    body = project_block(url, "Einstein@Home", share="50.000000", dcf="0.876543")
    body += """<app>
    <name>einstein_S5R3</name>
    <user_friendly_name>Einstein@Home</user_friendly_name>
</app>
"""
    all_wus = tasks + [(finished[0], finished[1], None, finished[2])]
    for wu, _, _, cmd in all_wus:
        data = f"% skygrid for {wu}\n" + "".join(f"{i * 0.01:.4f} {i * 0.02:.4f}\n" for i in range(20))
        write(os.path.join(pdir, wu + "_grid"), data)
        body += file_block(wu + "_grid", len(data))
    for i, (wu, _, _, cmd) in enumerate(all_wus):
        body += workunit_block(wu, "einstein_S5R3", 419, 90000000000000.0 - i * 5e12,
                               [wu + "_grid"], command_line=cmd)
    for i, (wu, result, slot, _) in enumerate(all_wus):
        output = result + "_0"
        state = 5 if slot is None else 2
        body += result_block(result, wu, state, NOW + (7 + i) * DAY, output,
                             final_cpu=45678.9 if slot is None else 0.0)
    # Queued work keeps this host out of alerts.
    for i in range(3):
        wu = f"h1_1002.{i}5_S5R3__9{i}_S5R3b"
        body += workunit_block(wu, "einstein_S5R3", 419, 80000000000000.0, [])
        body += result_block(wu + "_0", wu, 2, NOW + (12 + i) * DAY, wu + "_0_0")
    # Running outputs: seven-field lines (older forms) and five-field lines (--IFO).
    seven = "".join(f"{1234.0 + i * 0.01:.6f} 1.234 -0.456 0.1 0.2 0.3 {30.5 + i * 2.25:.4f}\n" for i in range(4))
    write(os.path.join(base, "slots", "0", "Fstat1.out"), seven)
    write(os.path.join(base, "slots", "0", "Fstat2.out"), seven.replace("30.5", "41.75") + "%DONE\n")
    write(os.path.join(pdir, tasks[1][1] + "_0"),
          "".join(f"876.{5 + i} 0.11 0.22 0.33 0.44 0.55 {12.125 + i:.3f}\n" for i in range(3)))
    write(os.path.join(pdir, tasks[2][1] + "_0"),
          "".join(f"1001.2{5 + i} 0.12 -0.34 0.56 {55.5 + 3 * i:.2f}\n" for i in range(5)))
    # The finished result: a zipped application output with both detectors' candidates.
    output = "%1\n" + einstein_candidates(4, 1234.5) + "%2\n" + einstein_candidates(3, 1234.51)
    output += "%coincidences\n0 1 0.123456789012345678\n2 0 1.5\n3 2 0.000012345\n7 1 9.9\n"
    os.makedirs(pdir, exist_ok=True)
    with zipfile.ZipFile(os.path.join(pdir, finished[1] + "_0"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("h1_1234.5_S4R2a__12_S4R2a_0_0.txt", output)
    active = "".join(active_task_block(url, result, slot, 20000.0 + slot * 4321.5, 0.25 + slot * 0.2)
                     for _, result, slot, _ in tasks)
    write(os.path.join(base, "client_state.xml"),
          client_state(host_block("vega", "3012345678.000000", 4, "AMD Phenom(tm) II X4 955 Processor"), body, active, major=6, minor=2))


# ---------------------------------------------------------------- climate model and Astropulse

def ap_workunit(name, start_outside_header):
    start = """<start_coords>
  <ra>17.7554</ra>
  <dec>-28.9950</dec>
  <jd>2454820.51285</jd>
</start_coords>
"""
    header = f"""<header>
{'' if start_outside_header else start}  <end_coords>
    <ra>17.8011</ra>
    <dec>-28.9412</dec>
  </end_coords>
  <datasize>8388608</datasize>
  <fft_len>32</fft_len>
  <dm_low>0</dm_low>
  <dm_hi>1024</dm_hi>
  <max_coadd>10</max_coadd>
  <dm_chunk>16</dm_chunk>
  <thresh_0>14.8</thresh_0>
</header>
"""
    return f"<ap_workunit>\n<name>{name}</name>\n{start if start_outside_header else ''}{header}<data length=32 encoding=\"binary\">0011223344556677</data>\n</ap_workunit>\n"


def ap_result_file(powers):
    return "".join(f"""<result>
  <peak_power>{p}</peak_power>
  <index>{1000 + i}</index>
  <scale>{i % 4}</scale>
  <dm>{i * 16}</dm>
  <period>{0.0 if i % 2 else 1.25}</period>
</result>
""" for i, p in enumerate(powers))


def cpdn_description(phase, timestep):
    return f"""<climate_description>
<PH>{phase}</PH>
<TS>{timestep}</TS>
<YR>1972</YR>
<MTH>4</MTH>
<DAY>17</DAY>
<HR>6</HR>
<MIN>30</MIN>
<SEC>0</SEC>
</climate_description>
"""


def fort3(turns1, turns2, indent=""):
    return f"""GEOMETRY
FREE
/
TRACKING PARAMETERS-----------------------------------------------------
{indent}{turns1} {turns2} 64 0.0 1.0 0 1
  1  1  0  0  0
  0  0  1  1  1  50000 2
NEXT
BEAM
EXPERT
  1.15e11 0.002 0.002 0.075 5.0e-4 1 1 0 0
NEXT
ENDE======================================================================
"""


def mixed_host(base):
    cpdn_url = "http://climateprediction.net/"
    ap_url = "http://astropulse.ssl.berkeley.edu/"
    body = ""
    # climateprediction.net: the work-unit description lies in the project directory.
    body += project_block(cpdn_url, "climateprediction.net", share="25.000000")
    cpdn_wu = "hadsm3fub_00av_005930091_1"
    write(os.path.join(base, "projects", "climateprediction.net", cpdn_wu + ".xml"),
          cpdn_description(2, 123456))
    body += workunit_block(cpdn_wu, "hadsm3", 516, 250000000000000.0, [cpdn_wu + ".zip"])
    body += result_block(cpdn_wu + "_0", cpdn_wu, 2, NOW + 120 * DAY, cpdn_wu + "_0_0")
    # Astropulse: a separate project here, so its results go to the Astropulse log.
    body += project_block(ap_url, "Astropulse", share="75.000000")
    ap_dir = os.path.join(base, "projects", "astropulse.ssl.berkeley.edu")
    ap_wu = "ap_20dc08ab_B3_P1_00074_20081224_07437.wu"
    finished_ap = "ap_20dc08ab_B4_P0_00112_20081224_07501.wu"
    for wu, outside in ((ap_wu, False), (finished_ap, True)):
        text = ap_workunit(wu, outside)
        write(os.path.join(ap_dir, wu), text)
        body += file_block(wu, len(text))
        body += workunit_block(wu, "astropulse_v505", 505, 150000000000000.0, [wu])
    body += result_block(ap_wu + "_0", ap_wu, 2, NOW + 3 * DAY, ap_wu + "_0_0")
    body += result_block(finished_ap + "_1", finished_ap, 5, NOW + 2 * DAY, finished_ap + "_1_0",
                         final_cpu=61234.5)
    write(os.path.join(ap_dir, ap_wu + "_0_0"), ap_result_file(["15.25", "19.5", "19.5", "0"]))
    write(os.path.join(ap_dir, finished_ap + "_1_0"), ap_result_file(["5", "9", "9"]))
    state = bytearray(240)
    struct.pack_into("<d", state, 224, 0.815)
    write(os.path.join(base, "slots", "1", "ap_state.dat"), bytes(state), mode="wb")
    active = active_task_block(cpdn_url, cpdn_wu + "_0", 0, 456789.0, 0.0)
    active += active_task_block(ap_url, ap_wu + "_0", 1, 30000.0, 0.80)
    write(os.path.join(base, "client_state.xml"),
          client_state(host_block("lyra", "1812345678.000000", 4, "Intel(R) Core(TM) i5-2500K CPU @ 3.30GHz"), body, active, major=6, minor=10))


def nearly_empty_host(base):
    # One LHC@home job close to its end and nothing queued behind it: a red alert.
    lhc_url = "https://lhcathome.cern.ch/lhcathome/"
    body = project_block(lhc_url, "LHC@home", share="100.000000")
    lhc_wu = "w3sep_v64_lhc_inj_tune__12__s__62.31_60.32__4_6__5__45_1_sixvf_boinc177"
    write(os.path.join(base, "projects", "lhcathome.cern.ch_lhcathome", lhc_wu + ".zip"),
          "sixtrack input deck archive\n")
    body += file_block(lhc_wu + ".zip", 28)
    body += workunit_block(lhc_wu, "sixtrack", 4511, 8000000000000.0, [lhc_wu + ".zip"])
    body += result_block(lhc_wu + "_0", lhc_wu, 2, NOW + 5 * DAY, lhc_wu + "_0_0")
    write(os.path.join(base, "slots", "0", "fort.3"), fort3(100000, 0, indent="  "))
    active = active_task_block(lhc_url, lhc_wu + "_0", 0, 5520.0, 0.92)
    write(os.path.join(base, "client_state.xml"),
          client_state(host_block("draco", "1512345678.000000", 1, "Intel(R) Atom(TM) CPU N270 @ 1.60GHz"), body, active, major=5, minor=8))


def lost_host(base):
    # The client has written its data directory, but client_state.xml is missing
    # (being replaced, or the client was removed): a lost connection.
    write(os.path.join(base, "projects", "README.txt"),
          "client_state.xml is missing on purpose: this host shows as a lost connection.\n")


def main():
    if os.path.isdir(ROOT):
        shutil.rmtree(ROOT)
    seti_host(os.path.join(ROOT, "seti-host"))
    einstein_host(os.path.join(ROOT, "einstein-host"))
    mixed_host(os.path.join(ROOT, "mixed-host"))
    nearly_empty_host(os.path.join(ROOT, "nearly-empty-host"))
    lost_host(os.path.join(ROOT, "lost-host"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
