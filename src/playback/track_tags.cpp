#include "playback/track_tags.h"

#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <sys/stat.h>

#include "base/log.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

QString Text(const TagLib::String& text) { return QString::fromStdWString(text.toWString()).trimmed(); }

QByteArray Bytes(const TagLib::ByteVector& data) { return QByteArray(data.data(), data.size()); }

QByteArray Id3v2Cover(TagLib::ID3v2::Tag* tag) {
  if (!tag) return {};
  QByteArray first;
  for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
    auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame);
    if (!picture) continue;
    if (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover) return Bytes(picture->picture());
    if (first.isEmpty()) first = Bytes(picture->picture());
  }
  return first;
}

QByteArray FlacCover(TagLib::FLAC::File& file) {
  QByteArray first;
  for (TagLib::FLAC::Picture* picture : file.pictureList()) {
    if (picture->type() == TagLib::FLAC::Picture::FrontCover) return Bytes(picture->data());
    if (first.isEmpty()) first = Bytes(picture->data());
  }
  return first;
}

QByteArray Mp4Cover(TagLib::MP4::Tag* tag) {
  if (!tag || !tag->contains("covr")) return {};
  const TagLib::MP4::CoverArtList covers = tag->item("covr").toCoverArtList();
  return covers.isEmpty() ? QByteArray() : Bytes(covers.front().data());
}

QByteArray AsfCover(TagLib::ASF::Tag* tag) {
  if (!tag || !tag->contains("WM/Picture")) return {};
  const TagLib::ASF::AttributeList pictures = tag->attribute("WM/Picture");
  return pictures.isEmpty() ? QByteArray() : Bytes(pictures.front().toPicture().picture());
}

QByteArray Cover(TagLib::File* file) {
  if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file)) return Id3v2Cover(mpeg->ID3v2Tag());
  if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) return FlacCover(*flac);
  if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) return Mp4Cover(mp4->tag());
  if (auto* asf = dynamic_cast<TagLib::ASF::File*>(file)) return AsfCover(asf->tag());
  return {};
}


TrackTags ReadTagsWithTagLib(const QString& path) {
  qCDebug(lcFileOpens) << "reading the tags of" << path;
  TagLib::FileRef ref(PathBytes(path).constData(), false);
  if (ref.isNull() || !ref.tag()) {
    qCWarning(lcPlayback) << "Cannot read the tags of" << path;
    return {};
  }
  const TagLib::Tag* tag = ref.tag();
  return {Text(tag->title()), Text(tag->artist()), Text(tag->album()), static_cast<int>(tag->track()),
          Cover(ref.file())};
}

// What tells a file's contents apart from one read before under its name.
struct FileStamp {
  QString path;
  qint64 size = -1;
  timespec modified{};
  bool operator==(const FileStamp& other) const {
    return path == other.path && size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};

}  // namespace

TrackTags ReadTrackTags(const QString& path) {
  // Only regular files: a FIFO named like a track would block TagLib.
  struct stat status {};
  if (::stat(PathBytes(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  // The media widgets and the notification both show the track that starts:
  // the file is read for them once.
  thread_local FileStamp lastStamp;
  thread_local TrackTags lastTags;
  const FileStamp stamp{path, status.st_size, status.st_mtim};
  if (!(stamp == lastStamp)) {
    lastTags = ReadTagsWithTagLib(path);
    lastStamp = stamp;
  }
  return lastTags;
}

}  // namespace zelvo
