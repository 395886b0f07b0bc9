#include "base/packed_text.h"

#include <algorithm>
#include <new>

namespace zelvo {
namespace {

char* NewBlock(qsizetype size, bool wide) {
  const size_t bytes = sizeof(uint32_t) + size_t(size) * (wide ? 2 : 1);
  char* block = static_cast<char*>(std::malloc(bytes));
  if (!block) throw std::bad_alloc();
  const uint32_t header = uint32_t(size) << 1 | (wide ? 1u : 0u);
  memcpy(block, &header, sizeof header);
  return block;
}

}  // namespace

bool FitsLatin1(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

PackedText::PackedText(QStringView text) {
  if (text.isEmpty()) return;
  const bool wide = !FitsLatin1(text);
  block_ = NewBlock(text.size(), wide);
  char* out = block_ + sizeof(uint32_t);
  if (wide) {
    memcpy(out, text.data(), size_t(text.size()) * 2);
  } else {
    for (QChar c : text) *out++ = char(c.unicode());
  }
}

PackedText::PackedText(const Chars& chars) {
  const bool wide = !chars.utf16.isNull();
  const qsizetype size = wide ? chars.utf16.size() : chars.latin1.size();
  if (size == 0) return;
  block_ = NewBlock(size, wide);
  memcpy(block_ + sizeof(uint32_t), wide ? static_cast<const void*>(chars.utf16.data()) : chars.latin1.data(),
         size_t(size) * (wide ? 2 : 1));
}

PackedText::Chars PackedText::View() const {
  if (IsLatin1()) return {QLatin1String(block_ ? Data() : "", size()), {}};
  return {{}, QStringView(reinterpret_cast<const char16_t*>(Data()), size())};
}

QString PackedText::ToString() const {
  const Chars chars = View();
  return IsLatin1() ? QString(chars.latin1) : chars.utf16.toString();
}

void PackedText::AppendTo(QString& out) const {
  const Chars chars = View();
  if (IsLatin1())
    out.append(chars.latin1);
  else
    out.append(chars.utf16);
}

bool PackedText::Equals(QStringView text) const {
  const Chars chars = View();
  return IsLatin1() ? QStringView(text) == chars.latin1 : text == chars.utf16;
}

}  // namespace zelvo
