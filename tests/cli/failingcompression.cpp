// Preloaded into the runner, this stands in for zlib's compress2: every compression fails
// as it does when zlib cannot get its memory, a failure no run can bring about on purpose.
#include <zlib.h>

extern "C" int compress2(Bytef*, uLongf*, const Bytef*, uLong, int) { return Z_MEM_ERROR; }
