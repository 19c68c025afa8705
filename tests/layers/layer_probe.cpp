// Compiled against one layer's library and nothing above it: the header named
// by LOBRIN_PROBE_HEADER is within reach only when it belongs to that layer or
// to one below.
#include LOBRIN_PROBE_HEADER
