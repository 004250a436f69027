#include "twyndle/engine/list_memory.h"

#include <cstdio>

#include "twyndle/engine/system_memory.h"
#include "twyndle/engine/ui_seam.h"

std::mutex list_lock;

namespace {
ListBlock* current_block = nullptr;

constexpr uint32_t align_up(uint32_t bytes) {
  constexpr uint32_t unit = alignof(ListLink);
  return (bytes + unit - 1) / unit * unit;
}

static_assert(sizeof(ListBlock) % alignof(ListLink) == 0, "list data must start aligned");
static_assert(sizeof(void*) != 4 || list_block_bytes == 25012, "the 32-bit block is 25,012 bytes");

ListBlock* new_block() {
  auto* block = static_cast<ListBlock*>(system_alloc_uncleared(list_block_bytes));
  if (!block) return nullptr;
  block->handle = block;
  block->live = 0;
  block->used = 0;
  return block;
}
}  // namespace

void* list_memory_take(uint32_t bytes, ListBlock** block) {
  if (bytes > list_block_data_bytes) return nullptr;
  if (!current_block || current_block->used + bytes > list_block_data_bytes) {
    current_block = new_block();
    if (!current_block) {
      ui_seam().debug_output("GlobalAlloc failed!!\n");
      return nullptr;
    }
  }
  char* memory = reinterpret_cast<char*>(current_block + 1) + current_block->used;
  current_block->live += 1;
  current_block->used = align_up(current_block->used + bytes);
  *block = current_block;
  return memory;
}

int32_t list_memory_give(ListBlock* block) {
  if (!block) return 0;
  block->live -= 1;
  if (block->live > 0) return 0;
  int32_t count = block->live;
  if (block == current_block) current_block = nullptr;
  system_free(block->handle);
  return count < 0 ? count : 0;
}

void list_report_negative(int32_t count) {
  char text[96];
  std::snprintf(text, sizeof text, "Problem in List code.\nList block allocation negative (%d)", count);
  ui_message(text, "Error", MessageIcon::error);
}

ListBlock* list_current_block() {
  std::lock_guard<std::mutex> hold(list_lock);
  return current_block;
}
