#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace zelvo {

// True when every character of a text is Latin-1, a byte each.
bool FitsLatin1(QStringView text);

// A text kept in as little memory as a list of a million rows asks for: one
// pointer where it is held, and one block with the length and the
// characters, a byte each when all of them are Latin-1 (most names and
// paths), two bytes each otherwise. Every text converts back exactly, lone
// surrogates included. The empty text takes no block.
class PackedText {
 public:
  PackedText() = default;
  explicit PackedText(QStringView text);
  PackedText(const PackedText& other) : PackedText(other.View()) {}
  PackedText(PackedText&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  PackedText& operator=(PackedText other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }
  ~PackedText() { std::free(block_); }

  qsizetype size() const { return block_ ? qsizetype(Header() >> 1) : 0; }
  bool IsLatin1() const { return !block_ || (Header() & 1) == 0; }

  // The characters, in whichever of the two forms they are kept.
  struct Chars {
    QLatin1String latin1;  // set when the text is Latin-1
    QStringView utf16;     // set otherwise
  };
  Chars View() const;

  QString ToString() const;
  void AppendTo(QString& out) const;
  bool Equals(QStringView text) const;

 private:
  explicit PackedText(const Chars& chars);
  uint32_t Header() const {
    uint32_t header;
    memcpy(&header, block_, sizeof header);
    return header;
  }
  const char* Data() const { return block_ + sizeof(uint32_t); }

  // The length shifted left by one, its low bit set for two-byte characters,
  // then the characters.
  char* block_ = nullptr;
};

}  // namespace zelvo
