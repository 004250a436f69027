// BlockList: a circular doubly linked list whose heads and items are carved
// one after another out of large blocks shared by every list of the process.
// A record costs a pointer bump in the current block; a whole list goes in
// one pass. Items are never removed one by one. A handle to an item is the
// address of its data; the item header lies directly in front of it.
//
// Block layout: header { system handle, live items, bytes used } followed by
// a data area of list_block_data_bytes. Item header: { next, prev, block,
// is_head = 0, size }. The head is { next, prev, block, is_head = 1 }.
// On the 32-bit Windows build the fields are 32 bits wide (a 12-byte block
// header, 20-byte item header); on 64-bit builds the pointers are 64 bits.
//
// list_lock guards the current block, the block counts and the linking
// (the blocks themselves are the list memory, list_memory.h).
// Links are published atomically, so a thread may walk a list while another
// appends to its end; the appended item's data is the appender's to publish.
#pragma once

#include <atomic>
#include <cstdint>

constexpr uint32_t list_block_data_bytes = 25000;

struct ListBlock;

struct ListLink {
  std::atomic<ListLink*> next;  // next item, or the head at the end
  std::atomic<ListLink*> prev;  // previous item, or the head at the start
  ListBlock* block;             // the block holding this head or item
  uint32_t is_head;             // 1 for the head, 0 for an item
};

// An item's header is its link followed by the data size. Deriving from the
// link lets the size take the link's tail padding on 64-bit builds, so the
// header is 32 bytes there (20 on the 32-bit build, as the layout says).
struct ListItemHeader : ListLink {
  uint32_t size;  // the data size asked for
};

// A list is known by its head.
typedef ListLink BlockList;

// A new empty list, or none when memory runs out.
BlockList* list_new();
// A new item of `size` bytes at the end; its data (not zero-filled) or none.
void* list_append(BlockList* list, uint32_t size);
// The same, placed in front of `item`; with no item it appends.
void* list_insert_before(BlockList* list, void* item, uint32_t size);
// The walks are defined here so that the matcher's and the view's loops
// over hundreds of thousands of Lines step without a call.
namespace block_list_detail {
inline ListItemHeader* header_of(const void* item) {
  return reinterpret_cast<ListItemHeader*>(const_cast<char*>(static_cast<const char*>(item)) -
                                           sizeof(ListItemHeader));
}
// The data of an item link, none when the link is the head.
inline void* item_or_none(ListLink* link) {
  return link->is_head ? nullptr : reinterpret_cast<char*>(link) + sizeof(ListItemHeader);
}
}  // namespace block_list_detail

inline void* list_first(const BlockList* list) {
  return list ? block_list_detail::item_or_none(list->next.load(std::memory_order_acquire)) : nullptr;
}
inline void* list_last(const BlockList* list) {
  return list ? block_list_detail::item_or_none(list->prev.load(std::memory_order_acquire)) : nullptr;
}
// The neighbour's data, none at the ends.
inline void* list_next(const void* item) {
  if (!item) return nullptr;
  return block_list_detail::item_or_none(block_list_detail::header_of(item)->next.load(std::memory_order_acquire));
}
inline void* list_prev(const void* item) {
  if (!item) return nullptr;
  return block_list_detail::item_or_none(block_list_detail::header_of(item)->prev.load(std::memory_order_acquire));
}
// The data size the item was made with (0 for none).
uint32_t list_item_size(const void* item);
// Releases the head and every item and clears the caller's handle.
void list_destroy(BlockList** list);
