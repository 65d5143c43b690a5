// The live walk of a build without net-snmp (OIDWRIGHT_AGENT off, as on Windows): captures are
// read all the same, and asking for a walk says why there is none.
#include "check/agentwalk.h"

void WalkAgent(const AgentSettings&, const std::vector<Oid>&, DeviceAnswers&, const WalkProgressCallback&) {
    throw CheckError(CheckFailure::badSettings,
                     "Live walks of an agent (--agent) are not in this build: check a capture of "
                     "snmpwalk -On with --walk FILE.");
}
