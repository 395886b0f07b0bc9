#include "playback/gapless_next.h"

#include "platform/path_bytes.h"
#include "playback/decoder.h"
#include "playlist/track_list.h"

namespace zelvo {

TrackFile CheckTrackFile(const QString& path) {
  const std::optional<qint64> size = path.isEmpty() ? std::nullopt : RegularFileSize(path);
  if (!size) return TrackFile::Missing;
  return *size == 0 ? TrackFile::Empty : TrackFile::Playable;
}

GaplessNext::GaplessNext(Decoder& decoder, TrackList& tracks, NextTrackSelector& selector)
    : decoder_(decoder), tracks_(tracks), selector_(selector) {}

void GaplessNext::Prepare() {
  if (prepared_) return;
  const NextChoice choice = selector_.PeekAfterEnd();
  // Only a row that starts without a word on the display follows gaplessly;
  // any other takes the ordinary road at the end (with its skip message).
  if (!tracks_.Has(choice.position)) return;
  const QString path = tracks_.At(choice.position).path;
  if (CheckTrackFile(path) != TrackFile::Playable || !decoder_.SetNextFileName(path)) return;
  prepared_ = Prepared{choice, path};
}

bool GaplessNext::StillTheAnswer(const NextChoice& now) const {
  return prepared_ && now == prepared_->choice && tracks_.Has(now.position) &&
         tracks_.At(now.position).path == prepared_->path;
}

bool GaplessNext::Take() {
  const NextChoice now = selector_.PeekAfterEnd();
  const bool taken = StillTheAnswer(now);
  prepared_.reset();
  if (taken) selector_.Take(now);
  return taken;
}

void GaplessNext::DropIfChanged() {
  if (prepared_ && !StillTheAnswer(selector_.PeekAfterEnd())) Drop();
}

void GaplessNext::Drop() {
  if (!prepared_) return;
  decoder_.ClearNextFileName();
  prepared_.reset();
}

}  // namespace zelvo
