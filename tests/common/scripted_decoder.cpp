#include "scripted_decoder.h"

#include <algorithm>
#include <utility>

namespace zelvo::test {

const ScriptedDecoder::Clip* ScriptedDecoder::Open() const {
  if (state_ == play_state::Closed) return nullptr;
  return &clips_.find(fileName_).value();
}

void ScriptedDecoder::FinishTrack() {
  const Clip* clip = Open();
  if (!clip) return;
  if (!next_.isEmpty() && state_ == play_state::Playing) {
    fileName_ = std::exchange(next_, QString());
    position_ = 0;
    return Tell(Event::NextStarted);
  }
  position_ = clip->duration;
  state_ = play_state::Stopped;
  Tell(Event::TrackEnded);
}

void ScriptedDecoder::SetFileName(const QString& path) {
  ++openCount;
  next_.clear();
  position_ = 0;
  if (!clips_.contains(path)) {
    fileName_.clear();
    state_ = play_state::Closed;
    return Tell(Event::OpenFailed);
  }
  fileName_ = path;
  state_ = play_state::Stopped;
  Tell(Event::Opened);
}

bool ScriptedDecoder::SetNextFileName(const QString& path) {
  if (state_ != play_state::Playing || !clips_.contains(path)) return false;
  next_ = path;
  return true;
}

void ScriptedDecoder::Play() {
  if (Open()) state_ = play_state::Playing;
}

void ScriptedDecoder::Pause() {
  if (state_ == play_state::Playing) state_ = play_state::Paused;
}

void ScriptedDecoder::Stop() {
  next_.clear();
  if (state_ == play_state::Closed) return;
  state_ = play_state::Stopped;
  position_ = 0;
}

std::optional<double> ScriptedDecoder::CurrentPosition() const {
  if (!Open()) return std::nullopt;
  return position_;
}

void ScriptedDecoder::SetCurrentPosition(double seconds) {
  if (seconds < 0) throw DecoderError("negative position");
  const Clip* clip = Open();
  if (!clip) return;
  position_ = std::min(seconds, clip->duration);
  // Seeking to the very end plays the file out, as a real decoder does.
  if (position_ >= clip->duration) state_ = play_state::Stopped;
}

std::optional<double> ScriptedDecoder::Duration() const {
  if (const Clip* clip = Open()) return clip->duration;
  return std::nullopt;
}

std::optional<QString> ScriptedDecoder::GetMediaInfoString(int item) const {
  const Clip* clip = Open();
  if (!clip) return std::nullopt;
  if (item == media_info::Author) return clip->author;
  if (item == media_info::Title) return clip->title;
  return QString();
}

}  // namespace zelvo::test
