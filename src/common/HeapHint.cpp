#include "common/HeapHint.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#define KEL_HEAP_HINT 1
#endif

namespace kel {

namespace {

#ifdef KEL_HEAP_HINT
constexpr quintptr kHugePage = quintptr(2) << 20;
// Below this a read is over before huge pages could pay for themselves.
constexpr qint64 kLeastBytes = qint64(8) << 20;
// The C library's own default for the padding added when the heap grows.
constexpr int kDefaultTopPad = 128 * 1024;
// mallopt takes an int.
constexpr qint64 kMostBytes = qint64(1) << 30;

quintptr HeapEnd() {
    return reinterpret_cast<quintptr>(sbrk(0));
}
#endif

}  // namespace

HeapGrowthHint::HeapGrowthHint(qint64 expectedBytes) {
#ifdef KEL_HEAP_HINT
    if (expectedBytes < kLeastBytes) return;
    expected_ = quintptr(qMin(expectedBytes, kMostBytes));
    start_ = HeapEnd();
    // The next time the heap grows, it grows by the whole amount at once.
    active_ = mallopt(M_TOP_PAD, int(expected_)) == 1;
#else
    Q_UNUSED(expectedBytes);
#endif
}

HeapGrowthHint::~HeapGrowthHint() {
#ifdef KEL_HEAP_HINT
    if (active_) mallopt(M_TOP_PAD, kDefaultTopPad);
#endif
}

void HeapGrowthHint::Check() {
#ifdef KEL_HEAP_HINT
    if (!active_ || advised_) return;
    const quintptr end = HeapEnd();
    // Allocations from another arena (another thread, or an allocator of its own as under
    // the sanitizers) never move the end of the heap: then nothing is marked.
    if (end < start_ || end - start_ < expected_) return;
    advised_ = true;
    const quintptr from = (start_ + kHugePage - 1) & ~(kHugePage - 1);
    const quintptr to = end & ~(kHugePage - 1);
    // Only a hint: when the kernel refuses, the pages stay small.
    if (to > from) (void)madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace kel
