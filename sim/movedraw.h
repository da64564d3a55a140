// The drawing half of the move phase: for a chunk of subscribers, their two move draws
// from the runtime generator, the countdown of their calls when asked, and the list of
// those that move, in index order, for the pass that moves them.
//
// The pass comes in versions for 512-bit and 256-bit vectors and a portable one; the
// best the processor has is picked once, at first use. All give the same list, the
// same records and the same generator state.
#pragma once

#include <cstdint>

#include "sim/simulationstate.h"

namespace vadidazid {

// A listed mover: its index within the chunk, its direction (0 .. 5), and whether its
// call was in its last step when the countdown ran in the same pass.
constexpr int kMoveIndexShift = 4;
constexpr int kMoveDirectionShift = 1;
// The most subscribers a chunk may have, and the entries a list may need beyond one per
// subscriber: the vector versions store whole vectors of entries.
constexpr int32_t kMoveChunk = 1024;
constexpr int32_t kMoveListSlack = 16;

struct MoveDraws {
  Subscriber* chunk;
  int32_t size;           // 1 .. kMoveChunk
  bool countDown;         // count the chunk's calls down in the same pass
  int32_t* freed;         // per cell, channels of calls ended by the countdown
  const uint8_t* cellOf;  // the cell of row * 16 + column
};

// Where a chunk's movers are listed: those in a call at the start of the step in one
// list, the idle ones in the other. Idle movers change only their own records and the
// cells' subscriber counts, which nothing in the move phase reads, so they may be moved
// apart from the others; movers in a call must be moved in index order, as each may find
// a cell filled by one before it.
struct MoverLists {
  uint32_t* calls;
  uint32_t* idle;
};

// Draws the chunk's moves from the generator state `state` (advanced past them), lists
// the movers (each list with room for size + kMoveListSlack entries) and returns the
// ends of the lists. `ended` grows by the calls the countdown ended.
MoverLists DrawMoves(const MoveDraws& draws, uint64_t& state, MoverLists lists, int32_t& ended);

// For tests: the versions of the pass, whether this processor runs one, and a way to
// force one (false when the processor lacks it). kBest restores the automatic choice.
enum class MoveDrawPath { kBest, kPortable, kWide, kWidest };
bool MoveDrawPathAvailable(MoveDrawPath path);
bool ForceMoveDrawPath(MoveDrawPath path);

}  // namespace vadidazid
