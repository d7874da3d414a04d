#pragma once
// The log file set and every header line. No other file spells a log name or a header.

namespace tessarin::logs {

// Result logs: a new file gets its header without a line break; each row is written as CR LF
// followed by the row, so the file never ends with a line break.
inline constexpr const char* kBoincCsv = "boinc.csv";
inline constexpr const char* kSahCsv = "sah_boinc.csv";
inline constexpr const char* kEinsteinCsv = "einstein_boinc.csv";
inline constexpr const char* kApCsv = "ap_boinc.csv";
// Signal logs: header and every row are each followed by CR LF.
inline constexpr const char* kSahSpikeCsv = "sah_boinc_spike.csv";
inline constexpr const char* kSahGaussianCsv = "sah_boinc_gaussian.csv";
inline constexpr const char* kSahPulseCsv = "sah_boinc_pulse.csv";
inline constexpr const char* kSahTripletCsv = "sah_boinc_triplet.csv";
inline constexpr const char* kEinsteinResultCsv = "einstein_boinc_result.csv";

inline constexpr const char* kLineBreak = "\r\n";

// Backup names (log directory): {file}.tess, {wu}.xml, {result}_state.tess.
inline constexpr const char* kBackupExtension = ".tess";
inline constexpr const char* kWorkunitDescriptionExtension = ".xml";
inline constexpr const char* kStateBackupSuffix = "_state.tess";

inline constexpr const char* kBoincCsvHeader =
    R"("date","project_name","app_name","domain_name","p_ncpus","p_vendor","p_model","p_fpops","p_iops","p_membw","p_calculated","os_name","os_version","m_nbytes","m_cache","m_swap","d_total","d_free","on_frac","connected_frac","active_frac","last_update","bwup","bwdown","user_name","team_name","user_total_credit","user_expavg_credit","user_create_time","hostid","host_total_credit","host_expavg_credit","host_create_time","exp_avg_cpu","exp_avg_mod_time","deadline","host_venue","boinc_version","tess_version","app_version","wu_name","result_name","cpu","fpops_est","error","error_txt")";
inline constexpr const char* kSahHeader =
    R"("date","domain_name","p_ncpus","p_vendor","p_model","p_fpops","p_iops","p_membw","p_calculated","os_name","os_version","m_nbytes","m_cache","m_swap","d_total","d_free","on_frac","connected_frac","active_frac","last_update","bwup","bwdown","user_name","team_name","user_total_credit","user_expavg_credit","user_create_time","hostid","host_total_credit","host_expavg_credit","host_create_time","exp_avg_cpu","exp_avg_mod_time","deadline","host_venue","boinc_version","tess_version","sah_version","wu_name","result_name","cpu","fpops_est","error","start_ra","start_dec","end_ra","end_dec","angle_range","time_recorded","subband_center","subband_base","subband_sample_rate","fft_len","ifft_len","subband_number","bs_score","bs_power","bs_bin","bs_fft_ind","bs_chirp_rate","bs_fft_len","spike_count","bg_score","bg_power","bg_chisq","bg_bin","bg_fft_ind","bg_chirp_rate","bg_fft_len","bg_sigma","bg_true_mean","gaussian_count","bp_score","bp_power","bp_mean","bp_period","bp_chirp_rate","bp_fft_len","bp_snr","bp_thresh","pulse_count","bt_score","bt_power","bt_mean","bt_period","bt_bperiod","bt_chirp_rate","bt_scale","bt_fft_len","triplet_count")";
inline constexpr const char* kEinsteinHeader =
    R"("date","domain_name","p_ncpus","p_vendor","p_model","p_fpops","p_iops","p_membw","p_calculated","os_name","os_version","m_nbytes","m_cache","m_swap","d_total","d_free","on_frac","connected_frac","active_frac","last_update","bwup","bwdown","user_name","team_name","user_total_credit","user_expavg_credit","user_create_time","hostid","host_total_credit","host_expavg_credit","host_create_time","exp_avg_cpu","exp_avg_mod_time","deadline","host_venue","boinc_version","tess_version","einstein_version","wu_name","result_name","cpu","fpops_est","error","start_time1","end_time1","start_time2","end_time2","start_freq","end_freq","result_count")";
inline constexpr const char* kApHeader =
    R"("date","domain_name","p_ncpus","p_vendor","p_model","p_fpops","p_iops","p_membw","p_calculated","os_name","os_version","m_nbytes","m_cache","m_swap","d_total","d_free","on_frac","connected_frac","active_frac","last_update","bwup","bwdown","user_name","team_name","user_total_credit","user_expavg_credit","user_create_time","hostid","host_total_credit","host_expavg_credit","host_create_time","exp_avg_cpu","exp_avg_mod_time","deadline","host_venue","boinc_version","tess_version","ap_version","wu_name","result_name","cpu","fpops_est","error","start_ra","start_dec","end_ra","end_dec","datasize","time_recorded","fft_len","dm_low","dm_hi","max_coadd","dm_chunk","thresh_0","peak_power","peak_index","peak_scale","peak_dm","peak_period","peak_count")";
inline constexpr const char* kSahSpikeHeader =
    R"("result_name","power","ra","dec","time","freq","fft_len","chirp_rate")";
inline constexpr const char* kSahGaussianHeader =
    R"("result_name","score","peak","chisqr","mean","ra","dec","time","freq","sigma","fft_len","chirp_rate","maxpow","pot")";
inline constexpr const char* kSahPulseHeader =
    R"("result_name","score","power","mean","period","ra","dec","time","freq","fft_len","chirp_rate","snr","thresh","len_prof","prof")";
inline constexpr const char* kSahTripletHeader =
    R"("result_name","power","mean","period","ra","dec","time","freq","fft_len","chirp_rate")";
inline constexpr const char* kEinsteinResultHeader =
    R"("result_name","freq1","ra1","dec1","score1","freq2","ra2","dec2","score2","coincidence")";

}  // namespace tessarin::logs
