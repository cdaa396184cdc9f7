// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Archive.h"

#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

const char* CArchiveException::what() const noexcept {
  return "unexpected end of archive";
}

CArchive::CArchive() : m_bStoring(true) {}

CArchive::CArchive(std::string data)
    : m_bStoring(false), m_buffer(std::move(data)) {}

void CArchive::Put(const void* in, size_t size) {
  m_buffer.append(static_cast<const char*>(in), size);
}

void CArchive::ThrowDamaged(size_t offset) const {
  throw CArchiveException(offset, m_buffer.size());
}

void CArchive::Take(void* out, size_t size) {
  if (size > Remaining()) ThrowDamaged(m_pos);
  std::memcpy(out, m_buffer.data() + m_pos, size);
  m_pos += size;
}

namespace {

// Integers are little-endian whatever the host's byte order.
template <typename T>
void EncodeLittleEndian(T value, unsigned char* bytes) {
  for (size_t i = 0; i < sizeof(T); ++i) {
    bytes[i] = static_cast<unsigned char>(value >> (8 * i));
  }
}

template <typename T>
T DecodeLittleEndian(const unsigned char* bytes) {
  T value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) {
    value = static_cast<T>(value | static_cast<T>(T{bytes[i]} << (8 * i)));
  }
  return value;
}

constexpr unsigned char kLongLength = 0xFF;
constexpr uint16_t kVeryLongLength = 0xFFFF;

}  // namespace

void CArchive::WriteU32(uint32_t value) {
  unsigned char bytes[4];
  EncodeLittleEndian(value, bytes);
  Put(bytes, sizeof bytes);
}

void CArchive::WriteI32(int32_t value) {
  WriteU32(static_cast<uint32_t>(value));
}

void CArchive::WriteF64(double value) {
  unsigned char bytes[8];
  EncodeLittleEndian(std::bit_cast<uint64_t>(value), bytes);
  Put(bytes, sizeof bytes);
}

void CArchive::WriteString(const std::string& text) {
  const size_t length = text.size();
  if (length < kLongLength) {
    const auto byte = static_cast<unsigned char>(length);
    Put(&byte, 1);
  } else if (length < kVeryLongLength - 1u) {
    unsigned char bytes[3] = {kLongLength};
    EncodeLittleEndian(static_cast<uint16_t>(length), bytes + 1);
    Put(bytes, sizeof bytes);
  } else if (length <= std::numeric_limits<uint32_t>::max()) {
    unsigned char bytes[7] = {kLongLength};
    EncodeLittleEndian(kVeryLongLength, bytes + 1);
    EncodeLittleEndian(static_cast<uint32_t>(length), bytes + 3);
    Put(bytes, sizeof bytes);
  } else {
    throw std::length_error("string too long for the archive");
  }
  Put(text.data(), length);
}

void CArchive::WriteStringList(const std::vector<std::string>& list) {
  if (list.size() > std::numeric_limits<uint32_t>::max()) {
    throw std::length_error("list too long for the archive");
  }
  WriteU32(static_cast<uint32_t>(list.size()));
  for (const std::string& entry : list) WriteString(entry);
}

uint32_t CArchive::ReadU32() {
  unsigned char bytes[4];
  Take(bytes, sizeof bytes);
  return DecodeLittleEndian<uint32_t>(bytes);
}

int32_t CArchive::ReadI32() { return static_cast<int32_t>(ReadU32()); }

double CArchive::ReadF64() {
  unsigned char bytes[8];
  Take(bytes, sizeof bytes);
  return std::bit_cast<double>(DecodeLittleEndian<uint64_t>(bytes));
}

std::string CArchive::ReadString() {
  const size_t start = m_pos;
  unsigned char first = 0;
  Take(&first, 1);
  size_t length = first;
  if (first == kLongLength) {
    unsigned char bytes[2];
    Take(bytes, sizeof bytes);
    length = DecodeLittleEndian<uint16_t>(bytes);
    if (length == kVeryLongLength) length = ReadU32();
  }
  if (length > Remaining()) ThrowDamaged(start);
  std::string text(m_buffer, m_pos, length);
  m_pos += length;
  return text;
}

uint32_t CArchive::ReadCount(size_t minEntryBytes) {
  const size_t start = m_pos;
  const uint32_t count = ReadU32();
  if (minEntryBytes > 0 && count > Remaining() / minEntryBytes) {
    ThrowDamaged(start);
  }
  return count;
}

void CArchive::ReadStringList(std::vector<std::string>& list) {
  // Every string takes at least its one-byte length prefix.
  const uint32_t count = ReadCount(1);
  list.assign(count, std::string());
  for (std::string& entry : list) entry = ReadString();
}
