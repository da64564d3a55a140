// The move draws' countdown on records at the largest column and row: every version
// changes only the steps-left word of each record, never the bytes beside it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "sim/movedraw.h"

namespace vadidazid {

TEST(SubscriberRecord, CountdownChangesOnlyTheStepsLeft) {
  for (MoveDrawPath path : {MoveDrawPath::kPortable, MoveDrawPath::kWide, MoveDrawPath::kWidest}) {
    if (!ForceMoveDrawPath(path)) continue;  // not on this processor
    // Two rounds of the widest version and one record for the scalar code; the spare
    // bytes make the word beside each steps field positive, as a steps field is.
    std::vector<Subscriber> records(33, Subscriber(15, 15, 0));
    const int32_t steps[] = {1, 2, 0, -1, 2147483647};
    for (size_t k = 0; k < records.size(); ++k) records[k].callStepsLeft = steps[k % 5];
    for (Subscriber& r : records) r.unused = 0x7F7F;
    std::vector<Subscriber> want = records;
    for (Subscriber& r : want) r.callStepsLeft -= r.callStepsLeft > 0;
    std::vector<uint8_t> cellOf(256, 0);
    std::vector<uint32_t> calls(33 + kMoveListSlack), idle(33 + kMoveListSlack);
    int32_t freed = 0, ended = 0;
    uint64_t state = 99;
    DrawMoves({records.data(), 33, true, &freed, cellOf.data()}, state, {calls.data(), idle.data()},
              ended);
    EXPECT_EQ(std::memcmp(records.data(), want.data(), 33 * sizeof(Subscriber)), 0) << int(path);
  }
  ForceMoveDrawPath(MoveDrawPath::kBest);
}

}  // namespace vadidazid
