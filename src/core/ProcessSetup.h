#pragma once

// What the process sets for itself before anything else runs.
namespace mostarium {

// A write past the file-size limit (ulimit -f) would otherwise end the
// process with SIGXFSZ and lose every unsaved change; ignored, such a write
// fails with EFBIG into the writers' own error paths, as on a full disk.
// The program's main calls this first; so do the test programs' mains.
void prepareProcess();

}  // namespace mostarium
