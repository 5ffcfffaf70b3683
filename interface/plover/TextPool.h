// The texts of one recording, each distinct text stored once.  Samples refer
// to their texts by number (TextId); a 10-hour recording's 360 000 samples
// share a few thousand distinct speeds, status rows and states.
#ifndef PLOVER_TEXTPOOL_H
#define PLOVER_TEXTPOOL_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plover {

// 0 is the empty text (also "not in the recording").
using TextId = uint32_t;

class TextPool {
 public:
  TextPool();
  TextPool(TextPool&&) noexcept;
  TextPool& operator=(TextPool&&) noexcept;
  TextPool(const TextPool&) = delete;
  TextPool& operator=(const TextPool&) = delete;
  ~TextPool();

  // The number of `text`, stored now unless an equal text is stored already.
  TextId Add(std::string_view text);
  // A text by number; views stay valid while the pool lives (also across moves).
  std::string_view operator[](TextId id) const { return {starts_[id], lengths_[id]}; }

  // Distinct texts, the empty one included.
  size_t size() const { return starts_.size(); }
  // Bytes held: texts, their index and, until Freeze, the lookup table.
  size_t MemoryBytes() const;
  // Drops the lookup table once every text is in; Add still works, without
  // finding equal texts stored before.
  void Freeze();

 private:
  char* Room(size_t length);

  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockUsed_ = 0;
  size_t blockSize_ = 0;
  size_t blockBytes_ = 0;
  std::vector<const char*> starts_;
  std::vector<uint32_t> lengths_;
  std::unordered_map<std::string_view, TextId> lookup_;
};

}  // namespace plover

#endif
