#pragma once

namespace qv {

// Lets go of the libraries that only the gathering pass uses (multimedia, sockets, NetBIOS, the
// spooler's printer list), about 3 MB of the process under Wine; the next call into one of them
// loads it again.
void ReleasePassLibraries();

// Starts loading those libraries on a thread of their own, once until they are let go. The first
// call into any late library waits for it to finish, so the program never runs beside it. Not on
// the 95 family, where the program keeps to one thread: the pass loads them itself there.
void WarmUpPassLibraries();

} // namespace qv
