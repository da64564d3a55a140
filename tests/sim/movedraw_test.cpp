// The move draws on every version this processor runs: the same lists, records, ended
// calls, freed channels and generator state as the plain one-draw-at-a-time form, for
// chunk sizes around the vector widths and the largest chunk.
#include "sim/movedraw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "random/runtimerandom.h"

namespace vadidazid {

namespace {

struct Outcome {
  std::vector<uint32_t> calls, idle;
  std::vector<int32_t> steps, freed;
  uint64_t state = 0;
  int32_t ended = 0;
};

// Records with steps left from -1 to 3 (many calls in their last step) over 4 x 4 cells.
std::vector<Subscriber> Records(int32_t size, uint32_t seed) {
  RuntimeRandom g;
  g.Seed(seed);
  std::vector<Subscriber> records(size);
  for (Subscriber& r : records) r = {g.Next() % 4, g.Next() % 4, g.Next() % 5 - 1};
  return records;
}

std::vector<uint8_t> CellTable() {
  std::vector<uint8_t> cellOf(MoveTable::kLargestSide * MoveTable::kLargestSide, 0);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) cellOf[r * MoveTable::kLargestSide + c] = uint8_t(r * 4 + c);
  }
  return cellOf;
}

Outcome Drawn(std::vector<Subscriber> records, bool countDown, uint64_t state) {
  const std::vector<uint8_t> cellOf = CellTable();
  Outcome o;
  o.freed.assign(16, 0);
  o.calls.assign(records.size() + kMoveListSlack, 0);
  o.idle.assign(records.size() + kMoveListSlack, 0);
  const MoveDraws draws{records.data(), int32_t(records.size()), countDown, o.freed.data(),
                        cellOf.data()};
  o.state = state;
  const MoverLists ends = DrawMoves(draws, o.state, {o.calls.data(), o.idle.data()}, o.ended);
  o.calls.resize(ends.calls - o.calls.data());
  o.idle.resize(ends.idle - o.idle.data());
  for (const Subscriber& r : records) o.steps.push_back(r.callStepsLeft);
  return o;
}

// The same, one draw at a time from the generator.
Outcome Expected(const std::vector<Subscriber>& records, bool countDown, uint64_t state) {
  RuntimeRandom g;
  g.SetState(state);
  Outcome o;
  o.freed.assign(16, 0);
  for (size_t i = 0; i < records.size(); ++i) {
    const int32_t a = g.Next() % 2, b = g.Next() % 7;
    int32_t left = records[i].callStepsLeft, last = 0;
    if (countDown) {
      last = left == 1;
      o.ended += last;
      o.freed[records[i].row * 4 + records[i].column] += last;
      left -= left > 0;
    }
    const uint32_t entry = uint32_t(i) << 4 | uint32_t(b) << 1 | uint32_t(last);
    if (a == 1 && b != 6) (records[i].callStepsLeft > 0 ? o.calls : o.idle).push_back(entry);
    o.steps.push_back(left);
  }
  o.state = g.state();
  return o;
}

TEST(MoveDraw, EveryVersionDrawsAsTheGeneratorDoes) {
  const MoveDrawPath paths[] = {MoveDrawPath::kPortable, MoveDrawPath::kWide,
                                MoveDrawPath::kWidest};
  const int32_t sizes[] = {1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 33, kMoveChunk - 1, kMoveChunk};
  for (MoveDrawPath path : paths) {
    if (!ForceMoveDrawPath(path)) continue;  // not on this processor
    for (int32_t size : sizes) {
      for (bool countDown : {true, false}) {
        const std::vector<Subscriber> records = Records(size, uint32_t(size));
        const uint64_t state = 0x0123456789ABCDEFull * uint64_t(size);
        const Outcome got = Drawn(records, countDown, state),
                      want = Expected(records, countDown, state);
        const std::string where = "path " + std::to_string(int(path)) + " size " +
                                  std::to_string(size) + " countdown " + std::to_string(countDown);
        EXPECT_EQ(got.calls, want.calls) << where;
        EXPECT_EQ(got.idle, want.idle) << where;
        EXPECT_EQ(got.steps, want.steps) << where;
        EXPECT_EQ(got.freed, want.freed) << where;
        EXPECT_EQ(got.ended, want.ended) << where;
        EXPECT_EQ(got.state, want.state) << where;
      }
    }
  }
  ForceMoveDrawPath(MoveDrawPath::kBest);
}

}  // namespace

}  // namespace vadidazid
