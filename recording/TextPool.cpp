#include "plover/TextPool.h"

#include <cstring>

namespace plover {

namespace {

constexpr size_t kBlockSize = 64 * 1024;

}  // namespace

TextPool::TextPool() {
  starts_.push_back("");
  lengths_.push_back(0);
  lookup_.emplace(std::string_view(), 0);
}

TextPool::TextPool(TextPool&&) noexcept = default;
TextPool& TextPool::operator=(TextPool&&) noexcept = default;
TextPool::~TextPool() = default;

char* TextPool::Room(size_t length) {
  if (length > kBlockSize / 4) {
    // A long text gets a block of its own, kept in front of the block being
    // filled (always the last one).
    const auto at =
        blocks_.insert(blocks_.empty() ? blocks_.end() : blocks_.end() - 1, std::make_unique<char[]>(length));
    blockBytes_ += length;
    return at->get();
  }
  if (blocks_.empty() || blockUsed_ + length > blockSize_) {
    blocks_.push_back(std::make_unique<char[]>(kBlockSize));
    blockSize_ = kBlockSize;
    blockUsed_ = 0;
    blockBytes_ += kBlockSize;
  }
  char* room = blocks_.back().get() + blockUsed_;
  blockUsed_ += length;
  return room;
}

TextId TextPool::Add(std::string_view text) {
  if (text.empty()) return 0;
  if (!lookup_.empty()) {
    const auto found = lookup_.find(text);
    if (found != lookup_.end()) return found->second;
  }
  char* room = Room(text.size());
  std::memcpy(room, text.data(), text.size());
  const auto id = static_cast<TextId>(starts_.size());
  starts_.push_back(room);
  lengths_.push_back(static_cast<uint32_t>(text.size()));
  if (!lookup_.empty()) lookup_.emplace(std::string_view(room, text.size()), id);
  return id;
}

size_t TextPool::MemoryBytes() const {
  // The lookup table: its buckets and one node (view, number, link, hash) per text.
  const size_t lookup = lookup_.bucket_count() * sizeof(void*) + lookup_.size() * 4 * sizeof(void*);
  return blockBytes_ + starts_.capacity() * sizeof(const char*) + lengths_.capacity() * sizeof(uint32_t) + lookup;
}

void TextPool::Freeze() {
  std::unordered_map<std::string_view, TextId>().swap(lookup_);
  starts_.shrink_to_fit();
  lengths_.shrink_to_fit();
}

}  // namespace plover
