#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <array>
#include <memory>

#include "base/option_entry.h"
#include "base/option_values.h"

namespace zelvo {

// The player's menus. The check marks of their entries are the options: there
// is no other copy.
class Options : public QObject, public OptionValues {
  Q_OBJECT
 public:
  explicit Options(QObject* parent = nullptr);
  ~Options() override;

  QAction* Action(Entry entry) const { return actions_[static_cast<size_t>(entry)]; }
  bool IsChecked(Entry entry) const override { return Action(entry)->isChecked(); }
  void SetChecked(Entry entry, bool checked) { Action(entry)->setChecked(checked); }

  // Clears every check mark of the category, then asks for the hover timer
  // to be reset.
  void SetOption(Category category);

  // The built-in check marks, as a new window has them.
  static bool CheckedByDefault(Entry entry);
  void SetBuiltInDefaults();

  QMenu* OptionsMenu() const { return optionsMenu_.get(); }
  QMenu* VolumeMenu() const { return volumeMenu_.get(); }
  QMenu* SortMenu() const { return sortMenu_.get(); }
  QMenu* DeleteMenu() const { return deleteMenu_.get(); }
  QMenu* TrackMenu() const { return trackMenu_.get(); }
  QMenu* TransparencyMenu() const { return transparencyMenu_; }
  QMenu* RatingMenu() const { return ratingMenu_; }

 signals:
  // A category was cleared; the hover timer restarts and the volume bar hides.
  void HoverResetRequested();

 private:
  QAction* Add(QMenu* menu, Entry entry, const QString& caption, bool checkable);
  QMenu* AddSubmenu(const QString& name, const QString& caption);
  void Build();
  void BuildSoundAndLookEntries();
  void BuildListAndSkinEntries();
  void BuildVolumeMenu();
  void BuildPlaylistMenus();
  void BuildTrackMenu();

  std::array<QAction*, static_cast<size_t>(Entry::RenameFile) + 1> actions_{};
  std::unique_ptr<QMenu> optionsMenu_, volumeMenu_, sortMenu_, deleteMenu_, trackMenu_;
  QMenu* transparencyMenu_ = nullptr;
  QMenu* ratingMenu_ = nullptr;
};

}  // namespace zelvo
