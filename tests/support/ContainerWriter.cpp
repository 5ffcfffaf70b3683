#include "ContainerWriter.h"

#include <cstdio>
#include <memory>

namespace plover::test {

namespace {

void PutU16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

uint32_t ItemSize(const ContainerItem& item) {
  const uint32_t header = item.type == ContainerItem::kFiller ? 4 : ContainerWriter::kItemHeaderSize;
  return header + static_cast<uint32_t>(item.payload.size());
}

uint32_t RecordSize(const ContainerRecord& record) {
  uint32_t size = ContainerWriter::kRecordHeaderSize;
  for (const ContainerItem& item : record.items) size += ItemSize(item);
  return size;
}

void PutItem(std::string& out, const ContainerItem& item) {
  const auto length = static_cast<uint32_t>(item.payload.size());
  if (item.type == ContainerItem::kFiller) {
    PutU16(out, item.type);
    PutU16(out, static_cast<uint16_t>(item.lengthField.value_or(length)));
  } else {
    std::string header(ContainerWriter::kItemHeaderSize, '\0');
    header[0] = static_cast<char>(item.type & 0xFF);
    header[1] = static_cast<char>(item.type >> 8);
    std::string field;
    PutU32(field, item.lengthField.value_or(length));
    header.replace(12, 4, field);
    out.append(header);
  }
  out.append(item.payload);
}

}  // namespace

uint32_t ContainerWriter::AddChunk(std::string_view type, std::string_view body, std::optional<uint32_t> sizeField) {
  const uint32_t offset = size();
  std::string header(type.substr(0, 4));
  header.resize(4, ' ');
  PutU32(header, sizeField.value_or(static_cast<uint32_t>(12 + body.size())));
  PutU32(header, 0);
  bytes_.append(header);
  bytes_.append(body);
  return offset;
}

uint32_t ContainerWriter::AddFileInfo(std::string_view text, uint8_t kind) {
  std::string body(48, '\0');  // offsets 12 to 59 of the chunk
  body[48 - 12] = static_cast<char>(kind);
  body.append(text);
  return AddChunk("HSPR", body);
}

uint32_t ContainerWriter::AddHeader(uint32_t indexOffset) {
  std::string body(76, '\0');  // offsets 12 to 87 of the chunk
  std::string field;
  PutU32(field, indexOffset);
  body.replace(80 - 12, 4, field);
  return AddChunk("HFPR", body);
}

uint32_t ContainerWriter::AddIndex(const std::vector<IndexEntry>& entries) {
  const uint32_t offset = size();
  std::string body(76, '\0');
  std::string field;
  PutU32(field, offset + 88);
  body.replace(80 - 12, 4, field);
  body.append(16, '\0');
  PutU32(body, static_cast<uint32_t>(entries.size()));
  for (const IndexEntry& entry : entries) {
    PutU32(body, entry.indexNumber);
    PutU32(body, entry.itemOffset);
  }
  return AddChunk("HFPR", body);
}

std::vector<uint32_t> ContainerWriter::FirstItemOffsets(const std::vector<ContainerRecord>& records) {
  std::vector<uint32_t> offsets;
  uint32_t offset = kDataHeaderSize;
  for (const ContainerRecord& record : records) {
    offsets.push_back(offset + kRecordHeaderSize);
    offset += RecordSize(record);
  }
  return offsets;
}

uint32_t ContainerWriter::AddData(const std::vector<ContainerRecord>& records, std::optional<uint32_t> sizeField) {
  std::string body(kDataHeaderSize - 12, '\0');
  for (const ContainerRecord& record : records) {
    std::string header(kRecordHeaderSize, '\0');
    std::string fields;
    PutU32(fields, record.indexNumber);
    PutU32(fields, record.sizeField.value_or(RecordSize(record)));
    header.replace(4, 8, fields);
    header[20] = static_cast<char>(record.hasItems ? 0x02 : 0x00);
    body.append(header);
    for (const ContainerItem& item : record.items) PutItem(body, item);
  }
  return AddChunk("DHED", body, sizeField);
}

void ContainerWriter::PatchU32(uint32_t offset, uint32_t value) {
  std::string field;
  PutU32(field, value);
  if (offset + 4 > bytes_.size()) bytes_.resize(offset + 4, '\0');
  bytes_.replace(offset, 4, field);
}

std::string ContainerWriter::Finish() const { return bytes_ + std::string(kTrailerSize, '\0'); }

std::string MakeTextFile(std::string_view fileInfo, const std::vector<std::pair<uint32_t, std::string>>& samples) {
  std::string out = "<?xml version=\"1.0\"?>\r\n<Meta>\r\n<F-Info>\r\n";
  out.append(fileInfo);
  out.append("\r\n</F-Info>\r\n<P-Info>\r\n");
  for (const auto& [number, text] : samples) {
    out.append("<Index no=\"").append(std::to_string(number)).append("\">");
    out.append(text);
    out.append("</Index>\r\n");
  }
  out.append("</P-Info>\r\n</Meta>\r\n");
  return out;
}

bool WriteFile(const std::string& path, std::string_view bytes) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

}  // namespace plover::test
