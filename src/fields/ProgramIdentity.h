#pragma once
// The program's version and notice, kept where the C++ code, the resource compiler (version
// resource, manifest) and scripts/package all read them. Plain macros only: the resource
// compiler understands nothing else.
#define QUORVEL_VERSION_MAJOR 1
#define QUORVEL_VERSION_MINOR 0
#define QUORVEL_VERSION_TEXT "1.0"
#define QUORVEL_NOTICE_TEXT "(c) 2026 Quorvel team"
