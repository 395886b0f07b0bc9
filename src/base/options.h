#pragma once

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QObject>
#include <QStringList>
#include <memory>

namespace zelvo {

// The player's menus. The check marks of their entries are the options: there
// is no other copy. Entries are found by their names (BalLeft, ShufflePlay,
// Trans200 ...), which are also what the settings file is written from.
class Options : public QObject {
  Q_OBJECT
 public:
  explicit Options(QObject* parent = nullptr);
  ~Options() override;

  QAction* Action(const QString& name) const;
  bool IsChecked(const QString& name) const { return Action(name)->isChecked(); }
  void SetChecked(const QString& name, bool checked) { Action(name)->setChecked(checked); }

  // Entries of an option category ("bal", "se", "play", "uni", "vol", "id3",
  // "trn", "skn", "fuz") in the order they are cleared; empty for other codes.
  static QStringList CategoryEntries(const QString& code);
  // The category an entry belongs to, empty for stand-alone entries.
  static QString CategoryOf(const QString& name);

  // Clears every check mark of the category, then asks for the hover timer
  // to be reset.
  void SetOption(const QString& code);

  // The built-in check marks, as a new window has them.
  static bool CheckedByDefault(const QString& name);
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
  QAction* Add(QMenu* menu, const QString& name, const QString& caption, bool checkable);
  void Build();

  QHash<QString, QAction*> actions_;
  std::unique_ptr<QMenu> optionsMenu_, volumeMenu_, sortMenu_, deleteMenu_, trackMenu_;
  QMenu* transparencyMenu_ = nullptr;
  QMenu* ratingMenu_ = nullptr;
};

}  // namespace zelvo
