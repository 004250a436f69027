#include "twyndle/engine/block_list.h"

#include <mutex>
#include <new>

#include "twyndle/engine/list_memory.h"

namespace {
using block_list_detail::header_of;

void* data_of(ListLink* link) { return reinterpret_cast<char*>(link) + sizeof(ListItemHeader); }

static_assert(sizeof(ListItemHeader) % alignof(ListLink) == 0, "item data must start aligned");
static_assert(sizeof(void*) != 8 || sizeof(ListItemHeader) == 32, "the size sits in the link's tail padding");
static_assert(sizeof(void*) != 4 || sizeof(ListItemHeader) == 20, "the 32-bit item header is 20 bytes");

// With list_lock held: links `link` in front of `before` (the head to append).
void link_before(ListLink* link, ListLink* before) {
  ListLink* prev = before->prev.load(std::memory_order_relaxed);
  link->next.store(before, std::memory_order_relaxed);
  link->prev.store(prev, std::memory_order_relaxed);
  prev->next.store(link, std::memory_order_release);
  before->prev.store(link, std::memory_order_release);
}
}  // namespace

BlockList* list_new() {
  std::lock_guard<std::mutex> hold(list_lock);
  ListBlock* block = nullptr;
  void* memory = list_memory_take(sizeof(ListLink), &block);
  if (!memory) return nullptr;
  auto* head = new (memory) ListLink;
  head->next.store(head, std::memory_order_relaxed);
  head->prev.store(head, std::memory_order_relaxed);
  head->block = block;
  head->is_head = 1;
  return head;
}

void* list_insert_before(BlockList* list, void* item, uint32_t size) {
  if (!list) return nullptr;
  if (size > list_block_data_bytes - sizeof(ListItemHeader)) return nullptr;
  std::lock_guard<std::mutex> hold(list_lock);
  ListBlock* block = nullptr;
  void* memory = list_memory_take(sizeof(ListItemHeader) + size, &block);
  if (!memory) return nullptr;
  auto* header = new (memory) ListItemHeader;
  header->block = block;
  header->is_head = 0;
  header->size = size;
  link_before(header, item ? header_of(item) : list);
  return data_of(header);
}

void* list_append(BlockList* list, uint32_t size) { return list_insert_before(list, nullptr, size); }

uint32_t list_item_size(const void* item) { return item ? header_of(item)->size : 0; }

void list_destroy(BlockList** list) {
  if (!list || !*list) return;
  BlockList* head = *list;
  *list = nullptr;
  std::unique_lock<std::mutex> hold(list_lock);
  ListLink* link = head->next.load(std::memory_order_relaxed);
  for (;;) {
    ListLink* next = link->next.load(std::memory_order_relaxed);
    bool was_head = link == head;
    int32_t negative = list_memory_give(link->block);
    if (negative) {
      hold.unlock();
      list_report_negative(negative);
      hold.lock();
    }
    if (was_head) break;
    link = next;
  }
}
