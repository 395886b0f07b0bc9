#pragma once

#include <string>

#include <taglib/tiostream.h>

namespace zelvo {

// A file opened for TagLib to read and nothing else. TagLib's own stream
// reads through stdio, whose every seek costs a system call and drops the
// buffer, and asks the file's size with two more seeks each time; reading a
// file's tags meets a dozen of those. Here a seek only moves the position,
// each read is one pread, and the size is asked once at the open.
class ReadOnlyFileStream : public TagLib::IOStream {
 public:
  // Opens `name` without blocking on a FIFO; isOpen() says whether it worked.
  explicit ReadOnlyFileStream(const char* name);
  ~ReadOnlyFileStream() override;
  ReadOnlyFileStream(const ReadOnlyFileStream&) = delete;
  ReadOnlyFileStream& operator=(const ReadOnlyFileStream&) = delete;

  TagLib::FileName name() const override { return name_.c_str(); }
  TagLib::ByteVector readBlock(unsigned long length) override;
  bool readOnly() const override { return true; }
  bool isOpen() const override { return fd_ >= 0; }
  void seek(long offset, Position from = Beginning) override;
  long tell() const override { return position_; }
  long length() override { return size_; }

  // Nothing is ever written through this stream.
  void writeBlock(const TagLib::ByteVector&) override {}
  void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
  void removeBlock(unsigned long, unsigned long) override {}
  void truncate(long) override {}

 private:
  std::string name_;
  int fd_ = -1;
  long size_ = 0;
  long position_ = 0;
};

}  // namespace zelvo
