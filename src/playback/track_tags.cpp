#include "playback/track_tags.h"

#include "base/log.h"
#include "playback/decoder.h"
#include "playback/ffmpeg_support.h"

namespace zelvo {
namespace {

QString Tag(const AVFormatContext* format, int stream, const char* key) {
  for (AVDictionary* dict : {format->metadata, format->streams[stream]->metadata})
    if (const AVDictionaryEntry* entry = av_dict_get(dict, key, nullptr, 0))
      return QString::fromUtf8(entry->value).trimmed();
  return {};
}

QByteArray AttachedPicture(const AVFormatContext* format) {
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVStream* stream = format->streams[i];
    if ((stream->disposition & AV_DISPOSITION_ATTACHED_PIC) && stream->attached_pic.size > 0)
      return QByteArray(reinterpret_cast<const char*>(stream->attached_pic.data), stream->attached_pic.size);
  }
  return {};
}

}  // namespace

TrackTags ReadTrackTags(const QString& path) {
  TrackTags tags;
  try {
    const FormatContextPtr owner = OpenSupportedInput(path);
    const AVFormatContext* format = owner.get();
    const int stream = FindPlayableAudio(owner.get(), path);
    tags.title = Tag(format, stream, "title");
    tags.artist = Tag(format, stream, "artist");
    if (tags.artist.isEmpty()) tags.artist = Tag(format, stream, "author");
    tags.album = Tag(format, stream, "album");
    // "3" or "3/12".
    tags.trackNumber = Tag(format, stream, "track").section(QLatin1Char('/'), 0, 0).toInt();
    tags.cover = AttachedPicture(format);
  } catch (const DecoderError& error) {
    qCWarning(lcPlayback) << "Cannot read the tags of" << path << ":" << error.what();
  }
  return tags;
}

}  // namespace zelvo
