#pragma once
// The one directory a benchmark run writes its tables, drawings and reports
// into: made at the first call below the temporary directory (TMPDIR, else
// /tmp) and removed with everything in it when the run ends, whether at its
// normal end, by a failed check (abort) or by SIGINT, SIGTERM or SIGHUP. A
// table of a million records is 85 MB: none is left behind by a run broken
// off.

#include <string>

// The directory, without a trailing separator; empty when none could be
// made (the benchmark then reports the error).
const std::string& BenchScratchDir();

// Name inside the scratch directory.
std::string BenchScratchPath(const std::string& Name);
