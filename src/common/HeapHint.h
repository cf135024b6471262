#pragma once

#include <QtGlobal>

namespace kel {

// A hint, for the time of one large read, that the heap is about to grow by about
// `expectedBytes` in many small blocks (the statements of a script). On Linux with the GNU C
// library the heap then grows in one step and that stretch is backed by huge pages, so that
// the kernel does not stop the program at every fresh 4 KB page: for a big script those page
// faults cost more than decoding it. Elsewhere, and for small amounts, it does nothing.
// Call Check() now and then while allocating; the destructor restores the allocator's
// setting. Only one hint should be alive at a time.
class HeapGrowthHint {
public:
    explicit HeapGrowthHint(qint64 expectedBytes);
    ~HeapGrowthHint();
    HeapGrowthHint(const HeapGrowthHint&) = delete;
    HeapGrowthHint& operator=(const HeapGrowthHint&) = delete;

    // Once the heap has grown by the expected amount, asks for huge pages over it.
    void Check();

private:
    bool active_ = false;   // the amount was large enough and the platform has the hint
    bool advised_ = false;  // the grown stretch has been marked for huge pages
    quintptr start_ = 0;  // the end of the heap when the hint began
    quintptr expected_ = 0;
};

}  // namespace kel
