#!/usr/bin/env python3
"""Writes the seed corpora of fuzz/corpus/ from samples/clients and a few hand-made inputs.
Files it has written before are overwritten; regression inputs kept beside them stay."""
import hashlib
import pathlib
import re
import zipfile

root = pathlib.Path(__file__).resolve().parent.parent
samples = root / "samples" / "clients"
corpus = root / "fuzz" / "corpus"


def seed(target, name, data):
    if isinstance(data, str):
        data = data.encode("latin-1")
    directory = corpus / target
    directory.mkdir(parents=True, exist_ok=True)
    (directory / ("seed-" + name)).write_bytes(data)


def client_input(host):
    base = samples / host
    parts = [(base / "client_state.xml").read_bytes()]
    for path in sorted(base.rglob("*")):
        if path.is_file() and path.name != "client_state.xml":
            relative = path.relative_to(base).as_posix()
            parts.append(b"\n@@file " + relative.encode() + b"\n" + path.read_bytes())
    return b"".join(parts)


hosts = [p.name for p in sorted(samples.iterdir()) if (p / "client_state.xml").exists()]
states = {h: (samples / h / "client_state.xml").read_text("latin-1") for h in hosts}

# Tag extractors: element name, line break, text.
for host in hosts:
    for name in ["result", "active_task", "file_name", "project", "workunit", "host_info"]:
        seed("tag_extract", f"{host}-{name}", name + "\n" + states[host][:6000])
seed("tag_extract", "attributes", 'file\n<file name="x">one</file><file>two</file>')
seed("tag_extract", "nested", "a\n<a><a>inner</a></a><a x>y</a><a")
seed("tag_extract", "empty-name", "\n<>x</> <>")

# CSV lines.
header = ('"date","project_name","app_name","domain_name","result_name","cpu","error",'
          '"error_txt"')
seed("csv", "header", header)
seed("csv", "row", '"2024.01.02 03:04:05","SETI@home","",alpha,"wu_1_0",59.8,false,')
seed("csv", "quotes", 'a,"b,c",d"e,"f""g",  h  ,"\r\n",;;;')
seed("csv", "semicolons", '"date";"cpu";"result_name";1,5;"x;y"')
seed("csv", "long", ",".join(["x" * 300, '"' + "y" * 300, "z"] * 40))

# Pots.
for name, pot in [("plain", "0,1,2,3,254,255"), ("lines", "1,2,3\r\n4,5,6\n7"),
                  ("over", "256,1000,-1, 7 ,x"), ("empty", ""), ("commas", ",,,")]:
    seed("convert_pot", name, pot)
for host in hosts:
    for match in re.finditer(r"<pot[^>]*>(.*?)</pot>", states[host], re.S):
        seed("convert_pot", f"{host}-{hashlib.sha1(match.group(1).encode()).hexdigest()[:8]}",
             match.group(1))

# Einstein@Home command lines.
for match in re.finditer(r"<command_line>(.*?)</command_line>", states.get("einstein-host", ""),
                         re.S):
    seed("einstein_command_line", hashlib.sha1(match.group(1).encode()).hexdigest()[:8],
         match.group(1))
seed("einstein_command_line", "ifo-short", "--IFO=L1 --startTime=1 --Freq=x --FreqBand=")
seed("einstein_command_line", "no-start", "-s 1 -e 2 --Freq=3")

# Einstein@Home output (unpacked) and ZIP archives.
for path in sorted((samples / "einstein-host" / "projects").rglob("*")):
    if path.is_file() and zipfile.is_zipfile(path):
        seed("zip_reader", path.name, path.read_bytes())
        with zipfile.ZipFile(path) as archive:
            seed("einstein_output", path.name, archive.read(archive.namelist()[0]))
    elif path.is_file() and path.name.endswith("_0"):
        seed("einstein_output", path.name, path.read_bytes())
seed("einstein_output", "indices", "%1\n1 2 3 4\n%2\n5 6 7 8\n%coincidences\n0 0 1\n"
     "99999999999 0 2\n-1 0 3\n0 0\n")
for method, name in [(zipfile.ZIP_STORED, "stored"), (zipfile.ZIP_DEFLATED, "deflated")]:
    import io
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", method) as archive:
        # Fixed member times, so the seeds come out the same on every run.
        stamp = (2020, 1, 1, 0, 0, 0)
        archive.writestr(zipfile.ZipInfo("first.txt", stamp), "%1\n1 2 3 4\n" * 20, method)
        archive.writestr(zipfile.ZipInfo("second.txt", stamp), "x", method)
    seed("zip_reader", name, buffer.getvalue())
seed("zip_reader", "not-a-zip", "PK\x03\x04 this is not an archive")

