// Compiled against one layer's include root alone: builds only when that
// layer may include PROBE_HEADER.
#include PROBE_HEADER
