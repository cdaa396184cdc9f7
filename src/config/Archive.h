// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

// Thrown by a loading CArchive when the stream ends before a value is
// complete, or when a count or length asks for more than what remains.
class CArchiveException : public std::exception {
 public:
  CArchiveException() = default;
  // `offset`: where the value that does not fit begins; `size`: the bytes
  // of the stream.
  CArchiveException(size_t offset, size_t size)
      : m_nOffset(offset), m_nSize(size) {}
  const char* what() const noexcept override;

  size_t Offset() const { return m_nOffset; }
  size_t Size() const { return m_nSize; }

 private:
  size_t m_nOffset = 0;
  size_t m_nSize = 0;
};

// A byte stream in the configuration file's encoding: little-endian integers
// and doubles, strings with a variable length prefix, counted string lists.
// A storing archive appends to its own buffer; a loading archive reads from
// the bytes it was given, front to back. Nothing is added to the stream
// beyond the values written.
//
// Loading never trusts the stream: a count or a string length that cannot
// fit into what remains throws CArchiveException before anything is
// allocated for it, so a damaged stream costs at most a small multiple of its
// own size in memory.
class CArchive {
 public:
  // A storing archive with an empty buffer.
  CArchive();
  // A loading archive over `data`.
  explicit CArchive(std::string data);

  bool IsStoring() const { return m_bStoring; }
  bool IsLoading() const { return !m_bStoring; }

  // Storing: the bytes written so far.
  const std::string& Buffer() const { return m_buffer; }
  // Loading: bytes not yet read, and the offset of the next one.
  size_t Remaining() const { return m_buffer.size() - m_pos; }
  size_t Position() const { return m_pos; }

  // Loading: throws CArchiveException for the value that began at `offset`.
  [[noreturn]] void ThrowDamaged(size_t offset) const;

  // Storing. Only valid on a storing archive.
  void WriteU32(uint32_t value);
  void WriteI32(int32_t value);
  void WriteF64(double value);
  // Length below 255: one byte; 255 to 65533: 0xFF and a u16; 65534 and
  // more: 0xFF, 0xFFFF and a u32. Throws std::length_error for a text of
  // 4 GiB or more, which the encoding cannot hold.
  void WriteString(const std::string& text);
  // u32 count, then the strings.
  void WriteStringList(const std::vector<std::string>& list);

  // Loading. Only valid on a loading archive; each throws CArchiveException
  // when the stream ends too early.
  uint32_t ReadU32();
  int32_t ReadI32();
  double ReadF64();
  // Accepts every prefix form (a short length in the long form too); a
  // 16-bit length other than 0xFFFF is the length itself.
  std::string ReadString();
  // Reads a u32 count for entries that take at least `minEntryBytes` bytes
  // each; throws when that many entries cannot fit into what remains.
  uint32_t ReadCount(size_t minEntryBytes);
  // Reads a u32 count and that many strings; `list` is resized to the count
  // first, so on a throw it holds the entries read so far followed by
  // empty ones.
  void ReadStringList(std::vector<std::string>& list);

 private:
  void Take(void* out, size_t size);
  void Put(const void* in, size_t size);

  bool m_bStoring;
  std::string m_buffer;
  size_t m_pos = 0;
};
