#pragma once

#include <QWidget>
#include <functional>

#include "platform/twips.h"

namespace zelvo {

class HotSpot;

// "Zelvo Credits Page": the credits picture, the product line and the
// ownership, licence and redistribution notices. Modeless; the player goes on
// playing while it is up.
class CreditsWindow : public QWidget {
  Q_OBJECT
 public:
  // `raisePlaylist` slides the playlist window out of the way each time the
  // window opens; `openWebSite` runs when the picture is clicked.
  CreditsWindow(const QString& appFolder, std::function<void()> raisePlaylist, std::function<void()> openWebSite);

  // The About entry: opens the window, or brings it up when it is already open.
  void Present();

 private:
  // Each opening (the first, and the first after a close) loads the picture,
  // sizes and centres the window, and raises the playlist.
  void Open();
  void LoadPicture();

  const QString appFolder_;
  std::function<void()> raisePlaylist_;
  Twips twips_;
  HotSpot* image1_;
};

}  // namespace zelvo
