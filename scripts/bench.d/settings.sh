# GetSettings and SaveSettings of a full settings file under Wine: median of 200 runs each.
wine "$QV_BIN/bench_settings_bench.exe" 200 </dev/null
