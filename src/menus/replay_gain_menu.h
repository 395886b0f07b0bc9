#pragma once

#include <QObject>

#include "playback/replay_gain.h"

class QAction;
class QActionGroup;
class QMenu;

namespace zelvo {

// The loudness entries: a "&ReplayGain" submenu appended to a given menu. Its
// check marks are the ReplayGain options; Settings() reads them.
class ReplayGainMenu : public QObject {
  Q_OBJECT
 public:
  explicit ReplayGainMenu(QMenu* parent);

  ReplayGainSettings Settings() const;
  // Sets the check marks (after the settings file was read); no Changed.
  void Show(const ReplayGainSettings& settings);

  QMenu* Menu() const { return menu_; }

 signals:
  // The user chose an entry.
  void Changed();

 private:
  QActionGroup* AddPreampMenu(const QString& name, const QString& caption);
  static void CheckPreamp(QActionGroup* group, double db);

  QMenu* menu_;
  QActionGroup* modes_;
  QAction* clipping_;
  QActionGroup* taggedPreamp_;
  QActionGroup* untaggedPreamp_;
};

}  // namespace zelvo
