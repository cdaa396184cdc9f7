// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// A text of 16 bytes, for the millions of short texts of a large drawing:
// up to 15 bytes are kept inside it, longer ones on the heap. It reads like
// a std::string_view (and converts to std::string where one is needed);
// copies are deep. Any byte, NUL included, may be part of the text; c_str()
// adds a NUL after the last one.
class CShortText {
 public:
  CShortText() noexcept { SetInlineSize(0); }
  CShortText(std::string_view text) { Assign(text); }  // NOLINT: implicit
  CShortText(const std::string& text) : CShortText(std::string_view(text)) {}
  CShortText(const char* text) : CShortText(std::string_view(text)) {}
  CShortText(const CShortText& other) : CShortText(other.view()) {}
  CShortText(CShortText&& other) noexcept {
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    other.SetInlineSize(0);
  }
  CShortText& operator=(const CShortText& other) {
    if (this != &other) assign(other.view());
    return *this;
  }
  CShortText& operator=(CShortText&& other) noexcept {
    if (this != &other) {
      Release();
      std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
      other.SetInlineSize(0);
    }
    return *this;
  }
  ~CShortText() { Release(); }

  void assign(std::string_view text) {
    CShortText copy(text);
    *this = std::move(copy);
  }

  const char* data() const { return IsHeap() ? HeapPointer() : m_bytes; }
  const char* c_str() const { return data(); }
  size_t size() const { return IsHeap() ? HeapSize() : kInline - Tag(); }
  bool empty() const { return size() == 0; }
  char front() const { return data()[0]; }
  char back() const { return data()[size() - 1]; }
  std::string_view view() const { return {data(), size()}; }
  operator std::string_view() const { return view(); }  // NOLINT: implicit
  operator std::string() const { return std::string(view()); }  // NOLINT

  friend bool operator==(const CShortText& a, std::string_view b) {
    return a.view() == b;
  }
  friend bool operator==(const CShortText& a, const std::string& b) {
    return a.view() == b;
  }
  friend bool operator==(const CShortText& a, const char* b) {
    return a.view() == b;
  }
  friend bool operator==(const CShortText& a, const CShortText& b) {
    return a.view() == b.view();
  }
  friend std::ostream& operator<<(std::ostream& os, const CShortText& text) {
    return os << text.view();
  }

 private:
  static constexpr size_t kInline = 15;
  static constexpr unsigned char kHeapTag = 0x80;

  unsigned char Tag() const { return static_cast<unsigned char>(m_bytes[kInline]); }
  bool IsHeap() const { return Tag() == kHeapTag; }
  // Inline: the last byte holds 15 - size, so 0, the terminating NUL, when
  // the text fills all 15 bytes.
  void SetInlineSize(size_t size) {
    m_bytes[size] = '\0';
    m_bytes[kInline] = static_cast<char>(kInline - size);
  }
  // Heap: the pointer in bytes 0 to 7, the size in bytes 8 to 14, lowest
  // byte first, and kHeapTag in the last byte.
  char* HeapPointer() const {
    char* pointer = nullptr;
    std::memcpy(&pointer, m_bytes, sizeof pointer);
    return pointer;
  }
  size_t HeapSize() const {
    uint64_t size = 0;
    for (size_t k = 0; k < 7; ++k) {
      size |= uint64_t{static_cast<unsigned char>(m_bytes[8 + k])} << (8 * k);
    }
    return static_cast<size_t>(size);
  }

  void Assign(std::string_view text) {
    if (text.size() <= kInline) {
      if (!text.empty()) std::memcpy(m_bytes, text.data(), text.size());
      SetInlineSize(text.size());
      return;
    }
    if (uint64_t{text.size()} >> 56 != 0) throw std::length_error("CShortText");
    char* heap = new char[text.size() + 1];
    std::memcpy(heap, text.data(), text.size());
    heap[text.size()] = '\0';
    std::memcpy(m_bytes, &heap, sizeof heap);
    for (size_t k = 0; k < 7; ++k) {
      m_bytes[8 + k] = static_cast<char>((uint64_t{text.size()} >> (8 * k)) & 0xff);
    }
    m_bytes[kInline] = static_cast<char>(kHeapTag);
  }

  void Release() {
    if (IsHeap()) delete[] HeapPointer();
  }

  char m_bytes[kInline + 1] = {};
};

static_assert(sizeof(CShortText) == 16);
