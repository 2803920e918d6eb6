#pragma once

namespace qv {

// Lets go of the libraries that only the gathering pass uses (multimedia, sockets, NetBIOS, the
// spooler's printer list), about 3 MB of the process under Wine; the next call into one of them
// loads it again.
void ReleasePassLibraries();

} // namespace qv