# History logs.
full_header = ('"date","project_name","app_name","domain_name","p_ncpus","p_vendor","p_model",'
               '"p_fpops","p_iops","p_membw","p_calculated","os_name","os_version","m_nbytes",'
               '"m_cache","m_swap","d_total","d_free","on_frac","connected_frac","active_frac",'
               '"last_update","bwup","bwdown","user_name","team_name","user_total_credit",'
               '"user_expavg_credit","user_create_time","hostid","host_total_credit",'
               '"host_expavg_credit","host_create_time","exp_avg_cpu","exp_avg_mod_time",'
               '"deadline","host_venue","boinc_version","tess_version","app_version","wu_name",'
               '"result_name","cpu","fpops_est","error","error_txt"')
row = ('"2024.01.02 03:04:05","SETI@home","setiathome_enhanced","alpha",4,"GenuineIntel",'
       '"Core",2000000000.5,3000000000,1,1700000000,"Linux","6.1",8000000000,2000000,'
       '4000000000,100000000000,50000000000,0.98,0.99,0.9,1700000000,1000,2000,"Alice",'
       '"Team",1000.5,10.25,1600000000,77,500.5,5.25,1600000000,0,0,1797304121,"home",7.20,'
       '1.52,5.28,"wu_1","wu_1_0",59.808510,27000000000000,false,')
seed("history_reader", "two-rows", full_header + "\r\n" + row + "\r\n" + row.replace("alpha", "beta"))
seed("history_reader", "lf-error", full_header + "\n" + row[:-1] + ',true,"compute error"\n\n')
seed("history_reader", "semicolons",
     '"date";"project_name";"app_name";"domain_name";"cpu";"result_name"\r\n'
     '"2024.01.02 03:04:05";"Einstein@Home";"einstein";"alpha";"1,5";"r_0"')
seed("history_reader", "few-columns", '"date","x","y"\r\n1,2,3')

# Whole client directories.
for host in hosts:
    seed("client_scan", host, client_input(host))

# A client whose names try to lead out of the log directory.
hostile = """<client_state>
<host_info><domain_name>evil</domain_name><p_fpops>1e9</p_fpops></host_info>
<time_stats></time_stats><net_stats></net_stats>
<project><master_url>http://setiathome.berkeley.edu/</master_url><project_name>SETI@home</project_name></project>
<workunit><name>../../wu</name><app_name>setiathome</app_name><version_num>528</version_num>
<file_ref><file_name>../in</file_name></file_ref><file_ref><file_name>/etc/passwd</file_name></file_ref></workunit>
<result><name>../../r_0</name><state>5</state><wu_name>../../wu</wu_name>
<file_ref><file_name>..</file_name></file_ref><file_ref><file_name>r\\x_0_0</file_name></file_ref></result>
<active_task><project_master_url>http://setiathome.berkeley.edu/</project_master_url>
<result_name>../../r_0</result_name><slot>../../..</slot><checkpoint_cpu_time>1</checkpoint_cpu_time></active_task>
</client_state>
@@file projects/in
input
@@file slots/0/state.sah
<state/>"""
seed("client_scan", "hostile-names", hostile)

seed("job_log", "two-tasks",
     "1796699391 ue 60.000000 ct 59.808510 fe 60000000000 nm loopback_wu_001_0 et 62.106178 es 0\n"
     "1796699395 ue 60.000000 ct 59.294100 fe 60000000000 nm loopback_wu_002_0 et 62.110253 es 0\n")
seed("job_log", "odd-lines", "1e300 nm x\r\n-1 nm y\nnm\n1 zz\n2 nm  es -177 ct\n")

# What remote clients answer: a client state, then the reply to get_old_results.
old_results = """<old_result>
<project_url>http://setiathome.berkeley.edu/</project_url>
<result_name>07ap08aa.1234.5678.9.10.11_1</result_name>
<app_name>setiathome_v8</app_name><exit_status>0</exit_status>
<elapsed_time>3600.5</elapsed_time><cpu_time>3580.25</cpu_time>
<completed_time>1699990000.0</completed_time><create_time>1699900000.0</create_time>
</old_result>
"""
for host in hosts:
    seed("remote_scan", host, states[host] + "\n@@file old_results\n" + old_results)
seed("remote_scan", "hostile-values",
     "<client_state><host_info><domain_name>a,\"b\r\n</domain_name><p_ncpus>2\r\n\"x\",3</p_ncpus>"
     "</host_info><time_stats><on_frac>0,98</on_frac></time_stats>"
     "<project><master_url>http://p/</master_url><project_name>P\"q</project_name></project>"
     "<workunit><name>w</name><app_name>a</app_name><version_num>7,1</version_num></workunit>"
     "<result><name> r\"1\r\n</name><wu_name>w</wu_name><state>5</state>"
     "<final_cpu_time>1,5</final_cpu_time><completed_time>1699990000</completed_time></result>"
     "</client_state>\n@@file old_results\n"
     "<old_result><project_url>http://p/</project_url><result_name>o,\"1</result_name>"
     "<cpu_time>\r\n</cpu_time><completed_time>1699990001</completed_time></old_result>")

