#pragma once

#include <QString>

namespace zelvo {

class Desktop;
class SkinTargets;
struct PlayerState;

// Applies a skin folder to the windows: six pictures, then five colours.
class SkinLoader {
 public:
  SkinLoader(SkinTargets& targets, PlayerState& state, Desktop& desktop)
      : targets_(targets), state_(state), desktop_(desktop) {}

  // Applies the files of `folder` (no trailing "/") in order. Each piece takes
  // effect as soon as it is read, so the first bad file stops the load with
  // "Skin Initailization Failed ..." and leaves the rest of the previous skin
  // in force. No file stays open afterwards.
  void LoadSkin(const QString& folder);

 private:
  bool ApplyPictures(const QString& folder);
  bool ApplyColours(const QString& folder);
  void ReportFailure();

  SkinTargets& targets_;
  PlayerState& state_;
  Desktop& desktop_;
};

}  // namespace zelvo
