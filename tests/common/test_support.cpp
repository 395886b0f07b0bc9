#include "test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace zelvo::test {

QString DataFile(const QString& name) { return QStringLiteral(ZELVO_TEST_DATA "/") + name; }

bool WaitFor(const std::function<bool()>& predicate, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!predicate()) {
    if (deadline.hasExpired()) return predicate();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

::testing::AssertionResult MakeEndlessFiles(const QString& fifo, const QString& zero) {
  if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
    return ::testing::AssertionFailure() << "no FIFO at " << fifo.toStdString();
  if (!QFile::link("/dev/zero", zero)) return ::testing::AssertionFailure() << "no link at " << zero.toStdString();
  return ::testing::AssertionSuccess();
}

void TagMp3(const QString& path, const TrackTags& tags) {
  auto text = [](const QString& value) { return TagLib::String(value.toStdString(), TagLib::String::UTF8); };
  TagLib::MPEG::File file(QFile::encodeName(path).constData());
  TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
  tag->setTitle(text(tags.title));
  tag->setArtist(text(tags.artist));
  tag->setAlbum(text(tags.album));
  tag->setTrack(static_cast<unsigned>(tags.trackNumber));
  auto* picture = new TagLib::ID3v2::AttachedPictureFrame;
  picture->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
  picture->setMimeType("image/png");
  picture->setPicture(TagLib::ByteVector(tags.cover.constData(), static_cast<unsigned>(tags.cover.size())));
  tag->addFrame(picture);
  file.save();
}

}  // namespace zelvo::test
