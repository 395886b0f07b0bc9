#include "playback/read_only_file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zelvo {

ReadOnlyFileStream::ReadOnlyFileStream(const char* name) : name_(name) {
  fd_ = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat st {};
  if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) size_ = static_cast<long>(st.st_size);
}

ReadOnlyFileStream::~ReadOnlyFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

TagLib::ByteVector ReadOnlyFileStream::readBlock(unsigned long length) {
  // A damaged size field may ask for more than the file holds: never more
  // than what is left is allocated.
  const unsigned long left = static_cast<unsigned long>(std::max(0L, size_ - position_));
  TagLib::ByteVector block(static_cast<unsigned int>(std::min(length, left)), 0);
  unsigned int got = 0;
  while (fd_ >= 0 && got < block.size()) {
    const ssize_t n = ::pread(fd_, block.data() + got, block.size() - got, position_ + got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // cut meanwhile, or unreadable: the bytes read so far
    got += static_cast<unsigned int>(n);
  }
  block.resize(got);
  position_ += got;
  return block;
}

void ReadOnlyFileStream::seek(long offset, Position from) {
  const long base = from == Beginning ? 0 : from == Current ? position_ : size_;
  // As with stdio, a seek before the start fails and leaves the position.
  if (base + offset >= 0) position_ = base + offset;
}

}  // namespace zelvo
