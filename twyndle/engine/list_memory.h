// The shared blocks that list heads and items are carved from. Every list
// of the process draws on one current block; a block goes back to the
// system when its last live item is released. Used by block_list.cpp.
#pragma once

#include <cstdint>
#include <mutex>

#include "twyndle/engine/block_list.h"

// Guards the current block, the block counts and the linking of lists.
extern std::mutex list_lock;

struct ListBlock {
  void* handle;   // the system handle of the block (its own address)
  int32_t live;   // live heads and items in the block
  uint32_t used;  // bytes of the data area used, kept a multiple of the link alignment
};

constexpr uint32_t list_block_bytes = sizeof(ListBlock) + list_block_data_bytes;

// With list_lock held: `bytes` bytes of list memory, counted as one more
// live item of the block returned in `block`. A request that does not fit
// into what is left of the current block starts a new block. None when the
// request can never fit or no block can be had (then the current block is
// forgotten and a line goes to the debugger output).
void* list_memory_take(uint32_t bytes, ListBlock** block);

// With list_lock held: one live item less in `block`, which goes back to the
// system when none is left. Returns the count when it fell below zero (the
// caller reports it once the lock is released), else 0.
int32_t list_memory_give(ListBlock* block);

// Shows "Problem in List code." for a count that fell below zero.
void list_report_negative(int32_t count);

// The block new items are taken from, or none (for checks).
ListBlock* list_current_block();
